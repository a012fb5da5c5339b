#include "windowprochook.h"

#include "control.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tarnivo {

// ----------------------------------------------------------- TWindowProcChain

THookId TWindowProcChain::Add(TWndMethod hook)
{
    if (!hook)
        return 0;
    auto node = std::make_shared<Node>();
    node->id = m_nextId;
    m_nextId = m_nextId == std::numeric_limits<THookId>::max() ? 1 : m_nextId + 1;
    node->proc = std::move(hook);
    node->next = std::move(m_first);
    m_first = node;
    return node->id;
}

bool TWindowProcChain::Remove(THookId id)
{
    Node* previous = nullptr;
    for (Node* n = m_first.get(); n; previous = n, n = n->next.get()) {
        if (n->id != id)
            continue;
        // Held here: unlinking drops the chain's reference to it.
        std::shared_ptr<Node> node = previous ? previous->next : m_first;
        // Unlink, but leave the node's own link: a call that is inside it
        // continues to what follows.
        (previous ? previous->next : m_first) = node->next;
        node->removed = true;
        if (node->depth == 0)
            node->proc = nullptr;
        return true;
    }
    return false;
}

int TWindowProcChain::Count() const
{
    int count = 0;
    for (const Node* n = m_first.get(); n; n = n->next.get())
        ++count;
    return count;
}

void TWindowProcChain::Dispatch(TMessage& message)
{
    Invoke(m_first, message);
}

void TWindowProcChain::CallNext(THookId id, TMessage& message)
{
    // The hook asking is normally running; removed ones are found only there.
    for (auto it = m_running.rbegin(); it != m_running.rend(); ++it)
        if ((*it)->id == id) {
            Invoke((*it)->next, message);
            return;
        }
    for (Node* n = m_first.get(); n; n = n->next.get())
        if (n->id == id) {
            Invoke(n->next, message);
            return;
        }
    Invoke(nullptr, message);
}

void TWindowProcChain::Invoke(std::shared_ptr<Node> node, TMessage& message)
{
    while (node && node->removed)
        node = node->next;
    if (!node) {
        if (m_last)
            m_last(message);
        return;
    }
    // `node` (a copy) keeps the hook alive through its own removal.
    m_running.push_back(node.get());
    ++node->depth;
    struct Leave {
        TWindowProcChain& chain;
        Node& node;
        ~Leave()
        {
            chain.m_running.pop_back();
            if (--node.depth == 0 && node.removed)
                node.proc = nullptr;
        }
    } leave{*this, *node};
    node->proc(message);
}

// ------------------------------------------------------------ TWindowProcHook

TWindowProcHook::TWindowProcHook(TControl& control, TWndMethod hook)
    : m_chain(control.m_hooks), m_id(control.AddWindowProcHook(std::move(hook)))
{
}

TWindowProcHook::TWindowProcHook(TWindowProcHook&& other) noexcept
    : m_chain(std::move(other.m_chain)), m_id(std::exchange(other.m_id, 0)),
      m_removed(std::exchange(other.m_removed, false))
{
}

TWindowProcHook& TWindowProcHook::operator=(TWindowProcHook&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_chain = std::move(other.m_chain);
        m_id = std::exchange(other.m_id, 0);
        m_removed = std::exchange(other.m_removed, false);
    }
    return *this;
}

TWindowProcHook::~TWindowProcHook()
{
    Remove();
}

void TWindowProcHook::Remove()
{
    if (m_removed || m_id == 0)
        return;
    m_removed = true;
    if (auto chain = m_chain.lock())
        chain->Remove(m_id);
}

bool TWindowProcHook::Installed() const
{
    return m_id != 0 && !m_removed && !m_chain.expired();
}

void TWindowProcHook::CallNext(TMessage& message) const
{
    if (auto chain = m_chain.lock())
        chain->CallNext(m_id, message);
}

} // namespace tarnivo
