#pragma once
// Components: objects with an owner, a name and a tag.
//
// A component created with an owner is owned by it: the owner deletes it when
// the owner is destroyed (the most recently added first), so such components
// are created with `new` and never deleted twice. Deleting an owned component
// earlier takes it out of its owner's list. Names are identifiers, unique among
// the components of one owner, found without regard to case.
//
// Interested components hear of removals through Notification: the owner hears
// of every component inserted or removed, and any component that asked with
// FreeNotification hears when the other one is destroyed.
//
// Forms and data modules are also top-level components: the application keeps
// one list of them, found by name (report expressions name "Form.Component").

#include "AnsiString.h"

#include <cstdint>
#include <vector>

enum TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const AnsiString& Name() const { return name_; }
    // Raises EComponentError for a name that is not an identifier
    // ("'%s' is not a valid component name") or that another component of the
    // same owner has ("A component named %s already exists").
    virtual void SetName(const AnsiString& name);
    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }
    virtual const char* ClassName() const { return "TComponent"; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    TComponent* FindComponent(std::string_view name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Deletes every owned component now (derived destructors call this when
    // their children must go before the derived parts do).
    void DestroyComponents();

    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    bool Destroying() const { return destroying_; }

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    void SetDestroying() { destroying_ = true; }

private:
    void removeNotification(TComponent* component);

    TComponent* owner_ = nullptr;
    AnsiString name_;
    intptr_t tag_ = 0;
    bool destroying_ = false;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

bool IsValidIdent(std::string_view name);

// The application-wide list of top-level components (forms, data modules).
void RegisterGlobalComponent(TComponent* component);
void UnregisterGlobalComponent(TComponent* component);
TComponent* FindGlobalComponent(std::string_view name);
const std::vector<TComponent*>& GlobalComponents();

// A data module: a top-level component that holds non-visual components.
class TDataModule : public TComponent {
public:
    explicit TDataModule(TComponent* owner = nullptr);
    ~TDataModule() override;
    const char* ClassName() const override { return "TDataModule"; }
};
