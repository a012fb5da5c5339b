#include "gallerycontrols.h"

#include "framework/controls/bitbtn.h"
#include "framework/controls/checkbox.h"
#include "framework/controls/combobox.h"
#include "framework/controls/coolbar.h"
#include "framework/controls/datetimepicker.h"
#include "framework/controls/frame.h"
#include "framework/controls/groupbox.h"
#include "framework/controls/header.h"
#include "framework/controls/image.h"
#include "framework/controls/listbox.h"
#include "framework/controls/listview.h"
#include "framework/controls/memo.h"
#include "framework/controls/pagecontrol.h"
#include "framework/controls/panel.h"
#include "framework/controls/progressbar.h"
#include "framework/controls/radiobutton.h"
#include "framework/controls/radiogroup.h"
#include "framework/controls/scrollbar.h"
#include "framework/controls/scrollbox.h"
#include "framework/controls/speedbutton.h"
#include "framework/controls/statusbar.h"
#include "framework/controls/tabcontrol.h"
#include "framework/controls/toolbar.h"
#include "framework/controls/trackbar.h"
#include "framework/controls/treeview.h"
#include "framework/controls/updown.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnivo::gallery {

namespace {

template <typename C>
C* Place(TWinControl* parent, int left, int top, int width, int height)
{
    // Owned by the form, so that the form frees every control it shows.
    TComponent* owner = parent;
    while (auto* control = dynamic_cast<TControl*>(owner)) {
        if (dynamic_cast<TForm*>(control))
            break;
        owner = control->Parent();
    }
    auto* c = new C(owner);
    c->SetBounds(left, top, width, height);
    c->SetParent(parent);
    return c;
}

// A control filling the cell `r` less `inset` pixels on every side.
template <typename C>
C* PlaceInCell(TWinControl* parent, const TRect& r, int inset)
{
    return Place<C>(parent, r.left + inset, r.top + inset, r.right - r.left - 2 * inset,
                    r.bottom - r.top - 2 * inset);
}

TLabel* Note(TWinControl* parent, int left, int top, const std::string& text)
{
    auto* label = Place<TLabel>(parent, left, top, 0, 0);
    label->SetCaption(text);
    return label;
}

// A 16 x 16 glyph: a coloured diamond on a magenta ground, which the buttons
// key out (the glyph's transparent colour is its bottom-left pixel).
void DrawGlyph(TBitmap& glyph, TColor colour)
{
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(TRect{0, 0, 16, 16});
    canvas.Brush().SetColor(colour);
    canvas.Pen().SetColor(clNavy);
    const TPoint diamond[] = {{8, 1}, {15, 8}, {8, 15}, {1, 8}};
    canvas.Polygon(diamond);
}

} // namespace

namespace {

const char* PageCaption(TControlPage page)
{
    switch (page) {
    case TControlPage::Basic:  return "Controls: buttons, text, lists, ranges";
    case TControlPage::Common: return "Controls: views, tabs, bars, containers";
    case TControlPage::States: return "Controls: every state";
    }
    return "";
}

} // namespace

TGalleryControlsForm::TGalleryControlsForm(TComponent* owner, TControlPage page, TRect bounds)
    : TGalleryForm(owner, bsSizeable, PageCaption(page), bounds), m_page(page)
{
    LoadLayout([this] {
        switch (m_page) {
        case TControlPage::Basic:  BuildBasic(); break;
        case TControlPage::Common: BuildCommon(); break;
        case TControlPage::States: BuildStates(); break;
        }
    });
    if (m_page == TControlPage::Common)
        FillCommon();
}

void TGalleryControlsForm::Report(TControl*, const std::string& what)
{
    if (m_title.empty())
        m_title = Caption();
    SetCaption(m_title + " [" + what + "]");
}

void TGalleryControlsForm::ReportClicks(TControl* control)
{
    control->OnClick = [this, control](TObject*) {
        const std::string name = control->Caption().empty() ? control->Name() : control->Caption();
        Report(control, name + " " + std::to_string(++m_clicks[control]));
    };
}

void TGalleryControlsForm::ReportState(TControl* control)
{
    control->OnClick = [this, control](TObject*) {
        if (auto* box = dynamic_cast<TCheckBox*>(control)) {
            static const char* const names[] = {"unchecked", "checked", "grayed"};
            Report(control, box->Caption() + " " + names[box->State()]);
        } else if (auto* radio = dynamic_cast<TRadioButton*>(control); radio && radio->Checked()) {
            Report(control, radio->Caption() + " on");
        }
    };
}

