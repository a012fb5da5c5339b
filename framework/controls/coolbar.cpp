#include "framework/controls/coolbar.h"

#include "framework/controls/controlwindow.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnivo {

namespace {

REBARBANDINFOA BandInfo(const TCoolBand& band, std::string& text)
{
    // The block without the Vista additions: every comctl32 since 5.80
    // accepts it, the full block only Vista's and later.
    REBARBANDINFOA info{};
    info.cbSize = REBARBANDINFOA_V6_SIZE;
    info.fMask = RBBIM_COLORS | RBBIM_TEXT | RBBIM_SIZE | RBBIM_STYLE;
    info.fStyle = RBBS_CHILDEDGE;
    info.clrFore = ColorToRGB(clBtnText);
    info.clrBack = ColorToRGB(band.Color());
    text = band.Text();
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
    std::string text;
    REBARBANDINFOA info = BandInfo(*this, text);
    SendMessageA(window, RB_SETBANDINFOA, static_cast<WPARAM>(Index()),
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

void TCoolBar::InsertBand(const TCoolBand& band) const
{
    std::string text;
    REBARBANDINFOA info = BandInfo(band, text);
    SendMessageA(controlwindow::Existing(*this), RB_INSERTBANDA, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&info));
}

} // namespace tarnivo
