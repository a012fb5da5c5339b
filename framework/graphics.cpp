#include "graphics.h"

namespace tarnivo {

COLORREF ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

} // namespace tarnivo