std::string TGalleryControlsForm::ShotName(TControlPage page)
{
    switch (page) {
    case TControlPage::Basic:  return "controls";
    case TControlPage::Common: return "controls2";
    case TControlPage::States: return "states";
    }
    return "";
}

// Columns of 118 pixels after a column of row names; rows 40 pixels high,
// the tab, range and container rows (5 to 7) 90.
TRect TGalleryControlsForm::StateCell(int column, int row)
{
    const int left = 96 + 118 * column;
    const int top = 8 + 40 * std::min(row, 5) + 90 * std::max(row - 5, 0);
    return TRect{left, top, left + 114, top + (row < 5 ? 36 : 86)};
}

// The rows: push button, bit button, speed button, check box, radio
// button, tabs, ranges, containers. The first five have the columns
// normal, hot, pressed, focused, disabled, then default (buttons), down
// (speed button), checked and indeterminate (check box), on (radio).
void TGalleryControlsForm::BuildStates()
{
    auto cell = [](int column, int row) { return StateCell(column, row); };
    const char* rows[] = {"Button", "Bit button", "Speed button", "Check box", "Radio button",
                          "Tabs", "Ranges", "Containers"};
    for (int row = 0; row < 8; ++row)
        Note(this, 8, cell(0, row).top + 10, rows[row]);

    for (int column = 0; column < 6; ++column) {
        auto* button = PlaceInCell<TButton>(this, cell(column, 0), 4);
        button->SetCaption("Button");
        button->SetEnabled(column != 4);
        button->SetDefault(column == 5);
        auto* bit = PlaceInCell<TBitBtn>(this, cell(column, 1), 4);
        DrawGlyph(bit->Glyph(), clLime);
        bit->SetCaption("Bit button");
        bit->SetEnabled(column != 4);
        bit->SetDefault(column == 5);
        if (column == 3)
            continue;   // a speed button never takes the focus
        auto* speed = PlaceInCell<TSpeedButton>(this, cell(column, 2), 4);
        DrawGlyph(speed->Glyph(), clYellow);
        speed->SetCaption("Speed");
        speed->SetEnabled(column != 4);
        if (column == 5) {
            speed->SetGroupIndex(1);
            speed->SetAllowAllUp(true);
            speed->SetDown(true);
        }
    }
    for (int column = 0; column < 7; ++column) {
        auto* box = PlaceInCell<TCheckBox>(this, cell(column, 3), 6);
        box->SetCaption("Check box");
        box->SetAllowGrayed(true);
        box->SetEnabled(column != 4);
        box->SetState(column == 5 ? cbChecked : column == 6 ? cbGrayed : cbUnchecked);
        if (column == 6)
            continue;
        // Each radio button in a group of its own, so that one on leaves the
        // others as they are.
        const TRect r = cell(column, 4);
        auto* group = Place<TPanel>(this, r.left, r.top, r.right - r.left, r.bottom - r.top);
        group->SetBevelOuter(bvNone);
        auto* radio = Place<TRadioButton>(group, 6, 6, r.right - r.left - 12, r.bottom - r.top - 12);
        radio->SetCaption("Radio");
        radio->SetEnabled(column != 4);
        radio->SetChecked(column == 5);
    }

    // Tab rows need two cells: tabs on top, tabs below, button tabs.
    auto twoCells = [&cell](int column) {
        TRect r = cell(column, 5);
        r.right = cell(column + 1, 5).right;
        return r;
    };
    for (int column : {0, 2}) {
        auto* tabs = PlaceInCell<TTabControl>(this, twoCells(column), 2);
        for (const char* tab : {"One", "Two", "Three"})
            tabs->Tabs().Add(tab);
        tabs->SetTabIndex(1);
        tabs->SetTabPosition(column == 0 ? tpTop : tpBottom);
    }
    auto* pages = PlaceInCell<TPageControl>(this, twoCells(4), 2);
    pages->SetStyle(tsButtons);
    for (const char* name : {"One", "Two", "Three"}) {
        auto* sheet = new TTabSheet(this);
        sheet->SetPageControl(pages);
        sheet->SetCaption(name);
    }
    pages->SetActivePageIndex(0);

    const TRect h = cell(0, 6);
    auto* hprogress = Place<TProgressBar>(this, h.left + 4, h.top + 34, 106, 18);
    hprogress->SetPosition(60);
    const TRect v = cell(1, 6);
    auto* vprogress = Place<TProgressBar>(this, v.left + 48, v.top + 4, 18, 78);
    vprogress->SetOrientation(pbVertical);
    vprogress->SetPosition(60);
    auto* htrack = PlaceInCell<TTrackBar>(this, cell(2, 6), 4);
    htrack->SetMax(10);
    htrack->SetPosition(4);
    const TRect t = cell(3, 6);
    auto* vtrack = Place<TTrackBar>(this, t.left + 38, t.top + 2, 36, 82);
    vtrack->SetOrientation(trVertical);
    vtrack->SetBounds(t.left + 38, t.top + 2, 36, 82);
    vtrack->SetMax(10);
    vtrack->SetPosition(6);
    const TRect u = cell(4, 6);
    auto* vupdown = Place<TUpDown>(this, u.left + 48, u.top + 24, 17, 36);
    vupdown->SetMax(10);
    const TRect w = cell(5, 6);
    auto* hupdown = Place<TUpDown>(this, w.left + 38, w.top + 34, 36, 17);
    hupdown->SetOrientation(udHorizontal);
    hupdown->SetBounds(w.left + 38, w.top + 34, 36, 17);
    hupdown->SetMax(10);

    auto* group = PlaceInCell<TGroupBox>(this, cell(0, 7), 4);
    group->SetCaption("Group box");
    auto* panel = PlaceInCell<TPanel>(this, cell(1, 7), 4);
    panel->SetCaption("Panel");
    const TRect sb = cell(2, 7);
    auto* status = Place<TStatusBar>(this, sb.left, sb.top + 30, 232, 22);
    for (const char* text : {"Status", "bar"}) {
        TStatusPanel* part = status->Panels().Add();
        part->SetText(text);
        part->SetWidth(100);
    }
    auto* frame = PlaceInCell<TFrame>(this, cell(4, 7), 4);
    Note(frame, 6, 8, "Frame");
    auto* inFrame = Place<TButton>(frame, 6, 34, 90, 25);
    inFrame->SetCaption("in frame");
}

