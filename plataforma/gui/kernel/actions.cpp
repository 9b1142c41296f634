// Actions and their links.

#include "plataforma/gui/kernel/actions.h"

#include "plataforma/gui/kernel/controls.h"

#include <algorithm>

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
    for (TBasicActionLink* l : clients_)
        l->action_ = nullptr;
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
    if (std::find(clients_.begin(), clients_.end(), Value) == clients_.end())
        clients_.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), Value), clients_.end());
}

void TCustomAction::SetCaption(const AnsiString& Value) {
    if (Value == caption_) return;
    // Links compare the control's caption with the old one.
    const std::vector<TBasicActionLink*> links = Clients();
    for (TBasicActionLink* l : links)
        l->SetCaption(Value);
    caption_ = Value;
}

void TCustomAction::SetChecked(bool Value) {
    if (Value == checked_) return;
    const std::vector<TBasicActionLink*> links = Clients();
    for (TBasicActionLink* l : links)
        l->SetChecked(Value);
    checked_ = Value;
}

void TCustomAction::SetGroupIndex(int Value) {
    if (Value == groupIndex_) return;
    const std::vector<TBasicActionLink*> links = Clients();
    for (TBasicActionLink* l : links)
        l->SetGroupIndex(Value);
    groupIndex_ = Value;
}

void TCustomAction::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    const std::vector<TBasicActionLink*> links = Clients();
    for (TBasicActionLink* l : links)
        l->SetEnabled(Value);
    enabled_ = Value;
}

TBasicActionLink::~TBasicActionLink() {
    if (action_) action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (Value == action_) return;
    if (action_) action_->UnRegisterChanges(this);
    action_ = Value;
    if (action_) action_->RegisterChanges(this);
}

bool TActionLink::IsCaptionLinked() const {
    return dynamic_cast<TCustomAction*>(GetAction()) != nullptr;
}

bool TActionLink::IsCheckedLinked() const {
    return dynamic_cast<TCustomAction*>(GetAction()) != nullptr;
}

bool TActionLink::IsGroupIndexLinked() const {
    return dynamic_cast<TCustomAction*>(GetAction()) != nullptr;
}

bool TActionLink::IsEnabledLinked() const {
    return dynamic_cast<TCustomAction*>(GetAction()) != nullptr;
}

bool TControlActionLink::IsCaptionLinked() const {
    auto* a = dynamic_cast<TCustomAction*>(GetAction());
    return TActionLink::IsCaptionLinked() && client_ && client_->GetCaption() == a->GetCaption();
}

bool TControlActionLink::IsEnabledLinked() const {
    auto* a = dynamic_cast<TCustomAction*>(GetAction());
    return TActionLink::IsEnabledLinked() && client_ && client_->GetEnabled() == a->GetEnabled();
}

void TControlActionLink::SetCaption(const AnsiString& Value) {
    if (IsCaptionLinked()) client_->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) client_->SetEnabled(Value);
}
