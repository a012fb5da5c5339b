#include "skinelements.h"

#include <initializer_list>

namespace tarnivo {

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

} // namespace tarnivo
