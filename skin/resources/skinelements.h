#pragma once
// The element objects of a loaded skin: one per skinned part of the user
// interface (a border, the caption, a caption button, the push-button faces,
// a scroll-bar part, ...). Each holds the part's image with its state frames,
// the margins that stay unscaled when the image is stretched, transparency and
// tiling switches and a few colours. The skin loader fills them from the
// skin's INI text; painters only read them.

#include "skincolors.h"

#include "framework/bitmap.h"
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

class TDataSkinObject : public TObject {
public:
    TDataSkinObject() = default;
    explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
    std::string ClassName() const override { return "TDataSkinObject"; }

    TSkinMargins Margins;
    TBitmap Image;
    std::int32_t Trans = 0;        // not 0: magenta pixels of Image are transparent
    std::int32_t Tile = 0;         // 1: the middle is tiled; 0: stretched
    std::string Name;              // the INI section the element came from
    std::int32_t FrameCount = 0;   // equal state images held in Image
    std::int32_t Style = 0;
    // Colour numbers from the INI; -1 when the skin gives none. Elements whose
    // reader does not read them keep 0.
    TColor NormalColor = 0;
    TColor MouseOverColor = 0;
    TColor PressedColor = 0;
    // Text colours for the three mouse states.
    TColor NormalTextColor = 0;
    TColor MouseOverTextColor = 0;
    TColor PressedTextColor = 0;

    // Width of one frame when the frames lie side by side (0 without frames).
    int FrameWidth() const { return FrameCount > 0 ? Image.Width() / FrameCount : 0; }
    // Height of one frame when the frames are stacked.
    int FrameHeight() const { return FrameCount > 0 ? Image.Height() / FrameCount : 0; }
};

// An element with a second image (borders, tabs, up-down buttons, progress).
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinBorder"; }

    TBitmap Image2;
};

// The push-button faces plus the check-box and radio-button images.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinButton"; }

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

    std::int32_t TextAlignment = 0;
    std::int32_t TextBackground = 0;
    std::int32_t FontHeight = 0;
    std::int32_t TextBackLeft = 0;
    std::int32_t TextBackRight = 0;
    // clNone when the skin gives no colour.
    TColor ActiveTextColor = clNone;
    TColor InactiveTextColor = clNone;
};

// The group-box label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::string ClassName() const override { return "TDataSkinBoxLabel"; }

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
// look. Left, Right, Top, Bottom, Buttons and Title exist from construction;
// after a load Track, TrackVert, ComboxArrow and Toolbar exist too, and
// SysButtons holds at least the three buttons of a maximised MDI child.
class TSkinElements {
public:
    TSkinElements();
    TSkinElements(const TSkinElements&) = delete;
    TSkinElements& operator=(const TSkinElements&) = delete;

    std::string SkinName;
    TSchemeColors Colors = DefaultSchemeColors();
    TCustomColors CustomColors = {clWhite, clWhite, clWhite, clWhite, clWhite,
                                  clWhite, clWhite, clWhite, clWhite, clWhite};

    std::unique_ptr<TDataSkinBorder> Left;
    std::unique_ptr<TDataSkinBorder> Right;
    std::unique_ptr<TDataSkinBorder> Top;
    std::unique_ptr<TDataSkinBorder> Bottom;
    // Caption buttons in INI order, then the three MDI child buttons
    // (actions 7, 8 and 9).
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::unique_ptr<TDataSkinTitle> Title;
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
};

} // namespace tarnivo
