#pragma once
// TTrayIcon: one icon in the notification area. Turns the mouse messages the
// shell sends for it into events, restores the application or shows a popup
// menu on a chosen mouse action, animates through an image list, and turns
// the application's minimise into hiding it (main window and taskbar button).

#include "framework/application.h"
#include "framework/component.h"
#include "framework/control.h"
#include "framework/events.h"
#include "framework/icon.h"
#include "framework/messages.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarnivo {

class TImageList;
class TPopupMenu;
class TTimer;

// The mouse action that restores the application or shows the popup menu.
enum TTrayIconMessage : std::uint8_t {
    imClick,
    imDoubleClick,
    imMouseDown,
    imMouseUp,
    imLeftClickUp,
    imLeftDoubleClick,
    imRightClickUp,
    imRightDoubleClick,
    imNone,
};

// The shell's icon record in its 488-byte (version 2) layout. The SDK's
// NOTIFYICONDATAA is larger on this target (it carries guidItem and
// hBalloonIcon), and a cbSize of 488 tells the shell to read only these fields.
struct TNotifyIconData {
    std::uint32_t cbSize;
    HWND hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    HICON hIcon;
    char szTip[128];
    std::uint32_t dwState;
    std::uint32_t dwStateMask;
    char szInfo[256];
    std::uint32_t uTimeoutOrVersion;
    char szInfoTitle[64];
    std::uint32_t dwInfoFlags;
};
static_assert(sizeof(TNotifyIconData) == 488);
static_assert(offsetof(TNotifyIconData, hWnd) == 4);
static_assert(offsetof(TNotifyIconData, uID) == 8);
static_assert(offsetof(TNotifyIconData, uFlags) == 12);
static_assert(offsetof(TNotifyIconData, uCallbackMessage) == 16);
static_assert(offsetof(TNotifyIconData, hIcon) == 20);
static_assert(offsetof(TNotifyIconData, szTip) == 24);
static_assert(offsetof(TNotifyIconData, dwState) == 152);
static_assert(offsetof(TNotifyIconData, szInfo) == 160);
static_assert(offsetof(TNotifyIconData, uTimeoutOrVersion) == 416);
static_assert(offsetof(TNotifyIconData, szInfoTitle) == 420);
static_assert(offsetof(TNotifyIconData, dwInfoFlags) == 484);

class TTrayIcon : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    // The message the shell sends to Handle() for mouse actions on the icon.
    static constexpr UINT CallbackMessage = WM_USER + 1;
    static constexpr std::uint32_t IconRecordSize = 488;
    // The longest hint accepted; a longer one is ignored and the old stays.
    static constexpr std::size_t MaxHintLength = 63;

    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    bool Visible() const { return m_visible; }
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* menu);
    bool Hide() const { return m_hide; }
    void SetHide(bool hide) { m_hide = hide; }
    TTrayIconMessage RestoreOn() const { return m_restoreOn; }
    void SetRestoreOn(TTrayIconMessage on) { m_restoreOn = on; }
    TTrayIconMessage PopupMenuOn() const { return m_popupMenuOn; }
    void SetPopupMenuOn(TTrayIconMessage on) { m_popupMenuOn = on; }
    TImageList* Icons() const { return m_icons; }
    void SetIcons(TImageList* icons);
    std::int32_t IconIndex() const { return m_iconIndex; }
    std::int32_t AnimateInterval() const;
    void SetAnimateInterval(std::int32_t milliseconds);
    bool Animate() const { return m_animate; }
    void SetAnimate(bool animate);
    HWND Handle() const { return m_handle; }

    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    // Run by the animation timer; at first the component's own DoOnAnimate.
    TNotifyEvent OnAnimate;
    // Kept for layouts that set them; nothing raises them.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    // Not published: set only from code. Raised by DoDblClick.
    TNotifyEvent OnDblClick;

    // Adds the icon (true) or removes it (false). Throws EOutOfResources when
    // the shell refuses; Visible then keeps its previous value.
    virtual void SetVisible(bool visible);

protected:
    // The message window's procedure: the shell's callbacks and the session end.
    virtual void DoMessage(TMessage& message);
    virtual void DoClick();
    virtual void DoDblClick();
    virtual void DoMouseMove(TShiftState shift, int x, int y);
    virtual void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);

public:
    // One animation step: the next icon of Icons, wrapping to the first.
    virtual void DoOnAnimate();
    // Hides the application and its taskbar button, then raises OnMinimize.
    virtual void Minimize();
    // Shows the application again, then raises OnRestore.
    virtual void Restore();
    // Hands the current icon to the shell (when visible).
    virtual void Update();
    // Pops up PopupMenu at the cursor.
    virtual void ShowMenu();
    virtual void SetIconIndex(std::int32_t index);
    // Takes the application's icon as the current one.
    virtual void SetDefaultIcon();

    void Notification(TComponent* component, TOperation operation) override;

    // The modifier keys held now (ssShift, ssCtrl, ssAlt).
    static TShiftState ShiftState();
    // Removes the icon because the Windows session ends.
    void EndSession();

    // The record handed to Shell_NotifyIconA, for inspection.
    const TNotifyIconData& IconData() const { return m_data; }
    // The icon shown now (owned by the component).
    const TIcon& CurrentIcon() const { return m_icon; }

protected:
    void Loaded() override;

private:
    void Dispatch(TMessage& message);
    void TrayCallback(UINT mouseMessage);
    void WMMouseMove();
    void WMLButtonDown();
    void WMLButtonUp();
    void WMLButtonDblClk();
    void WMRButtonDown();
    void WMRButtonUp();
    void WMRButtonDblClk();
    void WMMButtonDown();
    void WMMButtonUp();
    void WMMButtonDblClk();
    void ButtonDown(TMouseButton button);
    void ButtonUp(TMouseButton button);
    void ActOn(TTrayIconMessage action);

    bool ApplicationHookProc(TMessage& message);
    void HookApplication();
    void UnhookApplication();
    bool Notify(DWORD command);
    void TakeIcon(std::int32_t index);
    void TakeApplicationIcon();

    bool m_visible = false;
    std::string m_hint;
    TPopupMenu* m_popupMenu = nullptr;
    bool m_hide = true;
    TTrayIconMessage m_restoreOn = imDoubleClick;
    TTrayIconMessage m_popupMenuOn = imNone;
    TImageList* m_icons = nullptr;
    std::int32_t m_iconIndex = 0;
    bool m_animate = false;

    TNotifyIconData m_data{};
    TIcon m_icon;                     // the icon shown now
    std::unique_ptr<TTimer> m_timer;  // the animation clock, off at first
    HWND m_handle = nullptr;          // receives the shell's callbacks
    TWindowHook m_applicationHook;    // bound ApplicationHookProc
    THookId m_hookId = 0;             // 0 while not in the application's list
};

} // namespace tarnivo
