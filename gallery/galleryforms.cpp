#include "galleryforms.h"

#include "gallerycontrols.h"
#include "gallerydialogs.h"
#include "gallerymdi.h"
#include "gallerymenus.h"
#include "galleryshots.h"

#include "framework/application.h"
#include "framework/controls/listview.h"
#include "framework/controls/panel.h"
#include "framework/controls/progressbar.h"

#include "tray/trayicon.h"
#include "framework/unicodetext.h"


namespace tarnivo::gallery {

namespace {

// Where the windows stand on the screen: two rows that do not overlap, so a
// screenshot of one window shows no other (Xvfb's screen is 1280 x 1024).
constexpr TRect kMainBounds{20, 20, 400, 290};
constexpr TRect kInactiveBounds{420, 20, 800, 290};
constexpr TRect kSingleBounds{820, 20, 1140, 240};
constexpr TRect kDialogBounds{20, 330, 340, 550};
constexpr TRect kToolBounds{360, 330, 640, 520};
constexpr TRect kNoneBounds{660, 330, 900, 500};
constexpr POINT kDialog32770{920, 330};
constexpr TRect kMdiBounds{20, 620, 540, 980};
// The control pages and the controls dialog share the lower right of the
// screen; each is brought to the top before its picture is taken.
constexpr TRect kControlsBounds{560, 566, 1260, 1006};
constexpr TRect kControls2Bounds{572, 560, 1272, 1000};
constexpr TRect kStatesBounds{320, 470, 1270, 1014};
constexpr POINT kControlsDialog{584, 540};

template <typename C>
C* Place(TForm* form, int left, int top, int width, int height)
{
    auto* control = new C(form);
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
}


} // namespace

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& caption,
                   TNotifyEvent onClick)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

// Forms --------------------------------------------------------------------

TGalleryForm::TGalleryForm(TComponent* owner, TFormBorderStyle style, const std::string& caption,
                           TRect bounds)
    : TForm(owner)
{
    SetBorderStyle(style);
    SetCaption(caption);
    SetPosition(poDesigned);
    SetBounds(bounds.left, bounds.top, RectWidth(bounds), RectHeight(bounds));
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
}

TGalleryForm::TGalleryForm(TComponent* owner, TFormBorderStyle style, const std::string& caption,
                           TRect bounds, const std::string& description)
    : TGalleryForm(owner, style, caption, bounds)
{
    LoadLayout([this, &description] { BuildControls(description); });
}

void TGalleryForm::BuildControls(const std::string& description)
{
    auto* label = Place<TLabel>(this, 12, 10, 0, 0);
    label->SetCaption(description);
    auto* edit = Place<TEdit>(this, 12, 34, 180, 22);
    edit->SetText("An edit box");
    auto* ok = Place<TButton>(this, 12, 66, 80, 26);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    auto* cancel = Place<TButton>(this, 100, 66, 80, 26);
    cancel->SetCaption("Cancel");
}

// The main form ------------------------------------------------------------

TGalleryMainForm::TGalleryMainForm(TComponent* owner, TGallerySkins& skins, int startSkin)
    : TGalleryForm(owner, bsSizeable, "SkinGallery", kMainBounds), m_skins(skins)
{
    LoadLayout([this] {
        // The skin first, as in every program that carries one: once its
        // layout is read it skins every window of the process.
        BuildSkinData();
        BuildControls("Sizeable border, active, with a menu");
        BuildMainControls();
        BuildMenu();
    });
    // Items need the list's window, which exists once the layout is read.
    for (int i = 1; i <= 24; ++i)
        m_list->Items().Add("Item " + std::to_string(i));

    m_others = {
        new TGalleryForm(Application, bsSizeable, "Sizeable, inactive", kInactiveBounds,
                         "Sizeable border, never activated"),
        new TGalleryForm(Application, bsSingle, "Single border", kSingleBounds, "Single border"),
        new TGalleryForm(Application, bsDialog, "Dialog border", kDialogBounds, "Dialog border"),
        new TGalleryForm(Application, bsToolWindow, "Tool window", kToolBounds,
                         "Tool window border"),
        new TGalleryForm(Application, bsNone, "No border", kNoneBounds, "No border at all"),
    };
    for (TGalleryForm* form : m_others)
        form->AfterConstruction();
    const std::pair<TControlPage, TRect> pages[] = {{TControlPage::Basic, kControlsBounds},
                                                    {TControlPage::Common, kControls2Bounds},
                                                    {TControlPage::States, kStatesBounds}};
    for (const auto& [page, bounds] : pages) {
        auto* form = new TGalleryControlsForm(Application, page, bounds);
        form->AfterConstruction();
        m_pages.push_back({TGalleryControlsForm::ShotName(page), form});
    }
    BuildMdiFrame();

    UpdateCaption();
    if (startSkin != 0)
        SelectSkin(startSkin);
}

