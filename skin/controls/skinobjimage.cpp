#include "skinobjimage.h"

#include "skin/controls/skinfactory.h"
#include "skin/controls/skinproperties.h"
#include "skin/paint/skinmap.h"
#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/typinfo.h"

#include <algorithm>

namespace tarnivo {

namespace {

// Magenta as the controls take it in "TransparentColor".
constexpr int MagentaKey = 16711935;

// Sets an object property by name; absent properties and refusals are
// ignored, as for the other property setters of the painters.
void SetObjectProperty(TObject* obj, const std::string& name, TObject* value)
{
    auto* persistent = dynamic_cast<TPersistent*>(obj);
    if (!persistent)
        return;
    const TPropInfo* info = GetPropInfo(*persistent, name);
    if (!info || info->Kind != TPropKind::Object || !info->Set)
        return;
    try {
        SetPropValue(*persistent, name, TPropValue(value));
    } catch (const EPropertyError&) {
    }
}

void TabFace(const TDataSkinObject& tabs, int frame, TBitmap& face)
{
    face.SetSize(TSkinAdvPage::TabFaceWidth, TSkinAdvPage::TabFaceHeight);
    face.Canvas().Brush().SetColor(clFuchsia);
    face.Canvas().FillRect(Rect(0, 0, face.Width(), face.Height()));
    DrawSkinMap(face.Canvas().Handle(), Rect(0, 0, face.Width(), face.Height()),
                tabs.FrameCount, frame, &tabs);
}

} // namespace

void BuildGlyphStrip(const TSkinElements& skin, bool radio, TBitmap& strip)
{
    const TDataSkinButton& buttons = *skin.Buttons;
    const TBitmap& image = radio ? buttons.RadioImage : buttons.CheckImage;
    const int frames = radio ? buttons.RadioFrameCount : buttons.CheckFrameCount;
    strip.SetSize(0, 0);
    if (image.Empty() || frames <= 0 || image.Width() / frames <= 0)
        return;
    const int cell = image.Width() / frames;
    strip.SetSize(cell * TSkinObjImage::StripCells, image.Height());
    strip.Canvas().Brush().SetColor(clFuchsia);
    strip.Canvas().FillRect(Rect(0, 0, strip.Width(), strip.Height()));
    const int copied = std::min(frames, frames == 5 ? 5 : 4);
    for (int i = 0; i < copied; ++i)
        BitBlt(strip.Canvas().Handle(), i * cell, 0, cell, image.Height(),
               image.Canvas().Handle(), i * cell, 0, SRCCOPY);
}

// TSkinObjImage -----------------------------------------------------------------------

void TSkinObjImage::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                         bool updateColor)
{
    TSkinBox::Init(host, skinData, canvas, updateColor);
    if (Inited())
        PushGlyphs();
}

void TSkinObjImage::SkinChange()
{
    TSkinBox::SkinChange();
    PushGlyphs();
}

void TSkinObjImage::PushGlyphs()
{
    if (!FControl || !FSkinData)
        return;
    TBitmap strip;
    BuildGlyphStrip(Elements(), FKind == 2, strip);
    if (strip.Empty())
        return;
    if (FKind == 3) {
        SetObjectProperty(GetObjProp(FControl, "Properties"), "Glyph", &strip);
    } else {
        SetObjectProperty(FControl, "CustomGlyphs", &strip);
        SetProperty(FControl, "transparentcolor", std::to_string(MagentaKey));
        // Switching off and on makes the control reload its glyphs.
        SetProperty(FControl, "UseCustomGlyphs", "false");
        SetProperty(FControl, "UseCustomGlyphs", "true");
    }
    FControl->Invalidate();
}

void TSkinObjImage::Unsubclass()
{
    if (FControl && FStatus != skinstatus::Deleted) {
        if (FKind == 3)
            SetObjectProperty(GetObjProp(FControl, "Properties"), "Glyph", nullptr);
        else
            SetProperty(FControl, "UseCustomGlyphs", "false");
        FControl->Invalidate();
    }
    TSkinBox::Unsubclass();
}

// TSkinAdvPage ------------------------------------------------------------------------

void TSkinAdvPage::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                        bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor);
    if (Inited())
        PushTabFaces();
}

void TSkinAdvPage::SkinChange()
{
    PushTabFaces();
    TSkinControl::SkinChange();
}

void TSkinAdvPage::PushTabFaces()
{
    if (FKind != PageKindTabBitmaps || !FControl || !FSkinData)
        return;
    const TDataSkinBorder* tabs = Elements().Tabs.get();
    if (!tabs || !tabs->HasImage())
        return;
    TBitmap normal;
    TBitmap active;
    TabFace(*tabs, 1, normal);
    TabFace(*tabs, 2, active);
    SetObjectProperty(FControl, "TabBackGround", &normal);
    SetObjectProperty(FControl, "TabBackGroundActive", &active);
}

void TSkinAdvPage::Unsubclass()
{
    if (FKind == PageKindTabBitmaps && FControl && FStatus != skinstatus::Deleted) {
        TBitmap empty;
        SetObjectProperty(FControl, "TabBackGround", &empty);
        SetObjectProperty(FControl, "TabBackGroundActive", &empty);
    }
    TSkinControl::Unsubclass();
}

void TSkinAdvPage::AfterProc(TMessage& message)
{
    TSkinControl::AfterProc(message);
    if (message.Msg == WM_PAINT)
        FindScroll();
}

void TSkinAdvPage::FindScroll()
{
    if (FUpDown || !FHandle)
        return;
    HWND child = FindWindowExA(FHandle, nullptr, "msctls_updown32", nullptr);
    if (!child)
        return;
    TSkinAttachRequest request;
    request.Class = TSkinClass::UpDown;
    request.Attach = TSkinAttach::Inithwnd;
    request.Window = child;
    request.Owner = this;
    request.Host = FSkinForm;
    request.SkinData = FSkinData;
    request.Canvas = FCanvas;
    // Null until an up-down skin is built; the next paint asks again.
    FUpDown = AttachSkinControl(request);
}

} // namespace tarnivo
