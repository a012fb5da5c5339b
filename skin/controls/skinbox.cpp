#include "skinbox.h"

#include "skin/controls/skintrackbar.h"

#include "skin/resources/skindata.h"

#include "framework/control.h"
#include "framework/controls/coolbar.h"

namespace tarnivo {

namespace {

TRect ClientOf(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

TRect WindowAtOrigin(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return Rect(0, 0, r.right - r.left, r.bottom - r.top);
}

} // namespace

void PaintGraphicChildren(TControl* control, HDC dc)
{
    if (auto* container = dynamic_cast<TWinControl*>(control))
        container->PaintControls(dc);
}

// TSkinBox ----------------------------------------------------------------------------

void TSkinBox::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                    bool updateColor)
{
    if (FInited)
        return;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control || !control->Handle())
        return;
    FSkinData = skinData;
    FSkinForm = host;
    FCanvas = canvas;
    FControl = control;
    FHandle = control->Handle();
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    FUpdateColor = updateColor;
    if (host)
        host->AddControlList(this);
    if (FUpdateColor && FSkinData) {
        FOldColor = control->Color();
        m_colorSaved = true;
        control->SetColor(FSkinData->Colors(csButtonFace));
    }
    FInited = true;
    FStatus = skinstatus::Attached;
}

void TSkinBox::Unsubclass()
{
    if (m_colorSaved && FControl && FStatus != StatusKeepColor)
        FControl->SetColor(FOldColor);
    m_colorSaved = false;
    FStatus = skinstatus::ColorsRestored;
}

void TSkinBox::SkinChange()
{
    if (m_colorSaved && FControl && FSkinData)
        FControl->SetColor(FSkinData->Colors(csButtonFace));
}

// TSkinCoolBar ------------------------------------------------------------------------

void TSkinCoolBar::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                        bool updateColor)
{
    const bool first = !FInited;
    TSkinBox::Init(host, skinData, canvas, updateColor);
    auto* bar = dynamic_cast<TCoolBar*>(FControl);
    if (!first || !FInited || !bar)
        return;
    m_bandColors.clear();
    for (int i = 0; i < bar->BandCount(); ++i)
        m_bandColors.push_back(bar->Bands(i)->Color());
    PaintBands();
}

void TSkinCoolBar::Unsubclass()
{
    auto* bar = dynamic_cast<TCoolBar*>(FControl);
    if (bar && FStatus != StatusKeepColor)
        for (int i = 0; i < bar->BandCount() && i < static_cast<int>(m_bandColors.size()); ++i)
            bar->Bands(i)->SetColor(m_bandColors[static_cast<std::size_t>(i)]);
    m_bandColors.clear();
    TSkinBox::Unsubclass();
}

void TSkinCoolBar::SkinChange()
{
    TSkinBox::SkinChange();
    PaintBands();
}

void TSkinCoolBar::PaintBands() const
{
    auto* bar = dynamic_cast<TCoolBar*>(FControl);
    if (!bar || !FSkinData)
        return;
    for (int i = 0; i < bar->BandCount(); ++i)
        bar->Bands(i)->SetColor(FSkinData->Colors(csButtonFace));
}

// TSkinBoxH ---------------------------------------------------------------------------

bool TSkinBoxH::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:      WMEraseBkgnd(message); return false;
    case WM_CTLCOLORSTATIC:  WMCtlColorStatic(message); return false;
    case WM_NOTIFY:          return !ReflectTrackBarDraw(message);
    default:                 return TSkinControl::BeforeProc(message);
    }
}

void TSkinBoxH::WMEraseBkgnd(TMessage& message)
{
    FillBG(reinterpret_cast<HDC>(message.WParam), WindowAtOrigin(FHandle));
    message.Result = 0;
}

void TSkinBoxH::WMCtlColorStatic(TMessage& message)
{
    // The dialog's own answer sets up the DC (text colour, mode); only the
    // brush it hands back is replaced.
    Default(message);
    if (FSkinData)
        message.Result = reinterpret_cast<LRESULT>(FSkinData->ButtonFaceBrush());
}

// TSkinSizer --------------------------------------------------------------------------

void TSkinSizer::DrawControl(HDC dc, const TRect& rect)
{
    FillBG(dc, rect);
}

// TSkinTabSheet -----------------------------------------------------------------------

void TSkinTabSheet::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                         bool updateColor)
{
    TSkinControl::Init(host, skinData, canvas, updateColor || FKind == 0);
}

bool TSkinTabSheet::BeforeProc(TMessage& message)
{
    if (FKind)
        return TSkinControl::BeforeProc(message);
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:  WMPaint(message); return false;
    case WM_ERASEBKGND:   WMEraseBkgnd(message); return false;
    default:              return TSkinControl::BeforeProc(message);
    }
}

void TSkinTabSheet::DrawControl(HDC dc, const TRect& rect)
{
    FillBG(dc, rect);
    PaintGraphicChildren(FControl, dc);
}

void TSkinTabSheet::WMEraseBkgnd(TMessage& message)
{
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const TRect client = ClientOf(FHandle);
    if (FSkinData)
        FillRect(dc, &client, FSkinData->ButtonFaceBrush());
    else
        FillBG(dc, client);
    message.Result = 1;
}

} // namespace tarnivo
