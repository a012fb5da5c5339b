#include "titlestyle.h"

namespace tarnivo {

void MakeTitleFont(const TDataSkinTitle& title, const TFont& systemFont, TFont& font)
{
    // Attribute by attribute: each setter keeps the GDI font when nothing
    // changes, so a frame painted again and again makes no new font.
    font.SetName(systemFont.Name());
    font.SetStyle(systemFont.Style());
    font.SetCharset(systemFont.Charset());
    font.SetColor(systemFont.Color());
    // Positive: the cell height, so that the skin's number is the line the
    // text takes up in the title bar, whatever the face's internal leading.
    const bool own = title.FontHeightGiven && title.FontHeight > 0;
    font.SetHeight(own ? title.FontHeight : systemFont.Height());
}

TColor TitleTextColor(const TDataSkinTitle& title, const TSchemeColors& colors, bool active)
{
    const TColor own = active ? title.ActiveTextColor : title.InactiveTextColor;
    if (own != clNotGiven)
        return own;
    return colors[active ? csTitleTextActive : csTitleTextNoActive];
}

bool TitleWantsPlate(const TDataSkinTitle& title)
{
    return title.TextBackground == 1 && title.Image.Empty();
}

} // namespace tarnivo
