#include "elementpaint.h"

namespace tarnivo {

int ActiveFrame(const TDataSkinObject& element, bool active)
{
    return active || element.FrameCount <= 1 ? 1 : 2;
}

bool HasImage(const TDataSkinObject* element)
{
    return element && !element->Image.Empty();
}

Keying ElementKeying(const TDataSkinObject& element)
{
    return element.Trans == 1 ? Keying::Transparent : Keying::Opaque;
}

CenterFill ElementCenterFill(const TDataSkinObject& element)
{
    return element.Tile == 1 ? CenterFill::Tile : CenterFill::Stretch;
}

CenterFill BorderCenterFill(const TDataSkinObject& border)
{
    return border.Tile == 1 ? CenterFill::Stretch : CenterFill::Tile;
}

bool DrawElementFrame(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame,
                      FrameLayout layout)
{
    if (!HasImage(element))
        return false;
    DrawRect2(dc, rect, element->Image, layout, ElementCenterFill(*element),
              ElementKeying(*element), element->FrameCount, frame, element->Margins);
    return true;
}

bool DrawElementStretched(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame)
{
    if (!HasImage(element))
        return false;
    DrawRect1(dc, rect, element->Image, ElementKeying(*element), element->FrameCount, frame);
    return true;
}

bool DrawElementCentred(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame)
{
    if (!HasImage(element))
        return false;
    DrawRect3(dc, rect, element->Image, ElementKeying(*element), element->FrameCount, frame);
    return true;
}

std::unique_ptr<TBitmap> ElementBitmap(const TDataSkinObject* element, TSize size, int frame,
                                       FrameLayout layout)
{
    if (!HasImage(element))
        return nullptr;
    return GetHMap(Rect(0, 0, size.cx, size.cy), element->Image, element->Margins, layout,
                   ElementCenterFill(*element), element->FrameCount, frame);
}

} // namespace tarnivo
