#include "plataforma/base/component.h"

#include <algorithm>
#include <cxxabi.h>
#include <typeinfo>

namespace {

AnsiString ClassNameOf(const TObject* o) {
    if (!o) return "nil";
    const char* mangled = typeid(*o).name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    AnsiString name(status == 0 && plain ? plain : mangled);
    std::free(plain);
    return name;
}

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

} // namespace

bool IsValidIdent(const AnsiString& Name) {
    const std::string& s = Name.str();
    if (s.empty() || !IsIdentStart(s[0])) return false;
    return std::all_of(s.begin() + 1, s.end(), IsIdentChar);
}

// --- TPersistent ---

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    Dest->AssignError(this);
}

void TPersistent::DefineProperties(TFiler* /*Filer*/) {}

void TPersistent::AssignError(TPersistent* Source) {
    throw EConvertError("Cannot assign a " + ClassNameOf(Source) + " to a " + ClassNameOf(this));
}

// --- TComponent ---

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Each notified component drops us from its own list as it is told.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->RemoveNotification(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::GetComponents(int Index) const {
    if (Index < 0 || Index >= GetComponentCount())
        throw EComponentError("List index out of bounds (" + AnsiString(Index) + ")");
    return components_[static_cast<size_t>(Index)];
}

int TComponent::GetComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
    if (AName.IsEmpty()) return nullptr;
    for (TComponent* c : components_)
        if (AnsiSameText(c->name_, AName)) return c;
    return nullptr;
}

void TComponent::SetName(const AnsiString& NewName) {
    if (name_ == NewName) return;
    if (!NewName.IsEmpty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (owner_)
        owner_->ValidateRename(this, name_, NewName);
    else
        ValidateRename(nullptr, name_, NewName);
    name_ = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const AnsiString& CurName,
                                const AnsiString& NewName) {
    if (AComponent && !AnsiSameText(CurName, NewName) && AComponent->owner_ == this &&
        FindComponent(NewName))
        throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ == this) return;
    ValidateRename(AComponent, "", AComponent->name_);
    if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ != this) return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    // Components made while their owner loads take part in its loading bracket.
    if (state_.Contains(csLoading)) AComponent->state_ << csLoading << csReading;
}

void TComponent::Remove(TComponent* AComponent) {
    auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it != components_.end()) components_.erase(it);
    AComponent->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* instance = components_.back();
        if (instance->state_.Contains(csFreeNotification))
            RemoveComponent(instance);
        else
            Remove(instance);
        delete instance;
    }
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying)) return;
    state_ << csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Owned components may leave the list while they are told: walk by index, last first.
    for (size_t i = components_.size(); i > 0; --i) {
        if (i > components_.size()) continue;
        components_[i - 1]->Notification(AComponent, Operation);
    }
}

void TComponent::AddFreeNotifier(TComponent* AComponent) {
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
        freeNotifies_.push_back(AComponent);
    state_ << csFreeNotification;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    // Components of one owner go together; the owner already tells them.
    if (owner_ && AComponent->owner_ == owner_) return;
    AddFreeNotifier(AComponent);
    AComponent->AddFreeNotifier(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
    if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::SetComponentStateFlag(TComponentStateItem Flag, bool On) {
    if (On)
        state_ << Flag;
    else
        state_ >> Flag;
}

void TComponent::CollectForLoading(std::vector<TComponent*>& Out) {
    Out.push_back(this);
    for (TComponent* c : components_)
        c->CollectForLoading(Out);
}

void TComponent::BeginLoading() {
    std::vector<TComponent*> all;
    CollectForLoading(all);
    for (TComponent* c : all)
        c->state_ << csLoading << csReading;
}

void TComponent::EndLoading() {
    std::vector<TComponent*> all;
    CollectForLoading(all);
    for (TComponent* c : all)
        c->state_ >> csReading;
    for (TComponent* c : all) {
        if (!c->state_.Contains(csLoading)) continue;
        c->Loaded();
        c->state_ >> csLoading;
    }
}

void TComponent::Loaded() {
    state_ >> csLoading;
}
