#include "mainform.h"

#include "aboutform.h"
#include "launch.h"
#include "startupform.h"

#include "framework/textcase.h"
#include "framework/unicodetext.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/gdiobjects.h"

#include <algorithm>

#include <shellapi.h>

#include <memory>

namespace tarnivo {

const TClassInfo& TForm1::StaticClassInfo()
{
    static const TClassInfo info{"TForm1", &TForm::StaticClassInfo(), {}};
    return info;
}

TForm1::TForm1(TComponent* owner, TForm2* startup) : TForm(owner), m_startup(startup)
{
    LoadLayout([this] { BuildLayout(); });
    RegisterHotKey();
}

TForm1::~TForm1()
{
    UnregisterHotKey();
    DestroyComponents();
}

// ----------------------------------------------------------------- catalogue

void TForm1::FormCreate(TObject*)
{
    ScanShortcuts();
    PrepareFirstKey();
}

// The result list and the typed-text line draw nothing until the first key,
// and that key would pay for what the system does the first time: loading
// the fonts and rendering their glyphs, setting up the first scroll bar and
// the font of its arrows, the image list's first drawing (together tens of
// milliseconds under Wine). All of it is done once now, into memory, while
// the window is not shown yet: every character a name or the typed text may
// hold in both fonts, an icon plain and selected, and the list printed with
// enough (empty) items for a scroll bar.
void TForm1::PrepareFirstKey()
{
    constexpr int ItemsForAScrollBar = 100;
    TBitmap scratch;
    scratch.SetPixelFormat(pf32bit);
    scratch.SetSize(std::max(ListView2->Width(), 64), std::max(ListView2->Height(), 32));
    HDC dc = scratch.Canvas().Handle();
    std::wstring characters;
    for (int c = 32; c < 256; ++c)
        if (c != 127)
            characters += static_cast<wchar_t>(c);
    HWND list = ListView2->Handle();
    const HFONT fonts[] = {reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)),
                           Label1->Font().Handle()};
    for (HFONT font : fonts) {
        if (!font)
            continue;
        SelectedObject selected(dc, font);
        RECT r{0, 0, 64, 32};
        DrawTextW(dc, characters.c_str(), static_cast<int>(characters.size()), &r,
                  DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    if (ImageList1->Count() > 0) {
        ImageList_Draw(ImageList1->Handle(), 0, dc, 0, 0, ILD_NORMAL);
        ImageList_Draw(ImageList1->Handle(), 0, dc, 0, 0, ILD_SELECTED | ILD_BLEND50);
    }
    // Items past the result have no caption and no icon (ListView2Data).
    TListItems& items = ListView2->Items();
    items.SetCount(ItemsForAScrollBar);
    SendMessageW(list, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    items.SetCount(static_cast<int>(m_shownResult.size()));
}

void TForm1::FormShow(TObject*)
{
    SetCountLine(" shortcuts in your desktop and startmenu ");
}

void TForm1::SetCountLine(const char* tail)
{
    Label6->SetCaption("There are " + std::to_string(Catalogue().ShortcutCount) + tail);
}

void TForm1::ScanShortcuts()
{
    TypeToFind().KeyPressCount = 0;
    // Icons are taken at the list's size, which follows the window's DPI
    // (32 pixels at 96): the files carry images for the larger sizes.
    ImageList1->SetSize(Scaled(32), Scaled(32));
    TShortcutScanner scanner(Catalogue(), *ImageList1, *this);
    scanner.ScanShortcuts();
}

void TForm1::FollowIconSize()
{
    // The icon files carry images for the larger sizes: taken again from
    // them, not stretched from the 32-pixel ones.
    const int size = Scaled(32);
    if (ImageList1->Width() == size && ImageList1->Height() == size)
        return;
    ImageList1->SetSize(size, size);
    TShortcutScanner scanner(Catalogue(), *ImageList1, *this);
    scanner.RetakeIcons();
    ListView2->Invalidate();
}

void TForm1::Refresh1Click(TObject*)
{
    // The rescan overwrites the entries that the listed items refer to; an
    // emptied list cannot show another entry's name under an old item.
    TypeToFind().ClearResult();
    ShowResult();
    ScanShortcuts();
    ResetTypedText();
    SetCountLine(" shortcuts in desktop and startmenu ");
}

void TForm1::exit1Click(TObject*)
{
    Close();
}

void TForm1::ScanStarting()
{
    ProgressBar1->SetVisible(true);
}

void TForm1::SetBars(int value)
{
    if (m_startup)
        m_startup->Prog->SetPosition(value);
    ProgressBar1->SetPosition(value);
}

void TForm1::StepBars()
{
    auto step = [](TProgressBar* bar) { bar->SetPosition(std::min(bar->Position() + 1, 100)); };
    if (m_startup)
        step(m_startup->Prog);
    step(ProgressBar1);
}

void TForm1::RepaintStartup()
{
    if (m_startup && m_startup->HandleAllocated())
        UpdateWindow(m_startup->Handle());
}

void TForm1::ScanFinished()
{
    if (m_startup) {
        // The start-up window serves the first scan only.
        m_startup->Hide();
        m_startup = nullptr;
    }
    ProgressBar1->SetVisible(false);
}

// ------------------------------------------------------------ type-to-find

void TForm1::ShowTypedText()
{
    Label1->SetCaption(TypeToFind().TypedText);
}

void TForm1::ResetTypedText()
{
    TypeToFind().ResetTypedText();
    ShowTypedText();
}

void TForm1::FilterList()
{
    TypeToFind().FilterList();
    ShowResult();
}

bool TForm1::IsListed(int i) const
{
    return TypeToFind().IsListed(i);
}

// The list takes the new count and asks for the names and icons of what it
// draws. The top result is the one Enter starts: it is selected and focused
// and the list shows its beginning, however far it was scrolled.
void TForm1::ShowResult()
{
    const std::vector<int>& result = TypeToFind().Result();
    // A key that narrows nothing (as the later letters of a long name often
    // do) leaves the list as it is, if it still shows the top.
    if (result == m_shownResult && ShowsTopResult())
        return;
    m_shownResult = result;
    const int count = static_cast<int>(result.size());
    TListItems& items = ListView2->Items();
    TListUpdate update(items);
    items.SetCount(count);
    if (count > 0) {
        ListView2->SetItemFocused(0);
        ListView2->SetSelected(0);
        items[0].MakeVisible();
    }
}

// The list as a rebuild leaves it: the top result selected and focused, the
// view at its beginning.
bool TForm1::ShowsTopResult() const
{
    if (m_shownResult.empty())
        return ListView2->Items().Count() == 0;
    POINT origin{};
    SendMessageW(ListView2->ItemWindow(), LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
    return ListView2->Items().Count() == static_cast<int>(m_shownResult.size()) &&
           ListView2->Selected() == 0 && ListView2->ItemFocused() == 0 && origin.x == 0 &&
           origin.y == 0;
}

const TShortcutCfg* TForm1::ResultEntry(int item) const
{
    const std::vector<int>& result = TypeToFind().Result();
    if (item < 0 || item >= static_cast<int>(result.size()))
        return nullptr;
    return &Catalogue().Shortcuts[static_cast<std::size_t>(result[static_cast<std::size_t>(item)])];
}

// Caption: the catalogued name; image: the catalogue index (ImageList1 holds
// one icon per entry, in catalogue order).
void TForm1::ListView2Data(TObject*, TListItemRequest& item)
{
    const TShortcutCfg* entry = ResultEntry(item.Index);
    if (!entry)
        return;
    item.Caption = entry->Name;
    item.ImageIndex = static_cast<int>(entry - Catalogue().Shortcuts.data());
}

// The list view's own type-ahead would select the first caption that begins
// with the characters typed in quick succession and scroll to it, away from
// the top result; it finds nothing here, so the selection stays on the top.
int TForm1::ListView2DataFind(TObject*, const TListFind&)
{
    return -1;
}

// A character outside the BMP comes as two WM_CHARs, high then low
// surrogate: the first is kept, the pair is one typed character. False while
// the character is not complete.
bool TForm1::TypedCharacter(wchar_t key, std::string& character)
{
    if (key >= 0xD800 && key <= 0xDBFF) {
        m_highSurrogate = key;
        return false;
    }
    std::wstring units;
    if (key >= 0xDC00 && key <= 0xDFFF && m_highSurrogate)
        units += m_highSurrogate;
    m_highSurrogate = 0;
    units += key;
    character = ToUtf8(units);
    return true;
}

void TForm1::ListView2KeyPress(TObject*, wchar_t& key)
{
    std::string character;
    if (!TypedCharacter(key, character))
        return;
    TTypeToFind& finder = TypeToFind();
    ++finder.KeyPressCount;
    switch (key) {
    case '\r':
        ResetTypedText();
        if (ListView2->Items().Count() > 0) {
            if (ListView2->Selected() >= 0) {
                LaunchSelected();
            } else {
                ListView2->SetFocus();
                ListView2->SetItemFocused(0);
                ListView2->SetSelected(0);
            }
        }
        break;
    case 27:
        // The list stays as it is; the next character starts a new search.
        ResetTypedText();
        break;
    default:
        finder.TypedText += character;
        finder.TypedText = UnicodeUpperCase(finder.TypedText);
        ShowTypedText();
        FilterList();
        break;
    }
}

void TForm1::FormKeyPress(TObject*, wchar_t& key)
{
    // Only while no control has the focus; the next character typed in the
    // result list filters from KeyPressCount on, so these are matched too.
    std::string character;
    if (!TypedCharacter(key, character))
        return;
    TypeToFind().TypedText += character;
    ShowTypedText();
}

void TForm1::ListView2DblClick(TObject*)
{
    LaunchSelected();
}

void TForm1::LaunchSelected()
{
    const TShortcutCfg* entry = ResultEntry(ListView2->Selected());
    if (!entry)
        return;
    LaunchShortcut(Handle(), *entry);
    ResetTypedText();
    TrayIcon1->Minimize();
}

// ------------------------------------------------------------------ help

void TForm1::Help1Click(TObject*)
{
    ShellExecuteW(Handle(), L"open", L".\\tarnivo.html", nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::About2Click(TObject*)
{
    std::unique_ptr<TForm7> about(MakeForm<TForm7>(this));
    about->ShowModal();
}

} // namespace tarnivo
