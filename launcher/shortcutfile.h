#pragma once
// One shortcut file read through the shell link object, and one icon read
// from a program file. Both run on any thread that has COM initialised (the
// read initialises it for itself too), and neither touches shared state.

#include "catalogue.h"

#include "framework/gdiobjects.h"

#include <objbase.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarnivo {

// COM on this thread for the object's lifetime. Nested on a thread that
// has it already, it only counts up and down.
class TComScope {
public:
    TComScope();
    ~TComScope();
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    bool m_ok;
};

// Reads shortcut files on one thread, which must have COM initialised for
// the reader's whole life. It asks COM for the shell link object's class
// factory once: creating each object through CoCreateInstance looks the class
// up in the registry every time, which under Wine costs more than reading the
// file itself.
class TShortcutReader {
public:
    TShortcutReader();
    ~TShortcutReader();
    TShortcutReader(const TShortcutReader&) = delete;
    TShortcutReader& operator=(const TShortcutReader&) = delete;

    // The catalogue record of the shortcut file at `linkPath`, or nothing
    // when the file cannot be loaded, its target cannot be read, or the
    // target is not a program (its path does not end in ".exe", exactly).
    std::optional<TShortcutCfg> Read(const std::wstring& linkPath);

private:
    IClassFactory* m_factory = nullptr;   // owned; null: create each object through COM
};

// One shortcut file read on its own (with COM set up for the call).
std::optional<TShortcutCfg> ReadShortcut(const std::wstring& linkPath);

// An icon as the scan hands it to the image list: the icon itself, and its
// colour and mask bitmaps taken out of it beforehand (GetIconInfo copies
// both, the dearer half of adding an icon to an image list), so that the
// window's thread only copies pixels.
struct TFileIcon {
    IconHandle Icon;
    GdiBitmap Color;   // null for a monochrome icon: the icon itself is added then
    GdiBitmap Mask;
    explicit operator bool() const { return static_cast<bool>(Icon); }
};

// Icon `index` of a program, DLL or icon file, as ExtractIcon gives it but
// `size` pixels square (0: the system's large icon size), made from the
// file's image of that size where it has one (read directly from a program's
// resources where iconreader.h can); empty when the file has none there or
// is no such file.
TFileIcon ExtractFileIcon(const std::wstring& file, int index, int size = 0);

// A link string as the launcher shows and compares it: UTF-8, every
// character kept (an unpaired surrogate, which a file name may hold, is
// U+FFFD; the Wide* fields of an entry keep the exact UTF-16).
std::string ShownText(std::wstring_view text);

} // namespace tarnivo
