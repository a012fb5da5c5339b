#pragma once
// TForm: a top-level window owned by the application window, with its border
// and caption buttons, main menu, active control, modal loop and the form
// events (OnCreate, OnShow, OnActivate, OnClose, OnDestroy).
//
// A form is made in two steps: the constructor runs the stored layout (see
// TComponent::LoadLayout) and the derived class's own construction; then the
// creator calls AfterConstruction, which raises OnCreate. TApplication::
// CreateForm and MakeForm do both.

#include "control.h"
#include "menus.h"

namespace tarnivo {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TForm : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Raises OnCreate; called by the creator after the constructor.
    virtual void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }

    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int width, int height);

    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);

    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    // Called by a control of this form when it receives the focus.
    void ControlFocused(TWinControl* control);

    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    void Show();
    void Close();
    // Runs a modal loop with the other forms disabled; answers ModalResult.
    int ShowModal();
    bool Modal() const { return m_modal; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;
    void VisibleChanged() override;

    virtual void DoShow();
    virtual void Activate();
    virtual void Deactivate();

private:
    void ApplyPosition();
    void FocusActiveControl();
    void HandleActivate(TMessage& message);
    void HandleSysCommand(TMessage& message);
    bool HandleMenuMessage(TMessage& message);
    int RunModalLoop();

    TFormBorderStyle m_borderStyle = bsSizeable;
    TBorderIcons m_borderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition m_position = poDesigned;
    TMainMenu* m_menu = nullptr;
    TWinControl* m_activeControl = nullptr;
    int m_modalResult = mrNone;
    bool m_modal = false;
    bool m_shownOnce = false;
    int m_clientWidth = -1;    // requested before the window exists
    int m_clientHeight = -1;
};

// The form a control is on (the control itself if it is a form), or null.
TForm* ParentForm(TControl* control);

// Makes a form owned by `owner` and raises its OnCreate.
template <typename F, typename... Args>
F* MakeForm(TComponent* owner, Args&&... args)
{
    F* form = new F(owner, std::forward<Args>(args)...);
    form->AfterConstruction();
    return form;
}

} // namespace tarnivo
