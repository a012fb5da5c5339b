#include "gallerydialogs.h"

#include <commctrl.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace tarnivo::gallery {

// The template ---------------------------------------------------------------

TDialogTemplate::TDialogTemplate(DWORD style, short cx, short cy, std::wstring_view title)
{
    DLGTEMPLATE header{};
    header.style = style | DS_SETFONT;
    header.cx = cx;
    header.cy = cy;
    Append(&header, sizeof header);
    Word(0);   // no menu
    Word(0);   // the default class: "#32770"
    String(title);
    Word(8);   // point size
    String(L"MS Shell Dlg");
}

void TDialogTemplate::Item(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id,
                           std::wstring_view text)
{
    ItemHeader(style, x, y, cx, cy, id);
    Word(0xFFFF);
    Word(atom);
    ItemTail(text);
}

void TDialogTemplate::Item(std::wstring_view className, DWORD style, short x, short y, short cx,
                           short cy, WORD id, std::wstring_view text)
{
    ItemHeader(style, x, y, cx, cy, id);
    String(className);
    ItemTail(text);
}

int TDialogTemplate::Count() const
{
    WORD count = 0;
    std::memcpy(&count, m_bytes.data() + offsetof(DLGTEMPLATE, cdit), sizeof count);
    return count;
}

void TDialogTemplate::ItemHeader(DWORD style, short x, short y, short cx, short cy, WORD id)
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
}

void TDialogTemplate::ItemTail(std::wstring_view text)
{
    String(text);
    Word(0);   // no creation data
    const WORD count = static_cast<WORD>(Count() + 1);
    std::memcpy(m_bytes.data() + offsetof(DLGTEMPLATE, cdit), &count, sizeof count);
}

void TDialogTemplate::Append(const void* data, std::size_t size)
{
    const std::size_t at = m_bytes.size();
    m_bytes.resize(at + size);
    std::memcpy(m_bytes.data() + at, data, size);
}

void TDialogTemplate::String(std::wstring_view text)
{
    for (wchar_t c : text)
        Word(static_cast<WORD>(c));
    Word(0);
}

void TDialogTemplate::Align(std::size_t to)
{
    while (m_bytes.size() % to != 0)
        m_bytes.push_back(0);
}