void TGalleryMainForm::BuildMdiFrame()
{
    m_mdiFrame = MakeForm<TGalleryMdiFrame>(Application, kMdiBounds);
    m_mdiFrame->HandleNeeded();
    // The documents are made and shown while the frame is still hidden, so
    // that showing them activates nothing on the screen.
    for (int i = 0; i < 2; ++i)
        m_mdiFrame->NewDocument();
}

void TGalleryMainForm::BuildSkinData()
{
    m_skinData = new TSkinData(this);
    m_skinData->SetName("SkinData1");
    m_skinData->SetActive(true);
    m_skinData->SetSkinFormtype(sfMainform);
    // The default skin, framed as a stored binary property, exactly as the
    // launcher carries it.
    m_skinData->ReadSkinStreamResource(Application->Instance(), m_skins.At(0).Resource.c_str());
}

void TGalleryMainForm::BuildMainControls()
{
    auto* progress = Place<TProgressBar>(this, 12, 104, 180, 18);
    progress->SetPosition(60);
    auto* panel = Place<TPanel>(this, 12, 132, 180, 44);
    panel->SetCaption("A panel");
    m_list = Place<TListView>(this, 204, 34, 150, 142);
    m_list->SetViewStyle(vsList);
}

void TGalleryMainForm::BuildMenu()
{
    m_menu = new TMainMenu(this);
    TMenuItem* root = m_menu->Items();
    TMenuItem* skinMenu = AddItem(this, root, "&Skin");
    for (int i = 0; i < m_skins.Count(); ++i) {
        m_skinItems.push_back(AddItem(this, skinMenu, m_skins.At(i).Label, [this, i](TObject*) {
            if (!SelectSkin(i))
                MessageBoxW(Handle(), ToWide(m_loadError).c_str(), L"SkinGallery", MB_OK | MB_ICONWARNING);
        }));
    }
    AddItem(this, skinMenu, "-");
    AddItem(this, skinMenu, "&Next skin\tF2", [this](TObject*) { NextSkin(); });
    TMenuItem* windowMenu = AddItem(this, root, "&Window");
    AddItem(this, windowMenu, "Show the &dialog", [this](TObject*) {
        if (m_dialog)
            ShowWindow(m_dialog, SW_SHOW);
    });
    AddItem(this, windowMenu, "Show the &controls dialog", [this](TObject*) {
        if (m_controlsDialog)
            ShowWindow(m_controlsDialog, SW_SHOW);
    });
    AddItem(this, windowMenu, "Show the &menus window", [this](TObject*) { ShowMenus(); });
    AddItem(this, windowMenu, "-");
    AddItem(this, windowMenu, "E&xit", [this](TObject*) { Close(); });
    SetMenu(m_menu);
    UpdateMenuChecks();

    // A popup menu too, so that skins show theirs ("#32768" windows).
    m_popup = new TPopupMenu(this);
    AddItem(this, m_popup->Items(), "&Next skin\tF2", [this](TObject*) { NextSkin(); });
    AddItem(this, m_popup->Items(), "Show the &dialog", [this](TObject*) {
        if (m_dialog)
            ShowWindow(m_dialog, SW_SHOW);
    });
    AddItem(this, m_popup->Items(), "-");
    AddItem(this, m_popup->Items(), "E&xit", [this](TObject*) { Close(); });
    OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
        if (button != mbRight)
            return;
        POINT p{x, y};
        ClientToScreen(Handle(), &p);
        m_popup->Popup(p.x, p.y);
    };
    // Made with the layout, shown by ShowMenus: the skin switches the menus
    // of a form to its own drawing when it takes the form over.
    m_trayIcon = MakeGalleryTrayIcon(this, [this] { NextSkin(); });
}

