#pragma once
// The windows SkinGallery shows: the main form (sizeable, with the menu that
// switches skins), one framework form per other border style, an inactive
// twin of the main form, two pages of the framework's controls, an MDI frame,
// and two plain "#32770" dialogs made from templates in memory.

#include "galleryskins.h"

#include "skin/resources/skindata.h"

#include "framework/form.h"
#include "framework/menus.h"
#include "framework/controls/button.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarnivo {
class TListView;
class TTrayIcon;
}

namespace tarnivo::gallery {

class TGalleryMdiFrame;

// A menu entry with its caption and click handler, added to the end of parent.
TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& caption,
                   TNotifyEvent onClick = {});

// One shown window, as the screenshots name it.
struct TGalleryWindow {
    std::string Name;   // "main", "single", "dialog", ...
    HWND Handle = nullptr;
    // Captured while the main form is active instead of after activating
    // this window itself.
    bool CaptureInactive = false;
};

// A framework form with one border style and a few standard controls.
class TGalleryForm : public TForm {
public:
    // Builds the form's layout: a description label, an edit and two buttons.
    TGalleryForm(TComponent* owner, TFormBorderStyle style, const std::string& caption,
                 TRect bounds, const std::string& description);
    std::string ClassName() const override { return "TGalleryForm"; }

protected:
    // Sets border, caption and bounds only; the derived form reads its own
    // layout and calls BuildControls from it.
    TGalleryForm(TComponent* owner, TFormBorderStyle style, const std::string& caption,
                 TRect bounds);
    void BuildControls(const std::string& description);
};

class TGalleryMainForm : public TGalleryForm {
public:
    // `startSkin` indexes `skins`; its failure to load is reported by
    // LoadError() and the default skin stays.
    TGalleryMainForm(TComponent* owner, TGallerySkins& skins, int startSkin);
    std::string ClassName() const override { return "TGalleryMainForm"; }

    TSkinData& SkinData() { return *m_skinData; }
    int CurrentSkin() const { return m_current; }
    const std::string& LoadError() const { return m_loadError; }

    // Switches to skin `index`; answers false (showing nothing, keeping the
    // skin) when it does not load, with the reason in LoadError().
    bool SelectSkin(int index);
    void NextSkin();

    // Shows the menu showcase window and puts the gallery's icon in the
    // notification area (both made on first use).
    void ShowMenus();

    // Shows every gallery window with the main form active, hands the others
    // to the skin engine, and answers them in screenshot order.
    std::vector<TGalleryWindow> ShowAll();

    // Called after every skin change (the program updates its captions).
    std::function<void()> OnSkinChanged;

private:
    void BuildSkinData();
    void BuildMdiFrame();
    // A progress bar, a panel and a list view with a scroll bar.
    void BuildMainControls();
    void BuildMenu();
    void UpdateMenuChecks();
    void UpdateCaption();

    TGallerySkins& m_skins;
    TSkinData* m_skinData = nullptr;
    TMainMenu* m_menu = nullptr;
    TPopupMenu* m_popup = nullptr;   // on a right click in the client area
    TListView* m_list = nullptr;
    std::vector<TMenuItem*> m_skinItems;
    int m_current = 0;
    std::string m_loadError;
    std::vector<TGalleryForm*> m_others;
    HWND m_dialog = nullptr;
    // The control pages (framework forms), with their screenshot names, and
    // the dialog of raw control classes.
    std::vector<std::pair<std::string, TForm*>> m_pages;
    HWND m_controlsDialog = nullptr;
    TGalleryMdiFrame* m_mdiFrame = nullptr;   // with two documents at the start
    TForm* m_menusForm = nullptr;  // made by ShowMenus
    TTrayIcon* m_trayIcon = nullptr;   // shown by ShowMenus
};

} // namespace tarnivo::gallery
