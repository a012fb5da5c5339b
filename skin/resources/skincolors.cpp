#include "skincolors.h"

#include "quickini.h"

#include <string>

namespace tarnivo {

namespace {

constexpr TSchemeColorKey Keys[] = {
    {csText, "WindowText", SystemColor(COLOR_WINDOWTEXT)},
    {csTitleTextActive, "TitleTextActive", SystemColor(COLOR_CAPTIONTEXT)},
    {csTitleTextNoActive, "TitleTextNoActive", SystemColor(COLOR_INACTIVECAPTIONTEXT)},
    {csButtonFace, "ButtonFace", SystemColor(COLOR_BTNFACE)},
    {csButtonText, "ButtonText", SystemColor(COLOR_BTNTEXT)},
    {csButtonHilight, "ButtonHilight", SystemColor(COLOR_BTNHIGHLIGHT)},
    {csButtonlight, "Buttonlight", SystemColor(COLOR_BTNHIGHLIGHT)},
    {csButtonShadow, "ButtonShadow", SystemColor(COLOR_BTNSHADOW)},
    {csButtonDkshadow, "ButtonDkShadow", SystemColor(COLOR_3DDKSHADOW)},
    {csHilightText, "HilightText", SystemColor(COLOR_HIGHLIGHTTEXT)},
    {csHilight, "Hilight", SystemColor(COLOR_HIGHLIGHT)},
    {csMenuBarText, "MenuBarText", SystemColor(COLOR_MENUTEXT)},
    {csMenuText, "MenuText", SystemColor(COLOR_MENUTEXT)},
    {csMenubg, "Menu", SystemColor(COLOR_MENU)},
    {csScrollbar, "Scrollbar", SystemColor(COLOR_SCROLLBAR)},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::span<const TSchemeColorKey> SchemeColorKeys()
{
    return Keys;
}

TSchemeColors DefaultSchemeColors()
{
    TSchemeColors colors{};
    for (const TSchemeColorKey& k : Keys)
        colors[k.Member] = k.Missing;
    colors[csMenuBar] = colors[csButtonFace];
    // Not read from skins; these keep the system's look.
    colors[csSelectText] = SystemColor(COLOR_HIGHLIGHTTEXT);
    colors[csSelectBg] = SystemColor(COLOR_HIGHLIGHT);
    colors[csCaption] = SystemColor(COLOR_BTNFACE);
    colors[csTextDisable] = SystemColor(COLOR_GRAYTEXT);
    return colors;
}

std::optional<TColor> ParseColorText(std::string_view text)
{
    text = TQuickIni::Trim(text);
    if (text.empty())
        return std::nullopt;
    int numbers[3] = {0, 0, 0};
    int found = 0;
    int run = 0;          // the current digit run, modulo 256 as it grows
    bool inRun = false;
    for (char c : text) {
        if (IsDigit(c)) {
            run = (run * 10 + (c - '0')) % 256;
            inRun = true;
            continue;
        }
        if (inRun && found < 3)
            numbers[found++] = run;
        run = 0;
        inRun = false;
    }
    // A run that the text ends is a number only as the third of three.
    if (inRun && found == 2)
        numbers[found++] = run;
    return RGBColor(numbers[0], numbers[1], numbers[2]);
}

TColor ReadColorText(const TQuickIni& ini, std::string_view section, std::string_view key,
                     TColor fallback)
{
    return ParseColorText(ini.ReadString(section, key, std::string())).value_or(fallback);
}

TColor ReadColorTriple(const TQuickIni& ini, std::string_view section, std::string_view key,
                       TColor fallback)
{
    std::string name(key);
    std::int32_t r = ini.ReadInteger(section, name + "R", -1);
    std::int32_t g = ini.ReadInteger(section, name + "G", -1);
    std::int32_t b = ini.ReadInteger(section, name + "B", -1);
    if (r < 0 || g < 0 || b < 0)
        return fallback;
    return RGBColor(r % 256, g % 256, b % 256);
}

void LoadSchemeColors(const TQuickIni& ini, TSchemeColors& colors)
{
    for (const TSchemeColorKey& k : Keys)
        colors[k.Member] = ReadColorText(ini, "Colours", k.Key, k.Missing);
    colors[csMenuBar] = ReadColorText(ini, "Colours", "Menubar", colors[csButtonFace]);
}

void LoadCustomColors(const TQuickIni& ini, TCustomColors& colors)
{
    for (int i = 0; i < CustomColorCount; ++i)
        colors[static_cast<std::size_t>(i)] =
            ReadColorText(ini, "Customcolors", "Color" + std::to_string(i), clWhite);
}

} // namespace tarnivo