void TGalleryMainForm::ShowMenus()
{
    if (!m_menusForm)
        m_menusForm = MakeForm<TGalleryMenusForm>(Application);
    m_trayIcon->SetVisible(true);
    // Minimising the gallery keeps its taskbar button.
    m_trayIcon->SetHide(false);
    m_menusForm->Show();
}

void TGalleryMainForm::UpdateMenuChecks()
{
    for (int i = 0; i < static_cast<int>(m_skinItems.size()); ++i)
        m_skinItems[static_cast<std::size_t>(i)]->SetChecked(i == m_current);
}

void TGalleryMainForm::UpdateCaption()
{
    SetCaption("SkinGallery - " + m_skins.At(m_current).Label + " [" + m_skinData->SkinName() +
               "]");
}

bool TGalleryMainForm::SelectSkin(int index)
{
    m_loadError.clear();
    if (!m_skins.Apply(index, *m_skinData, m_loadError))
        return false;
    m_current = index;
    UpdateMenuChecks();
    UpdateCaption();
    if (OnSkinChanged)
        OnSkinChanged();
    return true;
}

void TGalleryMainForm::NextSkin()
{
    // A skin that does not load is skipped, so F2 always gets somewhere.
    for (int step = 1; step < m_skins.Count(); ++step) {
        if (SelectSkin((m_current + step) % m_skins.Count()))
            return;
    }
}

std::vector<TGalleryWindow> TGalleryMainForm::ShowAll()
{
    // Shown without activating them: a form's Show makes it the foreground
    // window, and under Wine without a window manager (UseTakeFocus off)
    // several activations in a row leave X focus events behind that hand the
    // activation back and forth between the windows for ever.
    for (TGalleryForm* form : m_others)
        ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    if (!m_dialog)
        m_dialog = CreateGalleryDialog(Handle(), kDialog32770.x, kDialog32770.y);
    if (m_dialog)
        ShowWindow(m_dialog, SW_SHOWNOACTIVATE);
    for (const auto& [name, form] : m_pages)
        ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    if (!m_controlsDialog)
        m_controlsDialog =
            CreateGalleryControlsDialog(Handle(), kControlsDialog.x, kControlsDialog.y);
    if (m_controlsDialog)
        ShowWindow(m_controlsDialog, SW_SHOWNOACTIVATE);
    ShowWindow(m_mdiFrame->Handle(), SW_SHOWNOACTIVATE);
    PumpMessages(200);
    // Shown last, so it is the active window; its activation settles first.
    Show();
    ActivateAndSettle(Handle());
    // The skin engine takes a window over when it is activated. The others
    // are handed to it directly instead: activating each in turn while the
    // engine re-frames the one before can start that same back and forth.
    for (TGalleryForm* form : m_others)
        m_skinData->SkinForm(form->Handle());
    if (m_dialog)
        m_skinData->SkinForm(m_dialog);
    m_skinData->SkinForm(m_mdiFrame->Handle());
    for (const auto& [name, form] : m_pages)
        m_skinData->SkinForm(form->Handle());
    if (m_controlsDialog)
        m_skinData->SkinForm(m_controlsDialog);

    std::vector<TGalleryWindow> windows;
    windows.push_back({"main", Handle(), false});
    const char* names[] = {"inactive", "single", "dialog", "toolwindow", "none"};
    for (std::size_t i = 0; i < m_others.size(); ++i)
        windows.push_back({names[i], m_others[i]->Handle(), i == 0});
    if (m_dialog)
        windows.push_back({"32770", m_dialog, false});
    windows.push_back({"mdi", m_mdiFrame->Handle(), false});
    for (const auto& [name, form] : m_pages)
        windows.push_back({name, form->Handle(), false});
    if (m_controlsDialog)
        windows.push_back({"dialogcontrols", m_controlsDialog, false});
    return windows;
}

} // namespace tarnivo::gallery
