#include "skinscale.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

namespace tarnivo {

int ClampSkinDpi(int dpi)
{
    return std::clamp(dpi, MinSkinDpi, MaxSkinDpi);
}

namespace {

std::size_t PictureBytes(const TBitmap& b)
{
    return static_cast<std::size_t>(b.Width()) * static_cast<std::size_t>(b.Height()) * 4;
}

// A picture of `frames` state images side by side or stacked, scaled frame
// by frame. Only the painter knows the layout; the stacked pictures are the
// horizontal window borders, the caption's text back and the menu band.
using Layout = TFrameLayout;

void ScalePicture(const TBitmap& from, TScaleFactor f, int frames, TBitmap& to,
                  Layout layout = Layout::SideBySide)
{
    const bool stacked = layout == Layout::Stacked;
    ScaleBitmap(from, f, to, stacked ? 1 : frames, stacked ? frames : 1);
}

TSkinMargins Scaled(const TSkinMargins& m, TScaleFactor f)
{
    return TSkinMargins{f.Apply(m.Left), f.Apply(m.Top), f.Apply(m.Right), f.Apply(m.Bottom)};
}

// Every field an element has is listed below, by class: a field added to an
// element class must be added here too, or scaled windows lose it.
void CopyBase(const TDataSkinObject& s, TDataSkinObject& d, TScaleFactor f, Layout layout)
{
    d.Margins = Scaled(s.Margins, f);
    ScalePicture(s.Image, f, s.FrameCount, d.Image, layout);
    d.Trans = s.Trans;
    d.Tile = s.Tile;
    d.Name = s.Name;
    d.FrameCount = s.FrameCount;
    d.Style = s.Style;
    d.NormalColor = s.NormalColor;
    d.MouseOverColor = s.MouseOverColor;
    d.PressedColor = s.PressedColor;
    d.NormalTextColor = s.NormalTextColor;
    d.MouseOverTextColor = s.MouseOverTextColor;
    d.PressedTextColor = s.PressedTextColor;
}

void Copy(const TDataSkinObject& s, TDataSkinObject& d, TScaleFactor f,
          Layout layout = Layout::SideBySide)
{
    CopyBase(s, d, f, layout);
}

void Copy(const TDataSkinBorder& s, TDataSkinBorder& d, TScaleFactor f,
          Layout layout = Layout::SideBySide)
{
    CopyBase(s, d, f, layout);
    ScalePicture(s.Image2, f, s.FrameCount, d.Image2, layout);
    d.Stretch = s.Stretch;
}

void Copy(const TDataSkinButton& s, TDataSkinButton& d, TScaleFactor f)
{
    CopyBase(s, d, f, Layout::SideBySide);
    ScalePicture(s.CheckImage, f, s.CheckFrameCount, d.CheckImage);
    ScalePicture(s.RadioImage, f, s.RadioFrameCount, d.RadioImage);
    d.RadioFrameCount = s.RadioFrameCount;
    d.CheckFrameCount = s.CheckFrameCount;
    d.HasNormalTextColor = s.HasNormalTextColor;
    d.HasMouseOverTextColor = s.HasMouseOverTextColor;
    d.HasPressedTextColor = s.HasPressedTextColor;
}

void Copy(const TDataSkinTitle& s, TDataSkinTitle& d, TScaleFactor f)
{
    CopyBase(s, d, f, Layout::Stacked);
    d.TextAlignment = s.TextAlignment;
    d.TextBackground = s.TextBackground;
    d.FontHeight = f.Apply(s.FontHeight);
    d.FontHeightGiven = s.FontHeightGiven;
    d.TextBackLeft = f.Apply(s.TextBackLeft);
    d.TextBackRight = f.Apply(s.TextBackRight);
    d.ActiveTextColor = s.ActiveTextColor;
    d.InactiveTextColor = s.InactiveTextColor;
}

void Copy(const TDataSkinBoxLabel& s, TDataSkinBoxLabel& d, TScaleFactor f)
{
    CopyBase(s, d, f, Layout::SideBySide);
    d.BackgroundLeftShift = f.Apply(s.BackgroundLeftShift);
    d.BackgroundRightShift = f.Apply(s.BackgroundRightShift);
    d.BackgroundAlignment = s.BackgroundAlignment;
}

void Copy(const TDataSkinSysButton& s, TDataSkinSysButton& d, TScaleFactor f)
{
    CopyBase(s, d, f, Layout::SideBySide);
    d.Action = s.Action;
    d.Align = s.Align;
    d.X = f.Apply(s.X);
    d.Y = f.Apply(s.Y);
    d.CombineOp = s.CombineOp;
    d.Visibility = s.Visibility;
    d.Visibility1 = s.Visibility1;
}

template <typename T>
std::unique_ptr<T> Made(const std::unique_ptr<T>& source, TScaleFactor f)
{
    if (!source)
        return nullptr;
    auto copy = std::make_unique<T>();
    Copy(*source, *copy, f);
    return copy;
}

} // namespace

std::size_t ElementPixelBytes(const TSkinElements& elements)
{
    std::size_t bytes = 0;
    for (const TDataSkinObject* e : elements.All()) {
        bytes += PictureBytes(e->Image);
        if (auto* border = dynamic_cast<const TDataSkinBorder*>(e))
            bytes += PictureBytes(border->Image2);
        if (auto* button = dynamic_cast<const TDataSkinButton*>(e))
            bytes += PictureBytes(button->CheckImage) + PictureBytes(button->RadioImage);
    }
    return bytes;
}

std::unique_ptr<TSkinElements> ScaleElements(const TSkinElements& s, TScaleFactor f)
{
    auto d = std::make_unique<TSkinElements>();
    d->SkinName = s.SkinName;
    d->Colors = s.Colors;
    d->CustomColors = s.CustomColors;
    Copy(*s.Left, *d->Left, f);
    Copy(*s.Right, *d->Right, f);
    Copy(*s.Top, *d->Top, f, Layout::Stacked);
    Copy(*s.Bottom, *d->Bottom, f, Layout::Stacked);
    Copy(*s.Buttons, *d->Buttons, f);
    Copy(*s.Title, *d->Title, f);
    for (const auto& b : s.SysButtons)
        d->SysButtons.push_back(Made(b, f));
    d->Progress = Made(s.Progress, f);
    d->ProgressChunk = Made(s.ProgressChunk, f);
    if (s.MenuBar) {
        d->MenuBar = std::make_unique<TDataSkinObject>();
        Copy(*s.MenuBar, *d->MenuBar, f, Layout::Stacked);
    }
    d->GroupBoxEdge = Made(s.GroupBoxEdge, f);
    d->GroupBox = Made(s.GroupBox, f);
    d->Tabs = Made(s.Tabs, f);
    d->StatusBarEdges = Made(s.StatusBarEdges, f);
    d->TabPane = Made(s.TabPane, f);
    d->ToolBars = Made(s.ToolBars, f);
    d->ComboButton = Made(s.ComboButton, f);
    d->SunkEdge = Made(s.SunkEdge, f);
    d->ExtraImages = Made(s.ExtraImages, f);
    d->Headerbar = Made(s.Headerbar, f);
    d->MenuItem = Made(s.MenuItem, f);
    d->MenuBackground = Made(s.MenuBackground, f);
    d->Scrollbar = Made(s.Scrollbar, f);
    d->HorzScroll = Made(s.HorzScroll, f);
    d->VertScroll = Made(s.VertScroll, f);
    d->HorzScrollThumb = Made(s.HorzScrollThumb, f);
    d->VertScrollThumb = Made(s.VertScrollThumb, f);
    for (std::size_t t = 0; t < s.TrackThumbs.size(); ++t)
        d->TrackThumbs[t] = Made(s.TrackThumbs[t], f);
    d->UpDownHorz = Made(s.UpDownHorz, f);
    d->UpDownVert = Made(s.UpDownVert, f);
    d->Track = Made(s.Track, f);
    d->TrackVert = Made(s.TrackVert, f);
    d->ComboxArrow = Made(s.ComboxArrow, f);
    d->Toolbar = Made(s.Toolbar, f);
    return d;
}

namespace {

// The pictures of an element, in a fixed order.
std::vector<TBitmap*> Pictures(TDataSkinObject& e)
{
    std::vector<TBitmap*> pictures{&e.Image};
    if (auto* border = dynamic_cast<TDataSkinBorder*>(&e))
        pictures.push_back(&border->Image2);
    if (auto* button = dynamic_cast<TDataSkinButton*>(&e)) {
        pictures.push_back(&button->CheckImage);
        pictures.push_back(&button->RadioImage);
    }
    return pictures;
}

} // namespace

std::unique_ptr<TSkinElements> Drawn200(const TSkinElements& base, const TSkinElements& loaded)
{
    const std::vector<const TDataSkinObject*> from = base.All();
    const std::vector<const TDataSkinObject*> drawn = loaded.All();
    if (from.size() != drawn.size())
        return nullptr;
    std::unique_ptr<TSkinElements> result = ScaleElements(base, TScaleFactor::Of(2, 1));
    const std::vector<TDataSkinObject*> to = result->All();
    for (std::size_t i = 0; i < to.size(); ++i) {
        if (typeid(*from[i]) != typeid(*drawn[i]))
            return nullptr;
        const auto source = Pictures(const_cast<TDataSkinObject&>(*from[i]));
        const auto large = Pictures(const_cast<TDataSkinObject&>(*drawn[i]));
        const auto target = Pictures(*to[i]);
        for (std::size_t p = 0; p < target.size(); ++p) {
            const bool twice = !large[p]->Empty() && large[p]->Width() == 2 * source[p]->Width() &&
                               large[p]->Height() == 2 * source[p]->Height();
            if (twice)
                target[p]->Assign(*large[p]);
        }
    }
    return result;
}

std::pair<const TSkinElements*, TScaleFactor> TScaledSkins::Source(const TSkinElements& base, int dpi)
{
    if (dpi > 144 && !m_drawn200Read && m_readDrawn200) {
        m_drawn200Read = true;
        try {
            m_drawn200 = m_readDrawn200();
        } catch (...) {
            // Out of memory or a bitmap the system cannot make: the 96-DPI
            // pictures are scaled instead.
            m_drawn200.reset();
        }
    }
    if (m_drawn200 && dpi > 144)
        return {m_drawn200.get(), TScaleFactor::Of(dpi, 192)};
    return {&base, TScaleFactor::FromDpi(dpi)};
}

std::size_t TScaledSkins::Bytes() const
{
    std::size_t bytes = m_drawn200 ? ElementPixelBytes(*m_drawn200) : 0;
    for (const auto& [dpi, set] : m_sets)
        bytes += ElementPixelBytes(*set);
    return bytes;
}

const TSkinElements& TScaledSkins::At(const TSkinElements& base, int dpi)
{
    dpi = ClampSkinDpi(dpi);
    if (TScaleFactor::FromDpi(dpi).Identity())
        return base;
    if (auto found = m_sets.find(dpi); found != m_sets.end())
        return *found->second;
    const auto [source, f] = Source(base, dpi);
    // Charged from the sizes alone, before anything is scaled.
    const double area = double(f.Numerator()) * f.Numerator() / (double(f.Denominator()) * f.Denominator());
    const double wanted = double(ElementPixelBytes(*source)) * area + double(Bytes());
    if (wanted > double(ScaledSkinBudgetBytes))
        return base;
    try {
        auto& set = m_sets[dpi];
        set = ScaleElements(*source, f);
        return *set;
    } catch (...) {
        // The system could not make a bitmap: this DPI draws the base set.
        m_sets.erase(dpi);
        return base;
    }
}

void TScaledSkins::Rebuild(const TSkinElements& base)
{
    m_drawn200.reset();
    m_drawn200Read = false;
    for (auto& [dpi, set] : m_sets) {
        try {
            const auto [source, f] = Source(base, dpi);
            std::unique_ptr<TSkinElements> fresh = ScaleElements(*source, f);
            set->TakeOver(*fresh);
        } catch (...) {
            // Kept as it was: see the header.
        }
    }
}

} // namespace tarnivo
