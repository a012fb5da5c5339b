#pragma once
// Root of the framework's class tree and its base exception.

#include <stdexcept>
#include <string>

namespace tarnivo {

// Every framework class derives from TObject; class tests use dynamic_cast.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class name as the skin engine matches it ("TButton", "TListView").
    virtual std::string ClassName() const { return "TObject"; }
};

// The framework's base exception; every exception the framework raises derives
// from it, so the application's exception box can show its message.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised by streams on a short read or write, or a failed seek.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

// Raised when a file cannot be opened or created.
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Raised when the system refuses a resource (a window, an icon, a handle).
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

} // namespace tarnivo
