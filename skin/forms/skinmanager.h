#pragma once
// TSkinManage: the process-wide skin manager. It decides which top-level
// windows get skinned, owns their skinning objects (TWinSkinForm) and learns
// about windows from a WH_CBT hook on the user-interface thread: every
// window that is activated and every MDI child that is created passes
// through it. Switching skinning on, off or to another skin is asked for by
// TSkinData and carried out a little later by the manager's timer, so the
// request returns at once.
//
// Reading order: this file (who gets skinned), then winskinform.h.

#include "skin/resources/skinmanagerif.h"

#include "framework/bitmap.h"
#include "framework/windowprochook.h"
#include "framework/windowshook.h"
#include "framework/object.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TForm;
class TSkinData;
class TTimer;
class TWinSkinForm;
class TWinSkinPopMenu;

// Values of TSkinManage::RunState.
namespace runstate {
constexpr int Idle = 0;       // requests take effect at once (only Enabled changes)
constexpr int Running = 1;    // requests go through the timer
constexpr int Stopping = 4;   // shutting down: the lists are left alone
} // namespace runstate

// Kinds of popup menu about to open (PopupKind).
namespace popupkind {
constexpr int Unknown = 0;     // opened where no skinned window saw it
constexpr int WindowMenu = 1;  // a drop-down or popup of a skinned window
constexpr int SystemMenu = 2;  // a window's system menu
} // namespace popupkind

class TSkinManage : public TObject, public ISkinManager {
public:
    // The delay of a timer made before any request names one.
    static constexpr int InitialInterval = 100;

    TSkinManage();
    ~TSkinManage() override;
    std::string ClassName() const override { return "TSkinManage"; }

    // ISkinManager ---------------------------------------------------------
    void SetAction(int action, int delayMs) override;
    TSkinData* CurrentSkin() const override { return m_currentSkin; }
    void SetCurrentSkin(TSkinData* skin) override { m_currentSkin = skin; }
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override { m_enabled = enabled; }
    bool Running() const override { return RunState == runstate::Running; }
    void SetRunning() override;
    void AddSkinData(TSkinData* skin) override;
    void RemoveSkinData(TSkinData* skin) override;
    void InstallHook() override;
    void InstallThread(DWORD threadId) override;
    void UnInstallThread(DWORD threadId) override;
    void DeleteSysbtn() override;
    void SkinDataReloaded(TSkinData* skin) override;
    bool AddForm(HWND window) override;
    void SetReskinWindow(HWND window) override { ReskinWindow = window; }
    ISkinFormLink* FindSkinForm(HWND window) override;
    std::vector<ISkinFormLink*> SkinForms() override;

    // For the form skinning code ------------------------------------------
    // The skinning object of a window, or null.
    TWinSkinForm* FindForm(HWND window) const;
    // Unskins and frees the object of a window that has a framework form.
    void DeleteForm(HWND window);
    void SetMDIMax(bool maximized);
    // The MDI parent seen last (GetFormstyle records it).
    void SetMDIParent(HWND client, TWinSkinForm* parent);
    // A skinned framework form loses its window while the form lives on (a
    // changed border style makes a new one): its next window is skinned as
    // soon as it is shown, whether or not anything activates it.
    void WatchRecreation(TForm* form);

    // Popup-menu windows ("#32768"). AddMenu skins one if the skin allows
    // the kind of popup told in PopupKind; DeleteMenu gives it back and
    // frees its object.
    bool AddMenu(HWND window);
    void DeleteMenu(HWND window);
    TWinSkinPopMenu* FindSkinMenu(HWND window) const;
    // Marks every popup object as opened by a framework menu.
    void SetPopMenu();
    // The item painter reports the menu it draws: the newest popup object
    // that does not know its menu yet takes it.
    void SetHMenu(HMENU menu);
    // The background of the popup showing `menu`, or null.
    const TBitmap* GetMenuBg(HMENU menu) const;
    int MenuCount() const { return static_cast<int>(m_menus.size()); }
    TWinSkinPopMenu* Menus(int index) const { return m_menus.at(index).get(); }

