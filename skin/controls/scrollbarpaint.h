#pragma once
// Drawing one skinned scroll bar: arrows, track, thumb body and grip from the
// skin's "Scrollbar" strip (23 frames) and the track and thumb elements.
// The overlay windows and the combo box's drop-down list both draw with it.

#include "framework/bitmap.h"
#include "framework/graphics.h"

#include <windows.h>

#include <cstdint>

namespace tarnivo {

class TSkinElements;
struct TThumbShape;

// Scroll-bar part codes as the system's notifications name them; the overlay
// keeps one of them as the part shown hot or pressed.
namespace sbpart {
constexpr int None = -1;
constexpr int FirstArrow = SB_LINEUP;     // 0
constexpr int SecondArrow = SB_LINEDOWN;  // 1
constexpr int PageBefore = SB_PAGEUP;     // 2
constexpr int PageAfter = SB_PAGEDOWN;    // 3
constexpr int Thumb = SB_THUMBTRACK;      // 5
} // namespace sbpart

// Frames of the "Scrollbar" strip.
namespace sbframe {
constexpr int Count = 23;
constexpr int LeftArrow = 1;
constexpr int RightArrow = 5;
constexpr int UpArrow = 9;
constexpr int DownArrow = 13;
constexpr int HorzGrip = 17;
constexpr int VertGrip = 20;
constexpr int TrackCount = 4;
constexpr int TrackEnabled = 1;
constexpr int TrackDisabled = 3;
} // namespace sbframe

struct TScrollBarLook {
    bool Vertical = true;
    int Width = 0;          // the bar as the system reports it
    int Height = 0;
    int ThumbStart = 0;     // along the axis, from the bar's start
    int ThumbEnd = 0;
    bool Enabled = true;
    int ArrowSize = 0;      // SM_CXHSCROLL
    int Part = sbpart::None;
    bool Pressed = false;
};

// Whether the skin draws scroll bars at all: a "Scrollbar" strip with pixels.
bool SkinHasScrollBars(const TSkinElements& elements);
// The bar's thickness: the strip's height, or the system's arrow size when
// the two differ by more than 2 pixels.
int ScrollBarThickness(const TSkinElements& elements, int arrowSize);
// The arrow length: the system's, or half a bar too short for two.
int ScrollArrowLength(int length, int arrowSize);
// Draws the bar at (0, 0) of `dc`, `look.Width` x `look.Height`, the face
// colour under everything. Nothing without a "Scrollbar" strip.
void DrawScrollBar(HDC dc, const TSkinElements& elements, TColor face,
                   const TScrollBarLook& look);
// The same, composed off-screen and copied to `at` in one transfer.
void DrawScrollBarBuffered(HDC dc, POINT at, const TSkinElements& elements, TColor face,
                           const TScrollBarLook& look);

// A thumb (body and grip) drawn once and kept: a scroll step lays it on the
// track with two blits instead of drawing the body's nine-grid and the grip
// again. It is drawn twice, over black and over white, so that the pixels
// its drawing left alone are known exactly (whatever their colours, magenta
// included): those stay the track's. Drawn again when its size, state or
// the skin changes.
class TThumbImage {
public:
    // Draws the thumb of `look` into `dc` (the bar's origin at (0, 0)); the
    // pixels are those of DrawScrollBar's thumb.
    void Draw(HDC dc, const TSkinElements& elements, const TScrollBarLook& look);
    // The span along the axis that the thumb of `look` covers (grip
    // included); empty when nothing is drawn.
    static void Span(const TSkinElements& elements, const TScrollBarLook& look, int& from,
                     int& to);
    void Forget() { m_valid = false; }

    struct TKey {
        const TSkinElements* Elements = nullptr;
        std::uint32_t Generation = 0;
        bool Vertical = false;
        int Thickness = 0;
        int Length = 0;       // from the first pixel drawn to the last
        int BodyFrom = 0;     // body and grip relative to that first pixel
        int BodyTo = 0;
        int GripFrom = 0;
        int GripTo = 0;
        int State = 0;        // normal, hot or pressed
        bool operator==(const TKey&) const = default;
    };

private:
    bool Compose(const TSkinElements& elements, const TScrollBarLook& look,
                 const TThumbShape& shape, int offset, const TKey& key);

    TBitmap m_image;    // the thumb's pixels, black where it draws nothing
    TBitmap m_mask;     // black where it draws, white where the track shows
    bool m_valid = false;
    bool m_opaque = false;   // every pixel drawn: one copy is enough
    TKey m_key;
};

// How much of a bar a paint must copy to the window.
enum class TBarRefresh {
    Whole,     // the window lost its pixels (its own WM_PAINT)
    Changes,   // the window still shows the last paint: only what differs
};

// One bar's painter that keeps what it composed: the bar without its thumb
// (face, track, arrows) and the bar as last copied to the window. A scroll
// step changes only the thumb, so it restores the track under the old thumb,
// draws the new one and copies just that span; a paint that changes nothing
// copies nothing. The pixels are those of DrawScrollBar: the same drawing,
// in the same order, over the same background.
class TScrollBarPainter {
public:
    // Paints `look` into `dc` at `at`. False when the skin draws no bars.
    bool Paint(HDC dc, POINT at, const TSkinElements& elements, TColor face,
               const TScrollBarLook& look, TBarRefresh refresh);
    // Whether a paint with TBarRefresh::Changes would leave the window as it
    // is (so a caller need not even get a DC).
    bool Current(const TSkinElements& elements, TColor face, const TScrollBarLook& look) const;
    // The next paint composes everything again.
    void Forget()
    {
        m_shown = false;
        m_trackValid = false;
        m_thumb.Forget();
    }

private:
    bool TrackMatches(const TSkinElements& elements, TColor face,
                      const TScrollBarLook& look) const;
    void ComposeTrack(const TSkinElements& elements, TColor face, const TScrollBarLook& look);

    TBitmap m_track;                 // the bar without its thumb
    TBitmap m_bar;                   // the bar as last copied to the window
    TThumbImage m_thumb;
    bool m_trackValid = false;
    bool m_shown = false;            // m_bar holds m_last
    const TSkinElements* m_elements = nullptr;
    std::uint32_t m_generation = 0;  // of the elements the track was drawn from
    TColor m_face = 0;
    TScrollBarLook m_last;           // what m_bar shows
};

} // namespace tarnivo
