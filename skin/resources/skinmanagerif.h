#pragma once
// ISkinManager: what a TSkinData asks of the process-wide skin manager, and
// the point where the real manager plugs in.
//
// The manager owns the per-window skinning objects and the hooks that find
// new windows; TSkinData only asks it to do things (skin everything, unskin,
// re-skin after a new skin was loaded, skin one window now) and to find the
// skinning object of a form for the refresh operations. The skin engine
// (skin/forms) registers the real manager through RegisterSkinManager; a
// program that does not link the engine has no manager, and its TSkinData
// loads skins without skinning anything.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace tarnivo {

class TControl;
class TForm;
class TSkinData;

// Deferred actions (SetAction kinds).
enum TSkinAction : int {
    saSkinAll = 1,       // set Enabled and skin every form
    saUnskinAll = 2,     // clear Enabled and unskin every form
    saReskin = 3,        // apply a newly loaded skin to the forms using it
    saPurge = 6,         // free form objects whose window is gone
    saReskinWindow = 7,  // re-skin the window named by SetReskinWindow
};
// The delay TSkinData asks for, so that a request returns at once.
constexpr int SkinActionDelay = 250;

// The skinning object of one window, as the refresh operations of TSkinData
// reach it.
class ISkinFormLink {
public:
    virtual ~ISkinFormLink() = default;
    // Finds and skins the controls under `control`, or the whole form's when null.
    virtual void InitControls(TControl* control) = 0;
    // Skins the popup menus of the form's components again.
    virtual void InitPopMenu() = 0;
    // Rebuilds the menu-bar buttons from the window's menu.
    virtual void UpdateMainMenu() = 0;
    // Skins `nested`, a form shown inside one of this form's controls.
    virtual void InitNestform(TForm* nested) = 0;
    // Drops the skin object of a window-less control.
    virtual void DeleteGraphicControl(TControl* control) = 0;
};

class ISkinManager {
public:
    virtual ~ISkinManager() = default;

    // Stores the action; while the manager is not running only saSkinAll and
    // saUnskinAll take effect (by setting or clearing Enabled), otherwise
    // the manager carries it out after `delayMs`.
    virtual void SetAction(int action, int delayMs) = 0;

    // The skin data whose request is pending.
    virtual TSkinData* CurrentSkin() const = 0;
    virtual void SetCurrentSkin(TSkinData* skin) = 0;

    // Windows may be skinned.
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;

    // Requests go through the manager's timer (a window was activated, or
    // skinning was switched on explicitly).
    virtual bool Running() const = 0;
    virtual void SetRunning() = 0;

    virtual void AddSkinData(TSkinData* skin) = 0;
    virtual void RemoveSkinData(TSkinData* skin) = 0;

    virtual void InstallHook() = 0;
    virtual void InstallThread(DWORD threadId) = 0;
    virtual void UnInstallThread(DWORD threadId) = 0;

    // Drops the caption-button objects built from CurrentSkin on every form.
    virtual void DeleteSysbtn() = 0;
    // `skin` has just taken a new skin, by whatever path, and still holds
    // the old caption-button elements: every form painted from it binds its
    // caption buttons to the new ones.
    virtual void SkinDataReloaded(TSkinData* skin) = 0;
    // Skins one window now; answers whether a skinning object was made.
    virtual bool AddForm(HWND window) = 0;
    // The window saReskinWindow works on.
    virtual void SetReskinWindow(HWND window) = 0;
    // The skinning object of a window, or null.
    virtual ISkinFormLink* FindSkinForm(HWND window) = 0;
    // Every skinning object the manager holds.
    virtual std::vector<ISkinFormLink*> SkinForms() = 0;
};

using TSkinManagerFactory = std::function<std::unique_ptr<ISkinManager>()>;

// Sets what CreateSkinManager makes; an empty factory makes none. Affects
// only managers created afterwards.
void RegisterSkinManager(TSkinManagerFactory factory);

// The process-wide manager, or null while none exists.
ISkinManager* SkinManager();

// Answers the manager, creating it with the registered factory first; null
// when no factory is registered.
ISkinManager* CreateSkinManager();

// Frees the manager (at program end; tests start afresh with it).
void FreeSkinManager();

} // namespace tarnivo
