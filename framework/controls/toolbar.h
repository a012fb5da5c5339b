#pragma once
// The tool bar ("ToolbarWindow32") and its buttons.

#include "framework/canvas.h"
#include "framework/control.h"

#include <commctrl.h>

#include <functional>
#include <vector>

namespace tarnivo {

class TImageList;
class TMainMenu;
class TMenuItem;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// One button of a tool bar. The tool bar's window draws it and keeps its
// state (Down, Enabled, Visible), which is read from there; the framework
// control gives it a name, a caption, events and a place among its
// parent's controls. It joins a tool bar by taking it as its parent.
class TToolButton : public TGraphicControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const { return m_toolBar; }
    void SetParent(TWinControl* parent) override;
    // Place among the tool bar's buttons; -1 without one.
    int Index() const;

    TToolButtonStyle Style() const { return m_style; }
    void SetStyle(TToolButtonStyle style);
    // Pressed in: a check button that is on, or any button held down by the program.
    bool Down() const;
    void SetDown(bool down);
    // Check buttons next to each other with Grouped work as radio buttons.
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool grouped);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    // Clicking the button runs this item, or opens its sub-items below the button.
    TMenuItem* MenuItem() const { return m_menuItem; }
    void SetMenuItem(TMenuItem* item);

    void SetEnabled(bool enabled) override;
    // Runs MenuItem, then OnClick.
    void Click() override;
    void Paint(TCanvas& canvas) override;
    void Notification(TComponent* component, TOperation operation) override;

    // The command identifier the tool bar reports for this button.
    int Command() const { return m_command; }

protected:
    void TextChanged() override;
    void VisibleChanged() override;

private:
    friend class TToolBar;
    TBBUTTON ButtonRecord() const;
    void Place(const RECT& r);

    TToolBar* m_toolBar = nullptr;
    int m_command;
    TToolButtonStyle m_style = tbsButton;
    bool m_down = false;   // used while the button is in no window, or its bar has none
    bool m_grouped = false;
    int m_imageIndex = -1;
    TMenuItem* m_menuItem = nullptr;
};

enum TCustomDrawStateFlag { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused,
                            cdsDefault, cdsHot, cdsMarked, cdsIndeterminate };
using TCustomDrawState = TSet<TCustomDrawStateFlag>;

using TToolBarCustomDrawEvent =
    std::function<void(TToolBar* sender, const RECT& rect, bool& defaultDraw)>;
using TToolBarCustomDrawButtonEvent = std::function<void(
    TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw)>;

// A tool bar. Buttons keep the order in which they joined; Menu makes one
// button per top-level item of a main menu (owned by the tool bar). The
// bounds are the application's: the bar does not place itself. During the
// custom-draw events Canvas() draws on the bar; clearing defaultDraw skips
// the system's drawing of the background or the button.
class TToolBar : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    TToolButton* Buttons(int index) const;

    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    bool ShowCaptions() const { return m_showCaptions; }
    void SetShowCaptions(bool show);
    // Captions right of the images instead of below them.
    bool List() const { return m_list; }
    void SetList(bool list);
    bool Wrapable() const { return m_wrapable; }
    void SetWrapable(bool wrapable);
    int ButtonWidth() const { return m_buttonWidth; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return m_buttonHeight; }
    void SetButtonHeight(int height);
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);
    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);

    TCanvas& Canvas() { return m_canvas; }

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    void RemoveButton(TToolButton* button);
    void UpdateButton(TToolButton* button, DWORD mask);
    void SendButtons();
    void PlaceButtons();
    TToolButton* FindButton(int command) const;
    void TrackMenu(TToolButton* button);
    LRESULT CustomDraw(const NMTBCUSTOMDRAW& draw);
    void Restyle(DWORD bits, bool on);

    std::vector<TToolButton*> m_buttons;   // not owned (their owners free them)
    bool m_flat = true;
    bool m_showCaptions = false;
    bool m_list = false;
    bool m_wrapable = true;
    int m_buttonWidth = 23;
    int m_buttonHeight = 22;
    TImageList* m_images = nullptr;
    TMainMenu* m_menu = nullptr;
    std::vector<TToolButton*> m_menuButtons;   // made for Menu, owned
    TCanvas m_canvas;
};

} // namespace tarnivo
