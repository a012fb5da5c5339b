#include "skinpartskit.h"

#include "skintestkit.h"

namespace tarnivo::test {

TColor TabOuter(int frame) { return RGBColor(200, 20 * frame, 0); }
TColor TabInner(int frame) { return RGBColor(0, 20 * frame, 200); }
TColor ButtonColor(int frame) { return RGBColor(70, 70 + 30 * frame, 20); }
TColor ThumbColor(int frame) { return RGBColor(50 * frame, 255 - 40 * frame, 90); }
TColor UpDownVert(int frame) { return RGBColor(20 * frame, 100, 250 - 20 * frame); }
TColor UpDownHorz(int frame) { return RGBColor(100, 20 * frame, 30); }

namespace {

std::string Strip(int frames, int side, TColor (*color)(int))
{
    return Bmp(frames * side, side, [=](int x, int) { return color(x / side + 1); });
}

} // namespace

void ClearStage(TForm& form, TPanel& panel, HWND raw)
{
    panel.SetVisible(false);
    ShowWindow(raw, SW_HIDE);
    form.SetBounds(60, 60, 420, 320);
    Pump();
}

bool LoadPartsSkin(TSkinData& data, const std::string& extraIni, const Files& extraFiles)
{
    const std::string ini =
        "[TitlebarSkin]\nSkinName=Parts\n[Colours]\nButtonFace=10 20 30\n"
        "[Buttons]\nBitmap=buttons.bmp\n"
        "[Tabs]\nImage=tabs.bmp\nBorder=pane.bmp\nStyle=0\n"
        "[Progress]\nBitmap=progress.bmp\n"
        "[Track]\nImage=track.bmp\n"
        "[Trackbar.ThumbHorz]\nImage=thumb.bmp\n"
        "[Trackbar.ThumbVert]\nImage=thumb.bmp\n"
        "[UpDown.Vert]\nImage=updownv.bmp\nGlyphImage=glyph.bmp\n"
        "[UpDown.Horz]\nImage=updownh.bmp\n" +
        extraIni;
    Files files = {
        {"tabs.bmp", Bmp(50, 10, [](int x, int y) {
             return y < 5 ? TabOuter(x / 10 + 1) : TabInner(x / 10 + 1);
         })},
        {"buttons.bmp", Strip(5, 10, ButtonColor)},
        {"pane.bmp", Bmp(12, 12, kPane)},
        {"progress.bmp", Bmp(16, 8, [](int x, int) { return x < 8 ? kProgressEmpty : kProgressFull; })},
        {"track.bmp", Bmp(12, 4, kTrack)},
        {"thumb.bmp", Strip(5, 8, ThumbColor)},
        {"updownv.bmp", Strip(8, 8, UpDownVert)},
        {"updownh.bmp", Strip(8, 8, UpDownHorz)},
        // A 2 x 2 glyph on a magenta 6 x 6 cell, every frame alike.
        {"glyph.bmp", Bmp(48, 6, [](int x, int y) {
             const int cx = x % 6;
             return cx >= 2 && cx < 4 && y >= 2 && y < 4 ? kGlyph : RGBColor(255, 0, 255);
         })},
    };
    files.insert(files.end(), extraFiles.begin(), extraFiles.end());
    return LoadSkin(data, ini, files);
}

} // namespace tarnivo::test
