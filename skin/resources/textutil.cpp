#include "textutil.h"

namespace tarnivo {

std::wstring StrToWideStr(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideStringToStringEx(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

int Tnt_DrawTextW(HDC dc, std::wstring_view text, RECT& rect, UINT format)
{
    std::string ansi = WideStringToStringEx(text);
    // DT_MODIFYSTRING would let DrawTextA write an ellipsis past the end of
    // this temporary copy, which nobody reads afterwards anyway.
    format &= ~static_cast<UINT>(DT_MODIFYSTRING);
    return DrawTextA(dc, ansi.data(), static_cast<int>(ansi.size()), &rect, format);
}

} // namespace tarnivo