namespace {

// Both dialogs are modeless and shown again from the Window menu, so OK and
// Cancel only hide them.
bool HideOnClose(HWND dialog, WPARAM wParam)
{
    if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
        return false;
    ShowWindow(dialog, SW_HIDE);
    return true;
}

void AddStrings(HWND window, UINT message, int count, const wchar_t* prefix)
{
    for (int i = 1; i <= count; ++i) {
        const std::wstring text = prefix + std::to_wstring(i);
        SendMessageW(window, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

// The first dialog -------------------------------------------------------------

INT_PTR CALLBACK GalleryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND combo = GetDlgItem(dialog, 105);
        for (const wchar_t* text : {L"First choice", L"Second choice", L"Third choice"})
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        AddStrings(GetDlgItem(dialog, 106), LB_ADDSTRING, 12, L"List item ");
        CheckDlgButton(dialog, 102, BST_CHECKED);
        CheckRadioButton(dialog, 103, 104, 103);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 30, 0};
        SetScrollInfo(GetDlgItem(dialog, 107), SB_CTL, &info, TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        return HideOnClose(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace

HWND CreateGalleryDialog(HWND owner, int x, int y)
{
    TDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 150,
                      L"Plain #32770 dialog");
    t.Item(kStaticAtom, SS_LEFT, 7, 7, 186, 10, 100, L"A dialog made by the dialog manager");
    t.Item(kEditAtom, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 120, 13, 101, L"Edit text");
    t.Item(kButtonAtom, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 38, 90, 10, 102, L"Check box");
    t.Item(kButtonAtom, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 7, 52, 90, 10, 103,
           L"Radio one");
    t.Item(kButtonAtom, BS_AUTORADIOBUTTON, 7, 64, 90, 10, 104, L"Radio two");
    t.Item(kComboBoxAtom, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 103, 38, 90, 60, 105, L"");
    t.Item(kListBoxAtom, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 103, 56, 90, 50, 106,
           L"");
    t.Item(kButtonAtom, BS_GROUPBOX, 4, 78, 96, 34, 108, L"Group box");
    t.Item(kScrollBarAtom, SBS_HORZ, 10, 92, 84, 10, 107, L"");
    t.Item(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 88, 128, 50, 14, IDOK, L"OK");
    t.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 143, 128, 50, 14, IDCANCEL, L"Cancel");

    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner,
                                             GalleryDialogProc, 0);
    if (dialog)
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return dialog;
}

// The controls dialog ------------------------------------------------------------

namespace {

void FillListView(HWND list)
{
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const wchar_t* names[] = {L"Name", L"Size", L"Kind"};
    const int widths[] = {100, 60, 70};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(names[i]);
        column.cx = widths[i];
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    for (int row = 0; row < 20; ++row) {
        std::wstring cells[] = {L"Row " + std::to_wstring(row + 1),
                                std::to_wstring((row + 1) * 12) + L" KB",
                                row % 4 == 0 ? L"Folder" : L"File"};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = cells[0].data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int sub = 1; sub < 3; ++sub) {
            item.iSubItem = sub;
            item.pszText = cells[sub].data();
            SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
}

void FillTree(HWND tree)
{
    HTREEITEM first = nullptr;
    for (const wchar_t* top : {L"Desktop", L"Documents", L"Games"}) {
        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(top);
        auto* parent = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!first)
            first = parent;
        for (int i = 1; i <= 3; ++i) {
            std::wstring text = std::wstring(top) + L" " + std::to_wstring(i);
            insert.hParent = parent;
            insert.item.pszText = text.data();
            SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
        }
        if (std::wstring_view(top) != L"Games")
            SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    }
    // Expanding scrolls the last expanded node into view; the picture shows
    // the tree from its top.
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(first));
}

void FillTabsAndHeader(HWND tabs, HWND header)
{
    int i = 0;
    for (const wchar_t* text : {L"General", L"Advanced", L"About"}) {
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(text);
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i++), reinterpret_cast<LPARAM>(&tab));
    }
    i = 0;
    for (const wchar_t* text : {L"Header", L"Of three", L"Items"}) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<wchar_t*>(text);
        item.cxy = 80;
        item.fmt = HDF_LEFT | HDF_STRING;
        SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(i++),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void FillToolBar(HWND toolbar)
{
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // The system's own small pictures (cut, copy, paste, ...), from the
    // common controls library.
    SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR,
                 reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    const struct {
        int Image;
        BYTE Style;
        BYTE State;
    } buttons[] = {{STD_FILENEW, BTNS_BUTTON, TBSTATE_ENABLED},
                   {STD_FILEOPEN, BTNS_BUTTON, TBSTATE_ENABLED},
                   {0, BTNS_SEP, 0},
                   {STD_CUT, BTNS_CHECK, TBSTATE_ENABLED | TBSTATE_CHECKED},
                   {STD_COPY, BTNS_BUTTON, TBSTATE_ENABLED},
                   {STD_PASTE, BTNS_BUTTON, 0}};
    int command = 300;   // clear of IDOK and IDCANCEL, which hide the dialog
    for (const auto& b : buttons) {
        TBBUTTON button{};
        button.iBitmap = b.Image;
        button.idCommand = b.Style == BTNS_SEP ? 0 : command++;
        button.fsState = b.State;
        button.fsStyle = b.Style;
        button.iString = -1;
        SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
}

void FillComboEx(HWND combo)
{
    int i = 0;
    for (const wchar_t* text : {L"Extended one", L"Extended two", L"Extended three"}) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = i++;
        item.pszText = const_cast<wchar_t*>(text);
        SendMessageW(combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void InitControlsDialog(HWND dialog)
{
    auto item = [dialog](TControlsDialogId id) { return GetDlgItem(dialog, id); };
    CheckDlgButton(dialog, cdCheck, BST_CHECKED);
    CheckDlgButton(dialog, cdThreeState, BST_INDETERMINATE);
    CheckRadioButton(dialog, cdRadioOne, cdRadioTwo, cdRadioOne);

    AddStrings(item(cdDropDown), CB_ADDSTRING, 8, L"Drop-down ");
    SendMessageW(item(cdDropDown), CB_SETCURSEL, 0, 0);
    AddStrings(item(cdSimpleCombo), CB_ADDSTRING, 8, L"Simple ");
    SendMessageW(item(cdSimpleCombo), CB_SETCURSEL, 1, 0);
    AddStrings(item(cdList), LB_ADDSTRING, 20, L"List item ");
    SendMessageW(item(cdList), LB_SETCURSEL, 1, 0);
    FillComboEx(item(cdComboEx));

    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 30, 0};
    SetScrollInfo(item(cdHorzBar), SB_CTL, &info, TRUE);
    info.nPos = 60;
    SetScrollInfo(item(cdVertBar), SB_CTL, &info, TRUE);

    SendMessageW(item(cdProgress), PBM_SETPOS, 45, 0);
    SendMessageW(item(cdTrack), TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageW(item(cdTrack), TBM_SETPOS, TRUE, 4);
    SendMessageW(item(cdUpDown), UDM_SETRANGE32, 0, 10);
    SendMessageW(item(cdUpDown), UDM_SETPOS32, 0, 3);
    SendMessageW(item(cdBuddyUpDown), UDM_SETRANGE32, 0, 99);
    SendMessageW(item(cdBuddyUpDown), UDM_SETPOS32, 0, 42);

    FillTabsAndHeader(item(cdTabs), item(cdHeader));
    FillListView(item(cdListView));
    FillTree(item(cdTree));
    FillToolBar(item(cdToolBar));

    HWND status = item(cdStatusBar);
    const int parts[] = {120, 240, -1};
    SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    const wchar_t* texts[] = {L"Status bar", L"with parts", L"three"};
    for (int i = 0; i < 3; ++i)
        SendMessageW(status, SB_SETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(texts[i]));
}

// The owner-drawn button paints itself as a plain program would: a coloured
// face, an edge that follows the pressed state, its text.
void DrawOwnerButton(const DRAWITEMSTRUCT& draw)
{
    RECT r = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    HBRUSH face = CreateSolidBrush(RGB(0xD0, 0xE8, 0xFF));
    FillRect(draw.hDC, &r, face);
    DeleteObject(face);
    DrawEdge(draw.hDC, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    wchar_t text[64] = {};
    GetWindowTextW(draw.hwndItem, text, 64);
    SetBkMode(draw.hDC, TRANSPARENT);
    DrawTextW(draw.hDC, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (draw.itemState & ODS_FOCUS) {
        InflateRect(&r, -3, -3);
        DrawFocusRect(draw.hDC, &r);
    }
}

INT_PTR CALLBACK ControlsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitControlsDialog(dialog);
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != cdOwnerDraw)
            return FALSE;
        DrawOwnerButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        return HideOnClose(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace

HWND CreateGalleryControlsDialog(HWND owner, int x, int y)
{
    // The application registers the Windows 95 classes; the date-time picker
    // and the extended combo box are classes of their own.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);

    TDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 330, 262,
                      L"Plain #32770 dialog: every control class");
    const DWORD tab = WS_TABSTOP;
    // Buttons of every style.
    t.Item(kButtonAtom, BS_PUSHBUTTON | tab, 7, 7, 50, 14, cdPush, L"Push");
    t.Item(kButtonAtom, BS_DEFPUSHBUTTON | tab, 62, 7, 50, 14, cdDefault, L"Default");
    t.Item(kButtonAtom, BS_PUSHBUTTON | WS_DISABLED, 117, 7, 50, 14, cdDisabled, L"Disabled");
    t.Item(kButtonAtom, BS_OWNERDRAW | tab, 172, 7, 66, 14, cdOwnerDraw, L"Owner-drawn");
    t.Item(kButtonAtom, BS_AUTOCHECKBOX | tab, 7, 26, 76, 10, cdCheck, L"Check box");
    t.Item(kButtonAtom, BS_3STATE | tab, 7, 38, 76, 10, cdThreeState, L"Three-state");
    t.Item(kButtonAtom, BS_AUTO3STATE | tab, 7, 50, 76, 10, cdAutoThreeState, L"Auto 3-state");
    t.Item(kButtonAtom, BS_GROUPBOX, 86, 22, 76, 42, cdGroup, L"Group box");
    t.Item(kButtonAtom, BS_AUTORADIOBUTTON | WS_GROUP | tab, 92, 34, 64, 10, cdRadioOne,
           L"Radio one");
    t.Item(kButtonAtom, BS_AUTORADIOBUTTON, 92, 47, 64, 10, cdRadioTwo, L"Radio two");
    // Text.
    t.Item(kStaticAtom, SS_LEFT | WS_GROUP, 168, 26, 74, 10, cdStatic, L"Static text");
    t.Item(kEditAtom, ES_AUTOHSCROLL | WS_BORDER | tab, 168, 38, 74, 13, cdEdit, L"Edit text");
    t.Item(kComboBoxAtom, CBS_DROPDOWN | WS_VSCROLL | tab, 248, 7, 75, 80, cdDropDown, L"");
    t.Item(kComboBoxAtom, CBS_SIMPLE | WS_VSCROLL | tab, 248, 24, 75, 46, cdSimpleCombo, L"");
    t.Item(L"ComboBoxEx32", CBS_DROPDOWNLIST | WS_VSCROLL | tab, 248, 74, 75, 80, cdComboEx, L"");
    t.Item(kListBoxAtom, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | tab, 7, 68, 76, 56, cdList, L"");
    // Ranges.
    t.Item(kScrollBarAtom, SBS_HORZ, 88, 70, 100, 10, cdHorzBar, L"");
    t.Item(kScrollBarAtom, SBS_VERT, 194, 56, 10, 66, cdVertBar, L"");
    t.Item(L"msctls_progress32", WS_BORDER, 88, 84, 100, 10, cdProgress, L"");
    t.Item(L"msctls_trackbar32", TBS_AUTOTICKS | tab, 88, 98, 100, 20, cdTrack, L"");
    t.Item(L"msctls_updown32", 0, 210, 56, 10, 14, cdUpDown, L"");
    t.Item(kEditAtom, ES_NUMBER | WS_BORDER | tab, 226, 56, 30, 13, cdBuddy, L"");
    t.Item(L"msctls_updown32", UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS,
           0, 0, 10, 14, cdBuddyUpDown, L"");
    t.Item(L"ToolbarWindow32",
           TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 210, 96, 113, 16,
           cdToolBar, L"");
    // Views.
    t.Item(L"SysTabControl32", tab, 7, 130, 150, 50, cdTabs, L"");
    t.Item(L"SysHeader32", HDS_BUTTONS, 164, 130, 159, 12, cdHeader, L"");
    t.Item(L"SysListView32", LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | tab, 164, 146, 159, 62,
           cdListView, L"");
    t.Item(L"SysTreeView32",
           TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | tab, 7,
           184, 150, 56, cdTree, L"");
    t.Item(L"SysDateTimePick32", DTS_SHORTDATEFORMAT | tab, 164, 212, 78, 13, cdDate, L"");
    t.Item(L"SysDateTimePick32", DTS_TIMEFORMAT | tab, 246, 212, 77, 13, cdTime, L"");
    t.Item(kButtonAtom, BS_PUSHBUTTON | tab, 164, 229, 50, 14, IDOK, L"OK");
    t.Item(kButtonAtom, BS_PUSHBUTTON | tab, 218, 229, 50, 14, IDCANCEL, L"Cancel");
    t.Item(kScrollBarAtom, SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 312, 232, 11, 11, cdSizeGrip,
           L"");
    // The status bar places itself along the bottom of the dialog.
    t.Item(L"msctls_statusbar32", 0, 0, 0, 0, 0, cdStatusBar, L"");

    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner,
                                             ControlsDialogProc, 0);
    if (dialog)
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return dialog;
}

} // namespace tarnivo::gallery
