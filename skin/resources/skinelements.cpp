#include "skinelements.h"

#include <cassert>
#include <initializer_list>
#include <typeinfo>
#include <utility>

namespace tarnivo {

TRect FrameRect(const TBitmap& image, int frameCount, int frame, TFrameLayout layout)
{
    if (image.Empty() || frameCount < 1 || frame < 1 || frame > frameCount)
        return TRect{};
    const bool stacked = layout == TFrameLayout::Stacked;
    const int step = (stacked ? image.Height() : image.Width()) / frameCount;
    if (step < 1)
        return TRect{};
    const int start = (frame - 1) * step;
    return stacked ? Rect(0, start, image.Width(), start + step)
                   : Rect(start, 0, start + step, image.Height());
}

void TDataSkinObject::SwapContent(TDataSkinObject& other)
{
    assert(typeid(*this) == typeid(other));
    using std::swap;
    swap(Margins, other.Margins);
    Image.Swap(other.Image);
    swap(Trans, other.Trans);
    swap(Tile, other.Tile);
    swap(Name, other.Name);
    swap(FrameCount, other.FrameCount);
    swap(Style, other.Style);
    swap(NormalColor, other.NormalColor);
    swap(MouseOverColor, other.MouseOverColor);
    swap(PressedColor, other.PressedColor);
    swap(NormalTextColor, other.NormalTextColor);
    swap(MouseOverTextColor, other.MouseOverTextColor);
    swap(PressedTextColor, other.PressedTextColor);
}

void TDataSkinBorder::SwapContent(TDataSkinObject& other)
{
    TDataSkinObject::SwapContent(other);
    auto& o = static_cast<TDataSkinBorder&>(other);
    Image2.Swap(o.Image2);
    std::swap(Stretch, o.Stretch);
}

void TDataSkinButton::SwapContent(TDataSkinObject& other)
{
    TDataSkinObject::SwapContent(other);
    auto& o = static_cast<TDataSkinButton&>(other);
    CheckImage.Swap(o.CheckImage);
    RadioImage.Swap(o.RadioImage);
    std::swap(RadioFrameCount, o.RadioFrameCount);
    std::swap(CheckFrameCount, o.CheckFrameCount);
    std::swap(HasNormalTextColor, o.HasNormalTextColor);
    std::swap(HasMouseOverTextColor, o.HasMouseOverTextColor);
    std::swap(HasPressedTextColor, o.HasPressedTextColor);
}

void TDataSkinTitle::SwapContent(TDataSkinObject& other)
{
    TDataSkinObject::SwapContent(other);
    auto& o = static_cast<TDataSkinTitle&>(other);
    std::swap(TextAlignment, o.TextAlignment);
    std::swap(TextBackground, o.TextBackground);
    std::swap(FontHeight, o.FontHeight);
    std::swap(FontHeightGiven, o.FontHeightGiven);
    std::swap(TextBackLeft, o.TextBackLeft);
    std::swap(TextBackRight, o.TextBackRight);
    std::swap(ActiveTextColor, o.ActiveTextColor);
    std::swap(InactiveTextColor, o.InactiveTextColor);
}

void TDataSkinBoxLabel::SwapContent(TDataSkinObject& other)
{
    TDataSkinObject::SwapContent(other);
    auto& o = static_cast<TDataSkinBoxLabel&>(other);
    std::swap(BackgroundLeftShift, o.BackgroundLeftShift);
    std::swap(BackgroundRightShift, o.BackgroundRightShift);
    std::swap(BackgroundAlignment, o.BackgroundAlignment);
}

void TDataSkinSysButton::SwapContent(TDataSkinObject& other)
{
    TDataSkinObject::SwapContent(other);
    auto& o = static_cast<TDataSkinSysButton&>(other);
    std::swap(Action, o.Action);
    std::swap(Align, o.Align);
    std::swap(X, o.X);
    std::swap(Y, o.Y);
    std::swap(CombineOp, o.CombineOp);
    std::swap(Visibility, o.Visibility);
    std::swap(Visibility1, o.Visibility1);
}

const char* TrackThumbSection(TTrackThumb thumb)
{
    static constexpr const char* Sections[TrackThumbCount] = {
        "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft",
        "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown"};
    return Sections[thumb];
}

TSkinElements::TSkinElements()
    : Left(std::make_unique<TDataSkinBorder>("Left")),
      Right(std::make_unique<TDataSkinBorder>("Right")),
      Top(std::make_unique<TDataSkinBorder>("Top")),
      Bottom(std::make_unique<TDataSkinBorder>("Bottom")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons")),
      Title(std::make_unique<TDataSkinTitle>("Title"))
{
}

std::vector<const TDataSkinObject*> TSkinElements::All() const
{
    std::vector<TDataSkinObject*> all = const_cast<TSkinElements*>(this)->All();
    return std::vector<const TDataSkinObject*>(all.begin(), all.end());
}

std::vector<TDataSkinObject*> TSkinElements::All()
{
    std::vector<TDataSkinObject*> all;
    auto add = [&all](TDataSkinObject* e) {
        if (e)
            all.push_back(e);
    };
    add(Left.get());
    add(Right.get());
    add(Top.get());
    add(Bottom.get());
    for (const auto& b : SysButtons)
        add(b.get());
    const std::initializer_list<TDataSkinObject*> middle = {
        Buttons.get(), Title.get(), Progress.get(), ProgressChunk.get(), MenuBar.get(),
        GroupBoxEdge.get(), GroupBox.get(), Tabs.get(), StatusBarEdges.get(), TabPane.get(),
        ToolBars.get(), ComboButton.get(), SunkEdge.get(), ExtraImages.get(), Headerbar.get(),
        MenuItem.get(), MenuBackground.get(), Scrollbar.get(), HorzScroll.get(),
        VertScroll.get(), HorzScrollThumb.get(), VertScrollThumb.get()};
    for (TDataSkinObject* e : middle)
        add(e);
    for (const auto& t : TrackThumbs)
        add(t.get());
    add(UpDownHorz.get());
    add(UpDownVert.get());
    add(Track.get());
    add(TrackVert.get());
    add(ComboxArrow.get());
    add(Toolbar.get());
    return all;
}

namespace {

// An element that always exists after a load keeps the object of the first
// load: the new content moves into it. Before that first load (or should a
// loader ever leave it out) the pointer itself changes hands.
template <typename T>
void KeepOnceMade(std::unique_ptr<T>& kept, std::unique_ptr<T>& fresh)
{
    if (kept && fresh) {
        TDataSkinObject& old = *kept;
        TDataSkinObject& now = *fresh;
        if (typeid(old) == typeid(now)) {
            old.SwapContent(now);
            return;
        }
    }
    kept.swap(fresh);
}

} // namespace

void TSkinElements::TakeOver(TSkinElements& fresh)
{
    using std::swap;
    swap(SkinName, fresh.SkinName);
    swap(Colors, fresh.Colors);
    swap(CustomColors, fresh.CustomColors);
    Left->SwapContent(*fresh.Left);
    Right->SwapContent(*fresh.Right);
    Top->SwapContent(*fresh.Top);
    Bottom->SwapContent(*fresh.Bottom);
    Buttons->SwapContent(*fresh.Buttons);
    Title->SwapContent(*fresh.Title);
    SysButtons.swap(fresh.SysButtons);
    Progress.swap(fresh.Progress);
    ProgressChunk.swap(fresh.ProgressChunk);
    MenuBar.swap(fresh.MenuBar);
    GroupBoxEdge.swap(fresh.GroupBoxEdge);
    GroupBox.swap(fresh.GroupBox);
    Tabs.swap(fresh.Tabs);
    StatusBarEdges.swap(fresh.StatusBarEdges);
    TabPane.swap(fresh.TabPane);
    ToolBars.swap(fresh.ToolBars);
    ComboButton.swap(fresh.ComboButton);
    SunkEdge.swap(fresh.SunkEdge);
    ExtraImages.swap(fresh.ExtraImages);
    Headerbar.swap(fresh.Headerbar);
    MenuItem.swap(fresh.MenuItem);
    MenuBackground.swap(fresh.MenuBackground);
    Scrollbar.swap(fresh.Scrollbar);
    HorzScroll.swap(fresh.HorzScroll);
    VertScroll.swap(fresh.VertScroll);
    HorzScrollThumb.swap(fresh.HorzScrollThumb);
    VertScrollThumb.swap(fresh.VertScrollThumb);
    TrackThumbs.swap(fresh.TrackThumbs);
    UpDownHorz.swap(fresh.UpDownHorz);
    UpDownVert.swap(fresh.UpDownVert);
    KeepOnceMade(Track, fresh.Track);
    KeepOnceMade(TrackVert, fresh.TrackVert);
    KeepOnceMade(ComboxArrow, fresh.ComboxArrow);
    KeepOnceMade(Toolbar, fresh.Toolbar);
    ++m_generation;
}

} // namespace tarnivo
