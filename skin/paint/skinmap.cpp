#include "skinmap.h"

#include "elementpaint.h"

namespace tarnivo {

bool DrawSkinMap(HDC dc, const TRect& rect, int frameCount, int frame,
                 const TDataSkinObject* element)
{
    if (!ElementPresent(element))
        return false;
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return true;
    DrawRect2(dc, rect, element->Image, FrameLayout::SideBySide, ElementCenterFill(*element),
              ElementKeying(*element), frameCount, frame, element->Margins);
    return true;
}

void DrawSkinMapStretched(HDC dc, const TRect& rect, int frameCount, int frame,
                          const TBitmap& bitmap)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top || bitmap.Empty())
        return;
    DrawRect1(dc, rect, bitmap, Keying::Transparent, frameCount, frame);
}

} // namespace tarnivo
