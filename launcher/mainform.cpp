#include "mainform.h"

#include "aboutform.h"
#include "launch.h"
#include "startupform.h"

#include "framework/ansitext.h"
#include "framework/application.h"

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
    TShortcutScanner scanner(Catalogue(), *ImageList1, *this);
    scanner.ScanShortcuts();
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

void TForm1::ShowResult()
{
    TCatalogue& catalogue = Catalogue();
    TListItems& items = ListView2->Items();
    items.BeginUpdate();
    items.Clear();
    for (int i : TypeToFind().Result()) {
        TShortcutCfg& entry = catalogue.Shortcuts[static_cast<std::size_t>(i)];
        items.Add(entry.Name, i, &entry);
    }
    items.EndUpdate();
}

// The character is not consumed: after this handler the list view's own
// type-ahead selects the first item whose caption begins with the characters
// typed in quick succession, so that "ex" then Enter can start "Excel" at once.
void TForm1::ListView2KeyPress(TObject*, char& key)
{
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
        finder.TypedText += key;
        finder.TypedText = AnsiUpperCase(finder.TypedText);
        ShowTypedText();
        FilterList();
        break;
    }
}

void TForm1::FormKeyPress(TObject*, char& key)
{
    // Only while no control has the focus; the next character typed in the
    // result list filters from KeyPressCount on, so these are matched too.
    TypeToFind().TypedText += key;
    ShowTypedText();
}

void TForm1::ListView2DblClick(TObject*)
{
    LaunchSelected();
}

void TForm1::LaunchSelected()
{
    int item = ListView2->Selected();
    if (item < 0)
        return;
    const auto* entry = static_cast<const TShortcutCfg*>(ListView2->Items().Item(item).Data());
    if (!entry)
        return;
    LaunchShortcut(Handle(), *entry);
    ResetTypedText();
    TrayIcon1->Minimize();
}

// ------------------------------------------------------------------ help

void TForm1::Help1Click(TObject*)
{
    ShellExecuteA(Handle(), "open", ".\\tarnivo.html", nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::About2Click(TObject*)
{
    std::unique_ptr<TForm7> about(MakeForm<TForm7>(this));
    about->ShowModal();
}

} // namespace tarnivo
