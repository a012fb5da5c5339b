#include "component.h"

#include <algorithm>
#include <cctype>

namespace tarnivo {

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info{
        "TComponent",
        &TPersistent::StaticClassInfo(),
        {
            published::Text("Name", &TComponent::Name, &TComponent::SetName),
            published::Integer("Tag", &TComponent::Tag, &TComponent::SetTag),
        }};
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner) {
        // A component made while its owner's layout is read is part of it.
        if (owner->Loading())
            m_state.Include(csLoading);
        if (owner->Designing())
            m_state.Include(csDesigning);
        owner->Insert(this);
    }
}

TComponent::~TComponent()
{
    m_state.Include(csDestroying);
    // Tell those that asked, then free what we own, then leave our owner.
    std::vector<TComponent*> listeners;
    listeners.swap(m_freeNotifies);
    for (TComponent* c : listeners) {
        c->RemoveFreeNotification(this);
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (m_owner)
        m_owner->Remove(this);
}

void TComponent::SetName(const std::string& name)
{
    m_name = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    auto same = [&](const TComponent* c) {
        const std::string& n = c->Name();
        return std::equal(n.begin(), n.end(), name.begin(), name.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    };
    auto it = std::find_if(m_components.begin(), m_components.end(), same);
    return it == m_components.end() ? nullptr : *it;
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this)
        return;
    if (std::find(other->m_freeNotifies.begin(), other->m_freeNotifies.end(), this) ==
        other->m_freeNotifies.end())
        other->m_freeNotifies.push_back(this);
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), other) == m_freeNotifies.end())
        m_freeNotifies.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    std::erase(m_freeNotifies, other);
    if (other)
        std::erase(other->m_freeNotifies, this);
}

void TComponent::DestroyComponents()
{
    // Each destructor removes itself from the list.
    while (!m_components.empty())
        delete m_components.back();
}

void TComponent::LoadLayout(const std::function<void()>& build)
{
    m_state.Include(csLoading);
    try {
        build();
    } catch (...) {
        m_state.Exclude(csLoading);
        throw;
    }
    // Components may create others in Loaded(); only those read are loaded.
    std::vector<TComponent*> read = m_components;
    for (TComponent* c : read)
        if (c->Loading())
            c->Loaded();
    Loaded();
}

void TComponent::Loaded()
{
    m_state.Exclude(csLoading);
}

void TComponent::SetDesigning(bool designing)
{
    if (designing)
        m_state.Include(csDesigning);
    else
        m_state.Exclude(csDesigning);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (component && component->m_owner == this)
        Remove(component);
}

void TComponent::Insert(TComponent* component)
{
    m_components.push_back(component);
    component->m_owner = this;
    NotifyAll(component, opInsert);
}

void TComponent::Remove(TComponent* component)
{
    NotifyAll(component, opRemove);
    std::erase(m_components, component);
    component->m_owner = nullptr;
}

void TComponent::NotifyAll(TComponent* component, TOperation operation)
{
    // The owner and every component it owns hear of an insertion or removal.
    Notification(component, operation);
    std::vector<TComponent*> siblings = m_components;
    for (TComponent* c : siblings)
        if (c != component)
            c->Notification(component, operation);
}

} // namespace tarnivo