// Three columns: buttons and choices; text and lists; ranges.
void TGalleryControlsForm::BuildBasic()
{
    // Buttons and choices.
    Note(this, 10, 8, "Buttons and choices");
    auto* ok = Place<TButton>(this, 10, 26, 90, 25);
    ok->SetCaption("Default");
    ok->SetDefault(true);
    auto* off = Place<TButton>(this, 108, 26, 90, 25);
    off->SetCaption("Disabled");
    off->SetEnabled(false);

    const struct {
        const char* Text;
        TCheckBoxState State;
        bool Enabled;
    } checks[] = {
        {"Checked", cbChecked, true},
        {"Unchecked", cbUnchecked, true},
        {"Grayed", cbGrayed, true},
        {"Disabled, checked", cbChecked, false},
    };
    int y = 58;
    for (const auto& c : checks) {
        auto* box = Place<TCheckBox>(this, 10, y, 190, 18);
        box->SetCaption(c.Text);
        box->SetAllowGrayed(true);
        box->SetState(c.State);
        box->SetEnabled(c.Enabled);
        y += 20;
    }

    auto* group = Place<TGroupBox>(this, 10, 142, 190, 66);
    group->SetCaption("Group box");
    auto* one = Place<TRadioButton>(group, 10, 18, 160, 18);
    one->SetCaption("Radio one");
    one->SetChecked(true);
    auto* two = Place<TRadioButton>(group, 10, 40, 160, 18);
    two->SetCaption("Radio two");

    auto* radios = Place<TRadioGroup>(this, 10, 214, 190, 84);
    radios->SetCaption("Radio group");
    for (const char* item : {"First", "Second", "Third"})
        radios->AddItem(item);
    radios->SetItemIndex(1);

    auto* panel = Place<TPanel>(this, 10, 306, 190, 40);
    panel->SetCaption("Panel");

    auto* flat = Place<TSpeedButton>(this, 10, 356, 28, 28);
    DrawGlyph(flat->Glyph(), clYellow);
    flat->SetFlat(true);
    auto* raised = Place<TSpeedButton>(this, 42, 356, 28, 28);
    DrawGlyph(raised->Glyph(), clRed);
    auto* bit = Place<TBitBtn>(this, 80, 356, 120, 28);
    DrawGlyph(bit->Glyph(), clLime);
    bit->SetCaption("Bit button");
    flat->SetName("Flat");
    raised->SetName("Raised");
    for (TControl* button : std::initializer_list<TControl*>{ok, bit, flat, raised})
        ReportClicks(button);
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TCheckBox*>(Controls(i)))
            ReportState(Controls(i));
    ReportState(one);
    ReportState(two);

    // Text and lists.
    Note(this, 220, 8, "Text and lists");
    auto* edit = Place<TEdit>(this, 220, 26, 210, 22);
    edit->SetText("An edit box");
    auto* number = Place<TEdit>(this, 220, 54, 80, 22);
    auto* attached = Place<TUpDown>(this, 300, 54, 17, 22);
    attached->SetMax(99);
    attached->SetPosition(42);
    attached->SetAssociate(number);
    auto* alone = Place<TUpDown>(this, 330, 54, 17, 22);
    alone->SetMax(10);
    alone->SetPosition(5);
    Note(this, 352, 58, "Up-downs");

    auto* memo = Place<TMemo>(this, 220, 82, 210, 96);
    memo->SetScrollBars(ssVertical);
    std::string text;
    for (int i = 1; i <= 20; ++i)
        text += "Memo line " + std::to_string(i) + (i < 20 ? "\r\n" : "");
    memo->SetText(text);

    auto* list = Place<TListBox>(this, 220, 184, 210, 96);
    for (int i = 1; i <= 30; ++i)
        list->Items().Add("List box item " + std::to_string(i));
    list->SetItemIndex(2);

    auto* drop = Place<TComboBox>(this, 220, 288, 210, 22);
    drop->SetStyle(csDropDown);
    auto* pick = Place<TComboBox>(this, 220, 318, 210, 22);
    pick->SetStyle(csDropDownList);
    for (TComboBox* combo : {drop, pick})
        for (const char* item : {"Drop-down choice", "Second choice", "Third choice"})
            combo->Items().Add(item);
    drop->SetText("Drop-down (editable)");
    pick->SetItemIndex(0);

    auto* image = Place<TImage>(this, 220, 350, 32, 32);
    DrawGlyph(image->Picture(), clAqua);
    image->SetStretch(true);
    image->SetTransparent(true);
    Note(this, 258, 360, "Image, label");

    // Ranges.
    Note(this, 450, 8, "Ranges");
    auto* hbar = Place<TScrollBar>(this, 450, 26, 190, 17);
    hbar->SetPosition(30);
    // A new kind turns the bar round (width and height swap), as it does
    // for a bar placed by hand; the bounds are given again after it.
    auto* vbar = Place<TScrollBar>(this, 650, 26, 17, 170);
    vbar->SetKind(sbVertical);
    vbar->SetBounds(650, 26, 17, 170);
    vbar->SetPosition(60);

    auto* hprogress = Place<TProgressBar>(this, 450, 54, 190, 18);
    hprogress->SetPosition(40);
    auto* vprogress = Place<TProgressBar>(this, 620, 80, 18, 116);
    vprogress->SetOrientation(pbVertical);
    vprogress->SetPosition(65);

    auto* track = Place<TTrackBar>(this, 450, 80, 160, 36);
    track->SetMax(10);
    track->SetPosition(3);
    auto* vtrack = Place<TTrackBar>(this, 450, 124, 36, 120);
    vtrack->SetOrientation(trVertical);
    vtrack->SetBounds(450, 124, 36, 120);
    vtrack->SetMax(10);
    vtrack->SetPosition(7);
}

