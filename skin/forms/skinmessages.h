#pragma once
// The skin engine's own window messages: the fixed numbers that the skin
// manager, the skinned forms and the control skins send each other, and that
// an application's windows may answer (caption-button queries and clicks).
//
// The 0xBC4x messages carry SkinMagic in lParam as a handshake: a window that
// does not know the engine never answers SkinMagic by chance. One of them is
// the framework's reflected-notification number itself: a skinned form sends
// itself CN_NOTIFY with wParam 0 and lParam SkinMagic once it is skinned, in
// place of a notification record. A form-level handler of CN_NOTIFY must
// therefore read the record through SkinNotifyRecord, never straight from
// lParam.

#include "framework/messages.h"
#include "framework/ownmessages.h"

#include <initializer_list>

namespace tarnivo {

constexpr UINT WM_SKINCHANGE = 0x3401;       // re-apply the (new) skin to a form
constexpr UINT WM_SKINNCPAINT = 0x3502;      // repaint the skinned non-client area
constexpr UINT CN_SkinActive = 0x3503;       // finish skinning a window (posted, lParam SkinActiveParam)
constexpr UINT WM_SKINENABLE = 0x3506;       // a control's skinning on (wParam > 0) or off
constexpr UINT WM_SKINTABCLOSE = 0x3507;     // a tab's close box was clicked; answer 0 frees the page
constexpr UINT WM_SKINBUTTONCLICK = 0x3514;  // a caption button with a custom action (wParam) was clicked
constexpr UINT WM_SKINBUTTONQUERY = 0x3515;  // is the caption button with code wParam shown? (> 0: yes)
constexpr UINT WM_SKINMDICAPTION = 0x3516;   // to the MDI client: a maximized child changed
constexpr UINT WM_SKINRECREATE = 0x3517;     // a skinned control's window was recreated (wParam = handle)
constexpr UINT WM_SKINMENUSELECT = 0x3518;   // open the menu-band button under the point in lParam
constexpr UINT WM_ISSKINNED = 0x3523;        // answered 1 by every skinned window and control
constexpr UINT WM_SKINPAINTCLIENT = 0xBC4A;  // paint a control's client area into the DC in wParam
constexpr UINT WM_SKINPAINTNC = 0xBC4B;      // paint the skinned frame into the DC in wParam
constexpr UINT WM_SKINQUERY = 0xBC4D;        // answers SkinMagic when lParam is SkinMagic, else 1
constexpr UINT WM_SKINNOTIFY = 0xBC4E;       // sent by a form to itself after skinning (see above)

constexpr LPARAM SkinMagic = 0x41A2;         // the handshake value (16802)
constexpr LPARAM SkinActiveParam = 1000;     // lParam of the posted CN_SkinActive

static_assert(WM_SKINNOTIFY == CN_NOTIFY,
              "the after-skin notice must be the framework's reflected WM_NOTIFY");
// NotifyRecord (framework/messages.h) refuses lParam values below 64 KiB,
// so the framework's own CN_NOTIFY handlers never read SkinMagic as a record.
static_assert(SkinMagic < 0x10000, "SkinMagic must not look like a record address");

// The engine's orders (skin again, skinning of a control on or off, open a
// band button) and its requests to paint into the device context in wParam
// are only ever sent, by the manager or the program on the window's own
// thread. Posted, or sent from another thread or process, they are a
// stranger's: the application's message filter turns posted ones into
// WM_NULL once these numbers are registered (the manager does it when it
// starts), and each handler refuses a send from elsewhere
// (SentFromThisThread). The queries (WM_ISSKINNED, WM_SKINQUERY) answer
// anybody: they change nothing.
inline void RegisterEngineSendOnlyMessages()
{
    for (UINT msg : {WM_SKINCHANGE, WM_SKINENABLE, WM_SKINMENUSELECT, WM_SKINPAINTCLIENT,
                     WM_SKINPAINTNC})
        RegisterSendOnlyMessage(msg);
}

// The notice a skinned form sends itself after skinning.
inline bool IsSkinNotice(const TMessage& message)
{
    return message.Msg == WM_SKINNOTIFY && message.LParam == SkinMagic;
}

// The notification record of a WM_NOTIFY / CN_NOTIFY message, or null for the
// skin's notice (and any other lParam that cannot be a record).
inline const NMHDR* SkinNotifyRecord(const TMessage& message)
{
    return message.LParam == SkinMagic ? nullptr : NotifyRecord(message.LParam);
}

} // namespace tarnivo
