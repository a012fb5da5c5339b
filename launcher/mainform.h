#pragma once
// The main window: the result list, the typed-text and count lines, the menu,
// the tray icon, the hot key, and the handlers that tie the catalogue,
// type-to-find and hiding to the tray together.

#include "shortcutscan.h"
#include "typetofind.h"

#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/listview.h"
#include "framework/controls/progressbar.h"
#include "framework/form.h"
#include "framework/imagelist.h"
#include "framework/menus.h"
#include "skin/resources/skindata.h"
#include "tray/trayicon.h"

#include <cstdint>
#include <vector>

namespace tarnivo {

class TForm2;

class TForm1 : public TForm, private TScanProgress {
    TARNIVO_PUBLISHED_CLASS()
public:
    // `startup` is the start-up window that shows the first scan's progress.
    TForm1(TComponent* owner, TForm2* startup);
    ~TForm1() override;

    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TListView* ListView2 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Label6 = nullptr;
    TImage* Image3 = nullptr;
    TLabel* Label7 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Refresh1 = nullptr;
    TMenuItem* exit1 = nullptr;
    TMenuItem* Help2 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* About2 = nullptr;
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;
    TImageList* ImageList3 = nullptr;
    TTrayIcon* TrayIcon1 = nullptr;
    TSkinData* SkinData1 = nullptr;

    // The hot key's identifier: the global atom's value minus 0xC000.
    std::int32_t HotKeyId = 0;

    // Catalogue (scan with progress, Refresh).
    void ScanShortcuts();
    // Type-to-find and launch.
    void ResetTypedText();
    void FilterList();
    bool IsListed(int i) const;
    void LaunchSelected();
    // Brings the window to the front with the result list focused.
    void BringToFront();
    // Draws once into memory what the first key would draw first (see
    // mainform.cpp); FormCreate calls it after the scan.
    void PrepareFirstKey();

    // Form and component events.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormActivate(TObject* sender);
    void FormKeyPress(TObject* sender, wchar_t& key);
    void ListView2KeyPress(TObject* sender, wchar_t& key);
    bool TypedCharacter(wchar_t key, std::string& character);
    void ListView2DblClick(TObject* sender);
    void ListView2Data(TObject* sender, TListItemRequest& item);
    int ListView2DataFind(TObject* sender, const TListFind& find);
    void Refresh1Click(TObject* sender);
    void exit1Click(TObject* sender);
    void Help1Click(TObject* sender);
    void About2Click(TObject* sender);
    void TrayIcon1Click(TObject* sender);
    void TrayIcon1Minimize(TObject* sender);

    void Dispatch(TMessage& message) override;

protected:
    // The hot key belongs to the window: a new window (after a change of
    // border style or icon) registers it again, and the old one gives it back.
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    void BuildLayout();
    void BuildMenu();
    void BuildSkinData();
    void LoadArtwork();
    void RegisterHotKey();
    void RegisterHotKeyOnWindow();
    void UnregisterHotKey();
    void WMHotKey(TMessage& message);
    void DpiChanged(TMessage& message);
    // The result list's icons at the list's size for the window's DPI.
    void FollowIconSize();
    void ShowTypedText();
    void ShowResult();
    bool ShowsTopResult() const;
    // The catalogue entry that result item `item` shows, or null.
    const TShortcutCfg* ResultEntry(int item) const;
    void SetCountLine(const char* tail);

    // TScanProgress: both bars move together.
    void ScanStarting() override;
    void SetBars(int value) override;
    void StepBars() override;
    void RepaintStartup() override;
    void ScanFinished() override;

    TForm2* m_startup;
    ATOM m_hotKeyAtom = 0;   // added at construction, deleted at destruction
    std::vector<int> m_shownResult;   // the result the list was last built for
    wchar_t m_highSurrogate = 0;      // first half of a character being typed
};

} // namespace tarnivo
