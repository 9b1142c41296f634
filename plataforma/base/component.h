#pragma once
// TPersistent: objects that copy themselves with Assign. TComponent: objects with a name and
// an owner; an owner destroys what it owns, and components told of each other's end through
// Notification. Forms and controls built in code use the loading bracket (BeginLoading ...
// EndLoading) so that Loaded runs once, after all their properties are set.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/object.h"
#include "plataforma/base/small_set.h"

#include <memory>
#include <vector>

class TFiler;
class TWriter;
class TReader;

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class TPersistent : public TObject {
public:
    // Copies Source into this object. A class that cannot take Source asks Source to copy
    // itself (AssignTo); when neither can, EConvertError.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
    // The properties this object stores in a component image beyond the published ones,
    // each named to the filer with its own reader and writer (TFiler::DefineProperty).
    virtual void DefineProperties(TFiler* Filer);
    friend class TWriter;
    friend class TReader;
};

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = SmallSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    // Tells those that asked (FreeNotification) and the owner, destroys what it owns (last
    // first) and leaves its owner's list.
    ~TComponent() override;

    TComponent* GetOwner() const { return owner_; }
    int GetComponentCount() const { return static_cast<int>(components_.size()); }
    // Raises EComponentError outside 0..ComponentCount-1.
    TComponent* GetComponents(int Index) const;
    // Position in the owner's list, -1 without owner.
    int GetComponentIndex() const;
    // Case-insensitive; nullptr when no owned component has that name.
    TComponent* FindComponent(const AnsiString& AName) const;

    const AnsiString& GetName() const { return name_; }
    // An identifier, unique (case ignored) among the owner's components; empty is allowed.
    virtual void SetName(const AnsiString& NewName);
    int GetTag() const { return tag_; }
    void SetTag(int Value) { tag_ = Value; }

    TComponentState GetComponentState() const { return state_; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Destroys every owned component, last first.
    void DestroyComponents();
    // Marks this component and what it owns as being destroyed.
    void Destroying();

    // AComponent is told (Notification opRemove) when this component is destroyed, and the
    // other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // The loading bracket: BeginLoading marks this component, what it owns and what it comes
    // to own as loading; EndLoading clears the marks and calls Loaded on each, owner first.
    void BeginLoading();
    void EndLoading();

    // --- the binary component image (TStream::WriteComponent, ReadComponent) ---
    // The class named in the image; an image of another class is not read into this one.
    virtual AnsiString ClassName() const { return "TComponent"; }
    // The published properties, in streaming order (none here).
    virtual void WriteProperties(TWriter& Writer);
    // One property of the image by its name; one this class does not publish raises
    // EReadError "Property <name> does not exist".
    virtual void ReadProperty(const AnsiString& Name, TReader& Reader);

protected:
    // Called on the owner (which passes it on to what it owns) and on those registered with
    // FreeNotification.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Runs once at the end of the loading bracket; overrides call the inherited one first.
    virtual void Loaded();
    virtual void ValidateRename(TComponent* AComponent, const AnsiString& CurName,
                                const AnsiString& NewName);

    void SetComponentStateFlag(TComponentStateItem Flag, bool On);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void CollectForLoading(std::vector<TComponent*>& Out);
    void AddFreeNotifier(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    AnsiString name_;
    int tag_ = 0;
    TComponentState state_;
};

// Points Watcher's Field at Value and watches Value's destruction instead of the old one's
// (Watcher's Notification then clears Field). False, and nothing done, when Field is Value
// already.
template <class T> bool SetWatched(TComponent* Watcher, T*& Field, T* Value) {
    if (Field == Value) return false;
    if (Field) Field->RemoveFreeNotification(Watcher);
    Field = Value;
    if (Value) Value->FreeNotification(Watcher);
    return true;
}

// True when Name is an identifier: a letter or "_", then letters, digits or "_".
bool IsValidIdent(const AnsiString& Name);
