#include "Component.h"

#include "Exceptions.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner)
{
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    destroying_ = true;
    // Tell everyone who asked that this component is going.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->removeNotification(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* child = components_.back();
        components_.pop_back();
        child->owner_ = nullptr;
        Notification(child, opRemove);
        delete child;
    }
}

bool IsValidIdent(std::string_view name)
{
    if (name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0])) return false;
    for (char c : name)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

void TComponent::SetName(const AnsiString& name)
{
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError(Format(RuntimeText::InvalidName, name.c_str()));
    if (!name.empty() && owner_) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError(Format(RuntimeText::DuplicateName, name.c_str()));
    }
    name_ = name;
}

int TComponent::ComponentIndex() const
{
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this) return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError(Format(RuntimeText::DuplicateName, component->name_.c_str()));
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    components_.erase(it);
    component->owner_ = nullptr;
    Notification(component, opRemove);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    removeNotification(component);
    if (component) component->removeNotification(this);
}

void TComponent::removeNotification(TComponent* component)
{
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
}

void TComponent::Notification(TComponent*, TOperation)
{
}

// ---------------------------------------------------------------------------

namespace {
std::vector<TComponent*>& globals()
{
    static std::vector<TComponent*> list;
    return list;
}
}  // namespace

void RegisterGlobalComponent(TComponent* component)
{
    auto& list = globals();
    if (std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}

void UnregisterGlobalComponent(TComponent* component)
{
    auto& list = globals();
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

TComponent* FindGlobalComponent(std::string_view name)
{
    for (TComponent* c : globals())
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

const std::vector<TComponent*>& GlobalComponents()
{
    return globals();
}

TDataModule::TDataModule(TComponent* owner) : TComponent(owner)
{
    RegisterGlobalComponent(this);
}

TDataModule::~TDataModule()
{
    UnregisterGlobalComponent(this);
}
