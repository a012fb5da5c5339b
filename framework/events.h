#pragma once
// Event types: bound callables, empty when no handler is assigned.

#include <functional>

namespace tarnivo {

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;

} // namespace tarnivo
