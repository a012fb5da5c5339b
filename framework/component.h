#pragma once
// TComponent: ownership, names, notification and the loading phase.
//
// An owner frees the components it owns, newest first. Every component that
// the owner holds, and every component that asked for it with FreeNotification,
// hears of a removal through Notification before the removed one is gone, so
// references to it can be cleared.
//
// A form's stored layout is its construction code: it runs inside
// LoadLayout(), with the loading state set on the form and on every component
// created with the form as owner, and then Loaded() runs on each owned
// component in creation order and on the form last.

#include "sets.h"
#include "typinfo.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarnivo {

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag { csLoading, csReading, csDesigning, csDestroying };
using TComponentState = TSet<TComponentStateFlag>;

class TComponent : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return m_owner; }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);

    std::int32_t Tag() const { return m_tag; }
    void SetTag(std::int32_t tag) { m_tag = tag; }

    TComponentState ComponentState() const { return m_state; }
    bool Loading() const { return m_state.Contains(csLoading); }
    bool Designing() const { return m_state.Contains(csDesigning); }
    bool Destroying() const { return m_state.Contains(csDestroying); }

    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const { return m_components.at(index); }
    TComponent* FindComponent(const std::string& name) const;

    // Ask to be told (through Notification) when `other` is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Frees every owned component, newest first. Derived classes whose owned
    // components need the derived part alive call this from their destructor.
    void DestroyComponents();
    // Takes an owned component out of this owner without freeing it; whoever
    // took it frees it (a release deferred until its messages return).
    void RemoveComponent(TComponent* component);

    // Runs the stored layout (`build`) in the loading state, then Loaded() on
    // every owned component in creation order and on this component last.
    void LoadLayout(const std::function<void()>& build);

    virtual void Notification(TComponent* component, TOperation operation);

protected:
    // Called once the stored layout has been read; clears the loading state.
    virtual void Loaded();

    void SetDesigning(bool designing);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyAll(TComponent* component, TOperation operation);

    TComponent* m_owner = nullptr;
    std::string m_name;
    std::int32_t m_tag = 0;
    TComponentState m_state;
    std::vector<TComponent*> m_components;      // owned, in creation order
    std::vector<TComponent*> m_freeNotifies;    // to tell when this one goes
};

} // namespace tarnivo
