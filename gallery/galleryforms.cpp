#include "galleryforms.h"

#include "galleryshots.h"

#include "framework/application.h"
#include "framework/controls/listview.h"
#include "framework/controls/panel.h"
#include "framework/controls/progressbar.h"

#include <cstring>
#include <string_view>

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

template <typename C>
C* Place(TForm* form, int left, int top, int width, int height)
{
    auto* control = new C(form);
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& caption,
                   TNotifyEvent onClick = {})
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

} // namespace

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
    label->Font().Assign(Font());
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
    BuildMdiFrame();

    UpdateCaption();
    if (startSkin != 0)
        SelectSkin(startSkin);
}

void TGalleryMainForm::BuildMdiFrame()
{
    // A plain form: the frame's client area belongs to the MDI client window.
    m_mdiFrame = MakeForm<TForm>(Application);
    m_mdiFrame->SetCaption("MDI frame");
    m_mdiFrame->SetPosition(poDesigned);
    m_mdiFrame->SetBounds(kMdiBounds.left, kMdiBounds.top, RectWidth(kMdiBounds),
                          RectHeight(kMdiBounds));
    m_mdiFrame->SetFormStyle(fsMDIForm);
    m_mdiFrame->HandleNeeded();
    // The documents are made and shown while the frame is still hidden, so
    // that showing them activates nothing on the screen.
    const char* captions[] = {"Document 1", "Document 2"};
    for (int i = 0; i < 2; ++i) {
        TForm* child = MakeForm<TGalleryForm>(m_mdiFrame, bsSizeable, captions[i],
                                              Bounds(10 + 30 * i, 10 + 30 * i, 260, 180),
                                              "A document window");
        child->SetFormStyle(fsMDIChild);
        child->Show();
    }
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
                MessageBoxA(Handle(), m_loadError.c_str(), "SkinGallery", MB_OK | MB_ICONWARNING);
        }));
    }
    AddItem(this, skinMenu, "-");
    AddItem(this, skinMenu, "&Next skin\tF2", [this](TObject*) { NextSkin(); });
    TMenuItem* windowMenu = AddItem(this, root, "&Window");
    AddItem(this, windowMenu, "Show the &dialog", [this](TObject*) {
        if (m_dialog)
            ShowWindow(m_dialog, SW_SHOW);
    });
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

    std::vector<TGalleryWindow> windows;
    windows.push_back({"main", Handle(), false});
    const char* names[] = {"inactive", "single", "dialog", "toolwindow", "none"};
    for (std::size_t i = 0; i < m_others.size(); ++i)
        windows.push_back({names[i], m_others[i]->Handle(), i == 0});
    if (m_dialog)
        windows.push_back({"32770", m_dialog, false});
    windows.push_back({"mdi", m_mdiFrame->Handle(), false});
    return windows;
}

// The "#32770" dialog --------------------------------------------------------

namespace {

// A DLGTEMPLATE with its items, laid out as the dialog manager reads it:
// WORD-aligned strings, DWORD-aligned item headers.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, std::wstring_view title)
    {
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT;
        header.cx = cx;
        header.cy = cy;
        Append(&header, sizeof header);
        m_countOffset = offsetof(DLGTEMPLATE, cdit);
        Word(0);   // no menu
        Word(0);   // the default class: "#32770"
        String(title);
        Word(8);   // point size
        String(L"MS Shell Dlg");
    }

    void Item(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id,
              std::wstring_view text)
    {
        Align(4);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
        Word(0xFFFF);
        Word(atom);
        String(text);
        Word(0);   // no creation data
        WORD count = 0;
        std::memcpy(&count, m_bytes.data() + m_countOffset, sizeof count);
        ++count;
        std::memcpy(m_bytes.data() + m_countOffset, &count, sizeof count);
    }

    const DLGTEMPLATE* Get() const
    {
        return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data());
    }

private:
    void Append(const void* data, std::size_t size)
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
    }
    void Word(WORD w) { Append(&w, sizeof w); }
    void String(std::wstring_view text)
    {
        for (wchar_t c : text)
            Word(static_cast<WORD>(c));
        Word(0);
    }
    void Align(std::size_t to)
    {
        while (m_bytes.size() % to != 0)
            m_bytes.push_back(0);
    }

    std::vector<std::uint8_t> m_bytes;
    std::size_t m_countOffset = 0;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;
constexpr WORD kListBox = 0x0083;
constexpr WORD kScrollBar = 0x0084;
constexpr WORD kComboBox = 0x0085;

INT_PTR CALLBACK GalleryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND combo = GetDlgItem(dialog, 105);
        for (const wchar_t* text : {L"First choice", L"Second choice", L"Third choice"})
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        HWND list = GetDlgItem(dialog, 106);
        for (int i = 1; i <= 12; ++i) {
            const std::wstring text = L"List item " + std::to_wstring(i);
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        CheckDlgButton(dialog, 102, BST_CHECKED);
        CheckRadioButton(dialog, 103, 104, 103);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 30, 0};
        SetScrollInfo(GetDlgItem(dialog, 107), SB_CTL, &info, TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            // Hidden, not destroyed: the Window menu shows it again.
            ShowWindow(dialog, SW_HIDE);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

HWND CreateGalleryDialog(HWND owner, int x, int y)
{
    DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 150,
                     L"Plain #32770 dialog");
    t.Item(kStatic, SS_LEFT, 7, 7, 186, 10, 100, L"A dialog made by the dialog manager");
    t.Item(kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 120, 13, 101, L"Edit text");
    t.Item(kButton, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 38, 90, 10, 102, L"Check box");
    t.Item(kButton, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 7, 52, 90, 10, 103, L"Radio one");
    t.Item(kButton, BS_AUTORADIOBUTTON, 7, 64, 90, 10, 104, L"Radio two");
    t.Item(kComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 103, 38, 90, 60, 105, L"");
    t.Item(kListBox, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 103, 56, 90, 50, 106, L"");
    t.Item(kButton, BS_GROUPBOX, 4, 78, 96, 34, 108, L"Group box");
    t.Item(kScrollBar, SBS_HORZ, 10, 92, 84, 10, 107, L"");
    t.Item(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 88, 128, 50, 14, IDOK, L"OK");
    t.Item(kButton, BS_PUSHBUTTON | WS_TABSTOP, 143, 128, 50, 14, IDCANCEL, L"Cancel");

    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner,
                                             GalleryDialogProc, 0);
    if (dialog)
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return dialog;
}

} // namespace tarnivo::gallery
