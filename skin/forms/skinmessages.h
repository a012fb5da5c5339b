#pragma once
// Temporary copy of the engine's message numbers until the shared header lands.

#include <windows.h>

namespace tarnivo {

constexpr UINT WM_SKINCHANGE = 0x3401;
constexpr UINT WM_SKINNCPAINT = 0x3502;
constexpr UINT CN_SkinActive = 0x3503;
constexpr UINT WM_SKINENABLE = 0x3506;
constexpr UINT WM_SKINTABCLOSE = 0x3507;
constexpr UINT WM_SKINBUTTONCLICK = 0x3514;
constexpr UINT WM_SKINBUTTONQUERY = 0x3515;
constexpr UINT WM_SKINMDICAPTION = 0x3516;
constexpr UINT WM_SKINRECREATE = 0x3517;
constexpr UINT WM_SKINMENUSELECT = 0x3518;
constexpr UINT WM_ISSKINNED = 0x3523;
constexpr UINT WM_SKINPAINTCLIENT = 0xBC4A;
constexpr UINT WM_SKINPAINTNC = 0xBC4B;
constexpr UINT WM_SKINQUERY = 0xBC4D;
constexpr LPARAM SkinMagic = 0x41A2;

constexpr UINT CM_DIALOGCHAR = 0xB006;
constexpr UINT CM_MENUCHANGED = 0xB015;

} // namespace tarnivo
