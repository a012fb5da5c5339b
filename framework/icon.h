#pragma once
// TIcon: owns one HICON.

#include "gdiobjects.h"
#include "graphics.h"
#include "typinfo.h"

namespace tarnivo {

class TIcon : public TPersistent {
public:
    std::string ClassName() const override { return "TIcon"; }

    // Borrowed: the icon stays owned by this object.
    HICON Handle() const { return m_icon.Get(); }
    // Takes ownership of `icon` (null empties), destroying the previous one.
    void SetHandle(HICON icon);
    void SetHandle(IconHandle icon);
    // Gives the icon away; this object is empty afterwards.
    [[nodiscard]] HICON ReleaseHandle();

    bool Empty() const { return !m_icon; }
    // Copies the other icon with CopyIcon (an empty source empties this one).
    void Assign(const TIcon& source);
    // An RT_GROUP_ICON resource at the system's large icon size.
    [[nodiscard]] bool LoadFromResourceName(HINSTANCE instance, const char* name);

    // Size of the icon's image; 0 when empty.
    int Width() const { return Size().cx; }
    int Height() const { return Size().cy; }

private:
    TSize Size() const;
    IconHandle m_icon;
};

} // namespace tarnivo
