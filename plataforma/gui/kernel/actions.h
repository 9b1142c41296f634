#pragma once
// TBasicAction / TCustomAction: a command that controls share (its caption, checked state and
// group), and the links (TBasicActionLink, TActionLink, TControlActionLink) through which a
// control follows its action: a change of the action reaches each linked control through
// its link, and a click on the control executes the action.

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"

#include <vector>

class TBasicActionLink;
class TControl;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    // The links still registered forget the action.
    ~TBasicAction() override;

    // Runs OnExecute; false when it is not assigned.
    virtual bool Execute();

    void RegisterChanges(TBasicActionLink* Value);
    void UnRegisterChanges(TBasicActionLink* Value);

    TNotifyEvent OnExecute;

protected:
    const std::vector<TBasicActionLink*>& Clients() const { return clients_; }

private:
    std::vector<TBasicActionLink*> clients_;
};

class TCustomAction : public TBasicAction {
public:
    using TBasicAction::TBasicAction;

    const AnsiString& GetCaption() const { return caption_; }
    void SetCaption(const AnsiString& Value);
    bool GetChecked() const { return checked_; }
    void SetChecked(bool Value);
    int GetGroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);

private:
    AnsiString caption_;
    bool checked_ = false;
    int groupIndex_ = 0;
    bool enabled_ = true;
};

class TBasicActionLink : public TObject {
public:
    TBasicActionLink() = default;
    virtual ~TBasicActionLink();
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* GetAction() const { return action_; }
    // Registers with the new action (nullptr: none).
    void SetAction(TBasicAction* Value);
    virtual bool Execute() { return action_ && action_->Execute(); }

    // --- what a change of the action tells its links ---
    virtual void SetCaption(const AnsiString&) {}
    virtual void SetChecked(bool) {}
    virtual void SetGroupIndex(int) {}
    virtual void SetEnabled(bool) {}

private:
    friend class TBasicAction;
    TBasicAction* action_ = nullptr;
};

// A link that passes caption, checked state and group only while they are linked.
class TActionLink : public TBasicActionLink {
public:
    // True while the action is a TCustomAction.
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsGroupIndexLinked() const;
    virtual bool IsEnabledLinked() const;
};

// The link of a control: the client takes the action's caption and enabled state.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* Client) { AssignClient(Client); }

    TControl* GetClient() const { return client_; }
    // The caption stays linked while the control shows the action's caption.
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    void SetCaption(const AnsiString& Value) override;
    void SetEnabled(bool Value) override;

protected:
    virtual void AssignClient(TControl* Client) { client_ = Client; }

private:
    TControl* client_ = nullptr;
};
