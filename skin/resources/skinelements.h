#pragma once
// The element objects of a loaded skin: one per skinned part of the user
// interface (a border, the caption, a caption button, the push-button faces,
// a scroll-bar part, ...). Each holds the part's image with its state frames,
// the margins that stay unscaled when the image is stretched, transparency and
// tiling switches and a few colours. The skin loader fills them from the
// skin's INI text; painters only read them.

#include "skincolors.h"

#include "framework/bitmap.h"
#include "framework/framecell.h"
#include "framework/graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

// Edge widths of an image that a nine-grid draw copies 1:1.
struct TSkinMargins {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

// How an image holds its state frames (TFrameLayout: left to right, or top
// to bottom) is the framework's, in framework/framecell.h; which one applies
// is the painter's knowledge, not the element's.

// The rectangle of frame `frame` (counted from 1) of `frameCount` equal frames
// of `image`, in image coordinates. A frame is image width / frameCount wide
// (stacked: high), rounded down; pixels left over at the far end belong to no
// frame. Answers an empty rectangle (0, 0, 0, 0) for an empty image, a frame
// count below 1, a frame outside 1..frameCount, or frames less than a pixel
// wide; a painter then draws the system look as for an absent element.
TRect FrameRect(const TBitmap& image, int frameCount, int frame, TFrameLayout layout);

class TDataSkinObject : public TObject {
public:
    TDataSkinObject() = default;
    explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
    std::string ClassName() const override { return "TDataSkinObject"; }

    TSkinMargins Margins;
    TBitmap Image;
    std::int32_t Trans = 0;        // not 0: magenta pixels of Image are transparent
    // 1: the middle is tiled; 0: stretched. The same for every element: the
    // window borders' "<Side>Stretch" and the menu bar's "TileMenu", whose 1
    // means stretched, are turned into this sense on loading (see
    // TDataSkinBorder::Stretch).
    std::int32_t Tile = 0;
    std::string Name;              // the INI section the element came from
    std::int32_t FrameCount = 0;   // equal state images held in Image
    std::int32_t Style = 0;
    // Colour numbers from the INI: a plain or system colour, or clNotGiven
    // (also for elements whose reader reads none).
    TColor NormalColor = clNotGiven;
    TColor MouseOverColor = clNotGiven;
    TColor PressedColor = clNotGiven;
    // Text colours for the three mouse states; the button text colour when
    // the skin names none, clNotGiven for elements whose reader reads none.
    TColor NormalTextColor = clNotGiven;
    TColor MouseOverTextColor = clNotGiven;
    TColor PressedTextColor = clNotGiven;

    // Whether there is anything to draw: the image holds pixels.
    bool HasImage() const { return !Image.Empty(); }
    // Width of one frame when the frames lie side by side (0 without frames).
    int FrameWidth() const { return FrameCount > 0 ? Image.Width() / FrameCount : 0; }
    // Height of one frame when the frames are stacked.
    int FrameHeight() const { return FrameCount > 0 ? Image.Height() / FrameCount : 0; }
    // Frame `frame` (from 1) of Image by FrameCount; see the free FrameRect.
    TRect FrameRect(int frame, TFrameLayout layout = TFrameLayout::SideBySide) const
    {
        return tarnivo::FrameRect(Image, FrameCount, frame, layout);
    }

    // Exchanges everything but the object's identity with `other`, which must
    // be of the same class: how a fixed element takes a new skin's content
    // while every pointer to it stays valid. Never throws.
    virtual void SwapContent(TDataSkinObject& other);
};

// Whether a painter can draw from an element: it exists and its image holds
// pixels. Everything else (null, an empty or unreadable image) is a request
// to draw the system look.
inline bool ElementPresent(const TDataSkinObject* element)
{
    return element && element->HasImage();
}
template <typename T>
bool ElementPresent(const std::unique_ptr<T>& element)
{
    return ElementPresent(element.get());
}

// An element with a second image (borders, tabs, up-down buttons, progress).
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinBorder"; }
    void SwapContent(TDataSkinObject& other) override;

    TBitmap Image2;
    // The four window borders only: the skin's "<Side>Stretch" value as
    // read (default 1; above 1 read as 1). Mind the sense: 1 STRETCHES the
    // border's middle and any other value tiles it, the opposite of "Tile".
    // The loader has already turned it into Tile (1 when Stretch is not 1),
    // so painters read Tile like for every other element; this keeps the
    // skin's own value for tools and tests. Other borders leave it at 1.
    std::int32_t Stretch = 1;
};

