#include "subclass.h"

#include <array>
#include <cassert>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarnivo {

namespace subclass_detail {

// One dispatch of a message through a layer; frames of nested messages
// (a handler that sends the window another message) form a stack.
struct Frame {
    Frame* outer = nullptr;
    bool previousCalled = false;
    LRESULT previousResult = 0;
};

struct Layer {
    HWND window = nullptr;
    WNDPROC previous = nullptr;  // in the charset of this layer (see unicode)
    int slot = -1;               // index of this layer's entry point
    bool unicode = false;        // W calls; else A calls
    bool inChain = false;        // the per-window table holds it
    bool removed = false;        // its owner removed it (a pass-through while inChain)
    bool destroyed = false;      // the window is gone
    int depth = 0;               // dispatches of this layer in progress
    Frame* frame = nullptr;      // innermost of them
    TWndMethod handler;
};

} // namespace subclass_detail

using subclass_detail::Frame;
using subclass_detail::Layer;

namespace {

// Marks a window whose table entry is ours; a window handle that comes back
// for a new window after the old one vanished without WM_NCDESTROY reaching
// us has no mark, and its stale entry is dropped.
const char* const ChainProp = "TarnivoSubclassed";

struct Chain {
    std::vector<std::shared_ptr<Layer>> layers;   // in the order they were installed
    int ncDestroyDepth = 0;
};

// Process-wide because windows of several threads may be subclassed; each
// window's entry is only touched by the window's thread, the lock guards the
// maps themselves. Allocated once and never freed: windows destroyed while
// static objects are torn down still find it.
struct Registry {
    std::mutex lock;
    std::unordered_map<HWND, Chain> chains;   // nodes stay put: Chain& survives rehashing
    std::unordered_map<DWORD, std::exception_ptr> deferred;
};

Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

LRESULT Dispatch(int slot, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

template <int N>
LRESULT CALLBACK Entry(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(N, window, msg, wParam, lParam);
}

template <int... N>
constexpr std::array<WNDPROC, sizeof...(N)> MakeEntries(std::integer_sequence<int, N...>)
{
    return {&Entry<N>...};
}

constexpr auto Entries = MakeEntries(std::make_integer_sequence<int, MaxSubclassesPerWindow>{});

LONG_PTR EntryValue(const Layer& layer)
{
    return reinterpret_cast<LONG_PTR>(Entries[static_cast<std::size_t>(layer.slot)]);
}

LONG_PTR CurrentProc(HWND window, bool unicode)
{
    return unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                   : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR SetProc(HWND window, bool unicode, LONG_PTR proc)
{
    return unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                   : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
}

LRESULT CallProc(const Layer& layer, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return layer.unicode ? CallWindowProcW(layer.previous, layer.window, msg, wParam, lParam)
                         : CallWindowProcA(layer.previous, layer.window, msg, wParam, lParam);
}

Chain* FindChain(HWND window)
{
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.chains.find(window);
    return it == r.chains.end() ? nullptr : &it->second;
}

std::shared_ptr<Layer> FindLayer(HWND window, int slot)
{
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.chains.find(window);
    if (it == r.chains.end())
        return nullptr;
    for (const auto& layer : it->second.layers)
        if (layer->slot == slot)
            return layer;
    return nullptr;
}

// Frees the handler of a layer that was removed, once none of its calls runs.
void ReleaseHandlerIfIdle(Layer& layer)
{
    if (layer.removed && layer.depth == 0)
        layer.handler = nullptr;
}

// Takes every layer of the window off the table; they stay detached.
void DropChain(HWND window)
{
    std::vector<std::shared_ptr<Layer>> layers;
    {
        Registry& r = TheRegistry();
        std::lock_guard guard(r.lock);
        auto it = r.chains.find(window);
        if (it == r.chains.end())
            return;
        layers = std::move(it->second.layers);
        r.chains.erase(it);
    }
    RemovePropA(window, ChainProp);
    for (const auto& layer : layers) {
        layer->inChain = false;
        layer->destroyed = true;
        ReleaseHandlerIfIdle(*layer);
    }
}

void DropLayer(Layer& layer)
{
    bool empty = false;
    {
        Registry& r = TheRegistry();
        std::lock_guard guard(r.lock);
        auto it = r.chains.find(layer.window);
        if (it != r.chains.end()) {
            std::erase_if(it->second.layers, [&](const auto& l) { return l.get() == &layer; });
            empty = it->second.layers.empty() && it->second.ncDestroyDepth == 0;
            if (empty)
                r.chains.erase(it);
        }
    }
    if (empty)
        RemovePropA(layer.window, ChainProp);
    layer.inChain = false;
}

// Pass-throughs that have come back to the front of the chain (the
// procedure that was in front of them went away) give the window back.
void PopPassThroughs(HWND window)
{
    for (;;) {
        Chain* chain = FindChain(window);
        if (!chain)
            return;
        std::shared_ptr<Layer> top;
        for (const auto& layer : chain->layers)
            if (layer->removed && CurrentProc(window, layer->unicode) == EntryValue(*layer))
                top = layer;
        if (!top)
            return;
        SetProc(window, top->unicode, reinterpret_cast<LONG_PTR>(top->previous));
        DropLayer(*top);
    }
}

void Unlink(Layer& layer)
{
    HWND window = layer.window;
    if (CurrentProc(window, layer.unicode) == EntryValue(layer)) {
        SetProc(window, layer.unicode, reinterpret_cast<LONG_PTR>(layer.previous));
        DropLayer(layer);
        PopPassThroughs(window);
        return;
    }
    // Another subclass of ours that saved this one's entry point as its
    // previous procedure takes over this one's previous procedure. The
    // saved values compare only between layers of the same charset (the
    // other charset's view of a procedure is a translation handle).
    if (Chain* chain = FindChain(window)) {
        for (const auto& outer : chain->layers) {
            if (outer.get() != &layer && outer->unicode == layer.unicode &&
                reinterpret_cast<LONG_PTR>(outer->previous) == EntryValue(layer)) {
                outer->previous = layer.previous;
                DropLayer(layer);
                return;
            }
        }
    }
    // A procedure we do not know saved our entry point: stay as a pass-through.
}

// The window is gone once the outermost WM_NCDESTROY dispatch of ours ends.
void EnterNcDestroy(HWND window, int step)
{
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.chains.find(window);
    if (it != r.chains.end())
        it->second.ncDestroyDepth += step;
}

bool LeaveNcDestroy(HWND window)
{
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.chains.find(window);
    if (it == r.chains.end())
        return false;
    return --it->second.ncDestroyDepth <= 0;
}

LRESULT Invoke(Layer& layer, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Frame frame;
    frame.outer = layer.frame;
    layer.frame = &frame;
    ++layer.depth;
    TMessage message{msg, wParam, lParam, 0};
    bool failed = false;
    try {
        layer.handler(message);
    } catch (...) {
        DeferException(msg, std::current_exception());
        failed = true;
    }
    LRESULT result = message.Result;
    if (failed)
        result = frame.previousCalled ? frame.previousResult : CallProc(layer, msg, wParam, lParam);
    --layer.depth;
    layer.frame = frame.outer;
    ReleaseHandlerIfIdle(layer);
    return result;
}

LRESULT Dispatch(int slot, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<Layer> layer = FindLayer(window, slot);
    if (!layer) {
        // Not reachable while the table is consistent; the window still
        // gets its default processing.
        return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                       : DefWindowProcA(window, msg, wParam, lParam);
    }
    bool ncDestroy = msg == WM_NCDESTROY;
    if (ncDestroy)
        EnterNcDestroy(window, +1);

    LRESULT result = (layer->removed || !layer->handler)
                         ? CallProc(*layer, msg, wParam, lParam)
                         : Invoke(*layer, msg, wParam, lParam);

    if (ncDestroy) {
        if (LeaveNcDestroy(window))
            DropChain(window);
    } else if (layer->removed && layer->inChain && layer->depth == 0) {
        PopPassThroughs(window);
    }
    return result;
}

} // namespace

// ------------------------------------------------------------ TWindowSubclass

TWindowSubclass::TWindowSubclass(TWindowSubclass&& other) noexcept
    : m_layer(std::move(other.m_layer))
{
}

TWindowSubclass& TWindowSubclass::operator=(TWindowSubclass&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_layer = std::move(other.m_layer);
    }
    return *this;
}

TWindowSubclass::~TWindowSubclass()
{
    Remove();
}

bool TWindowSubclass::Install(HWND window, TWndMethod handler)
{
    Remove();
    m_layer.reset();
    if (!handler || !IsWindow(window) ||
        GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;

    // Find the window's table entry (dropping a stale one) and a free slot.
    bool stale = false;
    {
        Registry& r = TheRegistry();
        std::lock_guard guard(r.lock);
        stale = r.chains.contains(window);
    }
    if (stale && !GetPropA(window, ChainProp))
        DropChain(window);

    auto layer = std::make_shared<Layer>();
    {
        Registry& r = TheRegistry();
        std::lock_guard guard(r.lock);
        Chain& chain = r.chains[window];
        std::array<bool, MaxSubclassesPerWindow> used{};
        for (const auto& l : chain.layers)
            used[static_cast<std::size_t>(l->slot)] = true;
        for (int i = 0; i < MaxSubclassesPerWindow && layer->slot < 0; ++i)
            if (!used[static_cast<std::size_t>(i)])
                layer->slot = i;
        if (layer->slot < 0) {
            if (chain.layers.empty())
                r.chains.erase(window);
            return false;
        }
    }
    SetPropA(window, ChainProp, reinterpret_cast<HANDLE>(1));

    layer->window = window;
    layer->unicode = IsWindowUnicode(window) != FALSE;
    layer->handler = std::move(handler);
    SetLastError(0);
    LONG_PTR previous = SetProc(window, layer->unicode, EntryValue(*layer));
    if (!previous && GetLastError() != 0) {
        Chain* chain = FindChain(window);
        if (chain && chain->layers.empty()) {
            DropChain(window);
        }
        return false;
    }
    layer->previous = reinterpret_cast<WNDPROC>(previous);
    layer->inChain = true;
    {
        Registry& r = TheRegistry();
        std::lock_guard guard(r.lock);
        r.chains[window].layers.push_back(layer);
    }
    m_layer = std::move(layer);
    return true;
}

void TWindowSubclass::Remove()
{
    if (!m_layer)
        return;
    Layer& layer = *m_layer;
    if (!layer.removed) {
        layer.removed = true;
        if (layer.inChain && !layer.destroyed)
            Unlink(layer);
        ReleaseHandlerIfIdle(layer);
    }
    // While its handler runs, the layer stays reachable for CallPrevious.
    if (layer.depth == 0)
        m_layer.reset();
}

bool TWindowSubclass::Installed() const
{
    return m_layer && m_layer->inChain && !m_layer->removed && !m_layer->destroyed;
}

HWND TWindowSubclass::Window() const
{
    return Installed() ? m_layer->window : nullptr;
}

bool TWindowSubclass::Unicode() const
{
    return m_layer && m_layer->unicode;
}

void TWindowSubclass::CallPrevious(TMessage& message) const
{
    message.Result = CallPrevious(message.Msg, message.WParam, message.LParam);
}

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    if (!m_layer)
        return 0;
    Layer& layer = *m_layer;
    if (layer.depth == 0 && (layer.removed || layer.destroyed))
        return 0;
    LRESULT result = CallProc(layer, msg, wParam, lParam);
    if (layer.frame) {
        layer.frame->previousCalled = true;
        layer.frame->previousResult = result;
    }
    return result;
}

// ------------------------------------------------------------ exceptions

bool IsPaintMessage(UINT msg)
{
    switch (msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_SYNCPAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_NCACTIVATE:          // repaints the caption
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case CN_DRAWITEM:
    case CN_MEASUREITEM:
        return true;
    }
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) ||
           (msg >= CN_BASE + WM_CTLCOLORMSGBOX && msg <= CN_BASE + WM_CTLCOLORSTATIC);
}

void DeferException(UINT msg, std::exception_ptr error)
{
    if (!error || IsPaintMessage(msg))
        return;
    try {
        Registry& r = TheRegistry();
        std::lock_guard guard(r.lock);
        auto& slot = r.deferred[GetCurrentThreadId()];
        if (!slot)
            slot = std::move(error);
    } catch (...) {
        // Out of memory while keeping it: the exception is lost, the window lives on.
    }
}

std::exception_ptr TakeDeferredException()
{
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.deferred.find(GetCurrentThreadId());
    if (it == r.deferred.end())
        return nullptr;
    std::exception_ptr error = std::move(it->second);
    r.deferred.erase(it);
    return error;
}

} // namespace tarnivo