// Tool bar on top, views in the first row, tabs and pages in the second,
// a frame and the simple status bar below, the panelled status bar at the
// bottom.
void TGalleryControlsForm::BuildCommon()
{
    auto* tools = Place<TToolBar>(this, 0, 0, 690, 26);
    tools->SetShowCaptions(true);
    tools->SetList(true);
    tools->SetFlat(true);
    const struct {
        const char* Text;
        TToolButtonStyle Style;
    } buttons[] = {{"New", tbsButton}, {"Open", tbsButton}, {"", tbsSeparator},
                   {"Bold", tbsCheck}, {"Italic", tbsCheck}, {"Menu", tbsDropDown}};
    for (const auto& b : buttons) {
        auto* button = new TToolButton(this);
        button->SetStyle(b.Style);
        button->SetCaption(b.Text);
        button->SetParent(tools);
        if (std::string(b.Text) == "Bold")
            button->SetDown(true);
    }

    m_report = Place<TListView>(this, 10, 34, 250, 130);
    m_report->SetViewStyle(vsReport);
    m_tree = Place<TTreeView>(this, 268, 34, 190, 130);

    auto* header = Place<THeaderControl>(this, 466, 34, 214, 22);
    header->Sections().Add("Header", 80);
    header->Sections().Add("Sections", 80);
    header->Sections().Add("Three", 54);

    auto* date = Place<TDateTimePicker>(this, 466, 62, 214, 22);
    date->SetDate(EncodeDate(2024, 5, 17));
    auto* time = Place<TDateTimePicker>(this, 466, 90, 214, 22);
    time->SetKind(dtkTime);
    time->SetTime(EncodeTime(13, 45, 30));

    auto* box = Place<TScrollBox>(this, 466, 118, 214, 46);
    box->SetAutoScroll(true);
    Note(box, 6, 4, "Scroll box: more below and right");
    for (int i = 0; i < 3; ++i) {
        auto* b = Place<TButton>(box, 6 + 130 * i, 24 + 40 * i, 120, 25);
        b->SetCaption("Inside " + std::to_string(i + 1));
    }

    auto* tabs = Place<TTabControl>(this, 10, 172, 220, 116);
    for (const char* tab : {"Tab one", "Tab two", "Tab three"})
        tabs->Tabs().Add(tab);
    tabs->SetTabIndex(1);

    const char* pageNames[] = {"Page one", "Page two", "Page three"};
    for (int control = 0; control < 2; ++control) {
        auto* pages = Place<TPageControl>(this, 238 + 222 * control, 172, 214, 116);
        if (control == 1)
            pages->SetStyle(tsButtons);
        for (const char* name : pageNames) {
            auto* sheet = new TTabSheet(this);
            sheet->SetPageControl(pages);
            sheet->SetCaption(name);
            Note(sheet, 10, 10, std::string(name) + (control == 1 ? " (button tabs)" : ""));
        }
        pages->SetActivePageIndex(control);
    }

    auto* cool = Place<TCoolBar>(this, 10, 294, 670, 28);
    for (const char* text : {"Cool bar", "with bands", "of colour"}) {
        TCoolBand* band = cool->AddBand();
        band->SetText(text);
        band->SetWidth(220);
    }
    cool->Bands(2)->SetColor(clAqua);

    auto* frame = Place<TFrame>(this, 10, 328, 330, 32);
    Note(frame, 4, 8, "A frame:");
    auto* inFrame = Place<TEdit>(frame, 60, 4, 160, 22);
    inFrame->SetText("its own edit");
    auto* frameButton = Place<TButton>(frame, 228, 3, 90, 25);
    frameButton->SetCaption("and button");

    auto* simple = Place<TStatusBar>(this, 350, 332, 330, 22);
    simple->SetSimplePanel(true);
    simple->SetSimpleText("A simple status bar");

    auto* status = Place<TStatusBar>(this, 0, 364, 690, 22);
    for (const char* text : {"Panels:", "one", "two"}) {
        TStatusPanel* panel = status->Panels().Add();
        panel->SetText(text);
        panel->SetWidth(120);
    }
}

