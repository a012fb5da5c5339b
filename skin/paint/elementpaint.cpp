#include "elementpaint.h"

namespace tarnivo {

int ActiveFrame(const TDataSkinObject& element, bool active)
{
    return active || element.FrameCount <= 1 ? 1 : 2;
}

Keying ElementKeying(const TDataSkinObject& element)
{
    return element.Trans == 1 ? Keying::Transparent : Keying::Opaque;
}

CenterFill ElementCenterFill(const TDataSkinObject& element)
{
    return element.Tile == 1 ? CenterFill::Tile : CenterFill::Stretch;
}

bool DrawElementFrame(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame,
                      FrameLayout layout)
{
    if (!ElementPresent(element))
        return false;
    DrawRect2(dc, rect, element->Image, layout, ElementCenterFill(*element),
              ElementKeying(*element), element->FrameCount, frame, element->Margins);
    return true;
}

bool DrawElementStretched(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame)
{
    if (!ElementPresent(element))
        return false;
    DrawRect1(dc, rect, element->Image, ElementKeying(*element), element->FrameCount, frame);
    return true;
}

bool DrawElementCentred(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame)
{
    if (!ElementPresent(element))
        return false;
    DrawRect3(dc, rect, element->Image, ElementKeying(*element), element->FrameCount, frame);
    return true;
}

std::unique_ptr<TBitmap> ElementBitmap(const TDataSkinObject* element, TSize size, int frame,
                                       FrameLayout layout)
{
    if (!ElementPresent(element))
        return nullptr;
    return GetHMap(Rect(0, 0, size.cx, size.cy), element->Image, element->Margins, layout,
                   ElementCenterFill(*element), element->FrameCount, frame);
}

} // namespace tarnivo
