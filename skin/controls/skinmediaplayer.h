#pragma once
// The media player: its own buttons stay in place and working, covered by a
// face window (TWMediaPlayer) that draws each visible button as a skin
// button face with the player's glyph and passes presses on to the player.

#include "skin/controls/skincontrol.h"

#include <array>

namespace tarnivo {

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
enum TMPGlyph { mgEnabled, mgDisabled, mgColored };
using TButtonSet = TSet<TMPBtnType>;

constexpr int MPButtonCount = btEject + 1;
// What FindButton answers where there is no button.
constexpr int MPNoButton = MPButtonCount;

// "btPlay" ... "btEject", as the player's sets spell them.
const char* MPButtonIdent(TMPBtnType button);
// A set read from the text of a set property: a button is in it when its
// identifier occurs in the text.
TButtonSet ParseButtonSet(const std::string& text);

// The face window laid over a media player, on the player's parent.
class TWMediaPlayer : public TCustomControl {
public:
    // Transparent colour of the player's glyph bitmaps (olive).
    static constexpr TColor GlyphKey = RGBColor(128, 128, 0);

    explicit TWMediaPlayer(TComponent* owner);
    std::string ClassName() const override { return "TWMediaPlayer"; }

    // Lays the face over `player`, takes the skin's DisableTag so that
    // discovery never skins the face itself, and loads the glyphs.
    void Attach(TSkinData* skinData, TWinControl* player);
    // The player's bounds again.
    void SetPosition();
    // The glyph of each button in each look: the "EN_", "DI_" and "CL_"
    // bitmap resources of the program; a drawn glyph where one is missing.
    void LoadBitmaps();
    // Reads "VisibleButtons" and counts them.
    void CheckButtons();
    // The visible button whose span (both ends included) holds `x`, in
    // button order; MPNoButton for none.
    int FindButton(int x) const;

    int VisibleCount() const { return m_visibleCount; }
    int Pressed() const { return m_pressed; }
    const TBitmap& Glyph(TMPBtnType button, TMPGlyph look) const { return m_glyphs[button][look]; }

    void WndProc(TMessage& message) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    int ButtonWidth() const;
    void DrawButton(HDC dc, TMPBtnType button, const TRect& rect, bool enabled, bool colored);
    void WMLButtonDown(TMessage& message);
    void WMLButtonUp(TMessage& message);

    TSkinData* m_skinData = nullptr;
    TWinControl* m_player = nullptr;
    std::array<std::array<TBitmap, 3>, MPButtonCount> m_glyphs;
    TButtonSet m_visible;
    int m_visibleCount = 0;
    int m_pressed = MPNoButton;   // the button pressed, until the release
    bool m_down = false;
};

class TSkinMP : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinMP"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Unsubclass() override;
    void SkinChange() override;
    void AfterProc(TMessage& message) override;

    TWMediaPlayer* Player() const { return FPlayer; }

private:
    TWMediaPlayer* FPlayer = nullptr;   // owned (a component of this object)
};

} // namespace tarnivo