void TGalleryControlsForm::FillCommon()
{
    // The list view's report columns go to its window directly: the
    // framework's list view keeps items, not columns.
    TListView* list = m_report;
    HWND window = list->ItemWindow();
    const struct {
        const char* Text;
        int Width;
    } columns[] = {{"Name", 100}, {"Size", 60}, {"Kind", 70}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[i].Text);
        column.cx = columns[i].Width;
        column.iSubItem = i;
        SendMessageW(window, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    for (int i = 1; i <= 30; ++i) {
        std::string caption = "Report item ";
        caption += std::to_string(i);
        const int row = list->Items().Add(caption);
        std::string size = std::to_string(i * 37);
        size += " KB";
        std::string kind = i % 3 == 0 ? "Folder" : "File";
        const std::string* cells[] = {&size, &kind};
        for (int sub = 1; sub <= 2; ++sub) {
            LVITEMA item{};
            item.iSubItem = sub;
            item.pszText = const_cast<char*>(cells[sub - 1]->c_str());
            SendMessageW(window, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    list->SetSelected(1);

    TTreeView* tree = m_tree;
    for (const char* top : {"Documents", "Pictures", "Music"}) {
        TTreeNode node = tree->Items().Add(top);
        for (int i = 1; i <= 3; ++i)
            tree->Items().AddChild(node, std::string(top) + " " + std::to_string(i));
        if (std::string(top) != "Music")
            node.Expand();
    }
    // Expanding scrolls the last expanded node into view; the picture shows
    // the tree from its top.
    SendMessageW(tree->Handle(), TVM_ENSUREVISIBLE, 0,
                 reinterpret_cast<LPARAM>(tree->Items().GetFirstNode().ItemId()));
}

} // namespace tarnivo::gallery
