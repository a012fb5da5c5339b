#include "framework/controls/coolbar.h"
#include "framework/unicodetext.h"

#include "framework/controls/controlwindow.h"
#include "framework/gdiobjects.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnivo {

namespace {

REBARBANDINFOW BandInfo(const TCoolBand& band, std::wstring& text)
{
    // The block without the Vista additions: every comctl32 since 5.80
    // accepts it, the full block only Vista's and later.
    REBARBANDINFOW info{};
    info.cbSize = REBARBANDINFOW_V6_SIZE;
    info.fMask = RBBIM_COLORS | RBBIM_TEXT | RBBIM_SIZE | RBBIM_STYLE;
    info.fStyle = RBBS_CHILDEDGE;
    info.clrFore = ColorToRGB(clBtnText);
    info.clrBack = ColorToRGB(band.Color());
    text = ToWide(band.Text());
    info.lpText = text.data();
    info.cx = static_cast<UINT>(std::max(band.Width(), 0));
    return info;
}

} // namespace

void TCoolBand::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Push();
}

void TCoolBand::SetText(const std::string& text)
{
    if (m_text == text)
        return;
    m_text = text;
    Push();
}

void TCoolBand::SetWidth(int width)
{
    if (m_width == width)
        return;
    m_width = width;
    Push();
}

int TCoolBand::Index() const
{
    for (int i = 0; i < m_bar.BandCount(); ++i)
        if (m_bar.Bands(i) == this)
            return i;
    return -1;
}

void TCoolBand::Push() const
{
    HWND window = controlwindow::Existing(m_bar);
    if (!window)
        return;
    std::wstring text;
    REBARBANDINFOW info = BandInfo(*this, text);
    SendMessageW(window, RB_SETBANDINFOW, static_cast<WPARAM>(Index()),
                 reinterpret_cast<LPARAM>(&info));
    InvalidateRect(window, nullptr, TRUE);
}

const TClassInfo& TCoolBar::StaticClassInfo()
{
    static const TClassInfo info{"TCoolBar", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 30);
}

TCoolBar::~TCoolBar() = default;

TCoolBand* TCoolBar::AddBand()
{
    m_bands.push_back(std::make_unique<TCoolBand>(*this));
    if (HandleAllocated())
        InsertBand(*m_bands.back());
    return m_bands.back().get();
}

void TCoolBar::CreateParams(TCreateParams& params)
{
    // The application registers the Windows 95 classes; the rebar is not
    // among them, and registering it again is harmless.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_COOL_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.SystemClass = REBARCLASSNAMEA;
    params.Style |= CCS_NODIVIDER | CCS_NORESIZE | RBS_VARHEIGHT;
}

void TCoolBar::HandleCreated()
{
    for (const auto& band : m_bands)
        InsertBand(*band);
}

// The rebar erases nothing but its bands, and under a visual style it draws
// every band from the theme whatever its colour: the space beside and below
// the bands kept whatever was there before (black on a fresh window), and a
// band's colour never showed. The bar erases itself instead; the rebar still
// paints the bands' grippers and captions on top.
void TCoolBar::Dispatch(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND && message.WParam) {
        EraseBands(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
    }
    TWinControl::Dispatch(message);
}

void TCoolBar::EraseBands(HDC dc)
{
    EraseBackground(dc);
    HWND window = controlwindow::Existing(*this);
    for (const auto& band : m_bands) {
        RECT r{};
        if (!SendMessageW(window, RB_GETRECT, static_cast<WPARAM>(band->Index()),
                          reinterpret_cast<LPARAM>(&r)))
            continue;
        GdiBrush brush(CreateSolidBrush(ColorToRGB(band->Color())));
        FillRect(dc, &r, brush.Get());
    }
}

void TCoolBar::InsertBand(const TCoolBand& band) const
{
    std::wstring text;
    REBARBANDINFOW info = BandInfo(band, text);
    SendMessageW(controlwindow::Existing(*this), RB_INSERTBANDW, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&info));
}

} // namespace tarnivo