    // Decisions, exposed for the skinning code and its tests.
    static bool NestedForm(HWND window);
    bool OnBeforeSkin(HWND window, const std::string& className);
    TSkinData* FindSkindata(HWND window) const;
    void ActiveForm(TForm* form);

    // Carries out the pending action now (the timer's handler).
    void OnTimer();

    // Every skinning object, oldest first.
    int FormCount() const { return static_cast<int>(m_forms.size()); }
    TWinSkinForm* Forms(int index) const { return m_forms.at(index).get(); }
    const std::vector<TSkinData*>& SkinDatas() const { return m_skinDatas; }
    bool HookInstalled() const { return m_cbtHook.Installed(); }
    // The timer is waiting to carry out PendingAction.
    bool ActionPending() const;

    // State read and set by the form skinning code.
    int RunState = runstate::Idle;
    int PendingAction = 0;
    std::uint8_t SkinAllPass = 0;     // an explicit pass may skin child windows
    int PopupKind = popupkind::Unknown;
    std::uint8_t FrameworkMenu = 0;
    std::uint8_t MDIMaximized = 0;
    // Set by a request that wants windows hidden while their frame changes;
    // cleared by action 1 and by BeginUpdate.
    std::uint8_t UpdateRequested = 0;
    TSkinData* MainSkin = nullptr;
    std::uint32_t Module = 0;         // 0: the program's own (primary) manager
    HWND ReskinWindow = nullptr;
    HWND MDIClientWindow = nullptr;
    TWinSkinForm* MDIParent = nullptr;

private:
    LRESULT SkinHookCBT(int code, WPARAM wParam, LPARAM lParam);
    // How a new skinning object learns that its window is ready.
    enum class TStart { Posted, Now };
    bool Accepts(HWND window, TForm* form, const std::string& className);
    bool AddForm(HWND window, TStart start);
    bool SkinMenuWindow(HWND window);
    // Clears what was told about the popup about to open.
    void ForgetPopup();
    TWinSkinForm* Create(HWND window, TForm* form, TSkinData* skin, const std::string& className,
                         TStart start);
    // Forms that were on the screen before skinning was switched on.
    void SkinShownForms();
    void Remove(TWinSkinForm* object);
    void DeleteDeleted();
    void DeleteForm3();
    void DeleteAllForms();
    void DeleteAllMenus();
    // Popup objects painted from `skin` go back to the system look.
    void DeleteMenus(const TSkinData* skin);
    void SkinAll();
    void UnskinAll();
    void Reskin();
    void ReskinOne();
    // Objects of this manager in the list, newest first, as a snapshot: the
    // actions below may destroy windows and so change the list.
    std::vector<TWinSkinForm*> Snapshot() const;
    // Every object in the list, oldest first, as a snapshot.
    std::vector<TWinSkinForm*> AllForms() const;
    // Whether `object` is still in the list; compares the pointer only, so
    // it may be asked about an object that has been freed meanwhile.
    bool Holds(const TWinSkinForm* object) const;

    void RecreatedFormMessage(TForm* form, const TWindowProcHook& hook, TMessage& message);

    // A form waiting for its new window, hooked in front of its WindowProc.
    struct TRecreation {
        TForm* Form;
        std::unique_ptr<TWindowProcHook> Hook;
    };

    std::unique_ptr<TTimer> m_timer;
    TWindowsHook m_cbtHook;
    std::vector<std::unique_ptr<TWinSkinForm>> m_forms;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> m_menus;
    std::vector<TRecreation> m_recreations;
    std::vector<TSkinData*> m_skinDatas;
    TSkinData* m_currentSkin = nullptr;
    bool m_enabled = false;
};

// The process-wide manager as TSkinManage; null when none exists or another
// kind of manager is registered.
TSkinManage* SkinManage();

// Makes TSkinData create TSkinManage as the process-wide manager. A program
// that skins its windows calls it once before its first form is made.
void RegisterSkinEngine();

} // namespace tarnivo