// The push-button faces plus the check-box and radio-button images.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinButton"; }
    void SwapContent(TDataSkinObject& other) override;

    TBitmap CheckImage;
    TBitmap RadioImage;
    std::int32_t RadioFrameCount = 0;
    std::int32_t CheckFrameCount = 0;
    // Whether the skin gave each text colour, so a painter can keep the
    // control's own colour where it did not.
    bool HasNormalTextColor = false;
    bool HasMouseOverTextColor = false;
    bool HasPressedTextColor = false;
};

// The caption. Its margins hold the text placement: Left = text shift,
// Top = vertical text shift, Right = right clip, Bottom = 0.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinTitle"; }
    void SwapContent(TDataSkinObject& other) override;

    std::int32_t TextAlignment = 0;
    std::int32_t TextBackground = 0;
    std::int32_t FontHeight = 0;
    // Whether [Fonts] names a FontHeight: without one the caption keeps the
    // system caption font (FontHeight then holds the loader's default).
    bool FontHeightGiven = false;
    std::int32_t TextBackLeft = 0;
    std::int32_t TextBackRight = 0;
    // clNotGiven when the skin gives no colour.
    TColor ActiveTextColor = clNotGiven;
    TColor InactiveTextColor = clNotGiven;
};

// The group-box label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinBoxLabel"; }
    void SwapContent(TDataSkinObject& other) override;

    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};

// One caption button. The codes are interpreted by the caption-button code;
// CombineOp is kept as read and drawn by nobody.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinSysButton"; }
    void SwapContent(TDataSkinObject& other) override;

    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t CombineOp = 0;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

// The six track-bar thumbs, in loading order.
enum TTrackThumb { ttHorz, ttVert, ttLeft, ttRight, ttUp, ttDown };
constexpr int TrackThumbCount = ttDown + 1;
// Section name of a thumb ("Trackbar.ThumbHorz", ...).
const char* TrackThumbSection(TTrackThumb thumb);

// Everything one skin load produces. An optional element is null when the
// skin does not have it, and a painter then leaves that part to the system
// look (ElementPresent tells both cases apart from a drawable element).
//
// Left, Right, Top, Bottom, Buttons and Title are fixed: they exist from
// construction, empty, and keep their address for the life of the set, a new
// skin being swapped into them (TakeOver). Track, TrackVert, ComboxArrow and
// Toolbar exist after the first load and keep their address from then on.
// Caption buttons and optional elements are made anew by every load.
class TSkinElements {
public:
    TSkinElements();
    TSkinElements(const TSkinElements&) = delete;
    TSkinElements& operator=(const TSkinElements&) = delete;

    std::string SkinName;
    TSchemeColors Colors = DefaultSchemeColors();
    TCustomColors CustomColors = {clWhite, clWhite, clWhite, clWhite, clWhite,
                                  clWhite, clWhite, clWhite, clWhite, clWhite};

    const std::unique_ptr<TDataSkinBorder> Left;
    const std::unique_ptr<TDataSkinBorder> Right;
    const std::unique_ptr<TDataSkinBorder> Top;
    const std::unique_ptr<TDataSkinBorder> Bottom;
    // Caption buttons in INI order, then the three MDI child buttons
    // (actions 7, 8 and 9).
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    const std::unique_ptr<TDataSkinButton> Buttons;
    const std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::array<std::unique_ptr<TDataSkinObject>, TrackThumbCount> TrackThumbs;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;
    std::unique_ptr<TDataSkinObject> Track;
    std::unique_ptr<TDataSkinObject> TrackVert;
    std::unique_ptr<TDataSkinObject> ComboxArrow;
    std::unique_ptr<TDataSkinObject> Toolbar;

    // Every element that exists, for walks over the whole skin (caption
    // buttons included).
    std::vector<TDataSkinObject*> All();
    std::vector<const TDataSkinObject*> All() const;

    // Makes `fresh`, a completely loaded set, the content of this one: the
    // fixed elements (and Track, TrackVert, ComboxArrow, Toolbar once they
    // exist) swap contents and keep their addresses, everything else changes
    // hands. `fresh` is left with the old content, to be freed. Counts one
    // generation. Never throws, so a load either completes or changes nothing.
    void TakeOver(TSkinElements& fresh);

    // Changes with every TakeOver (every completed skin load), never
    // otherwise: a painter that caches something derived from the elements
    // keeps the generation it was made from and rebuilds when it differs.
    // 0 before the first load.
    std::uint32_t Generation() const { return m_generation; }

private:
    std::uint32_t m_generation = 0;
};

} // namespace tarnivo
