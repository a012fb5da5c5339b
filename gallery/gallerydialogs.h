#pragma once
// Plain "#32770" dialogs for the gallery, made by the dialog manager from
// templates built in memory: the windows no framework code touches, as the
// skin engine finds them in other programs.

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarnivo::gallery {

// A DLGTEMPLATE with its items, laid out as the dialog manager reads it:
// WORD-aligned strings, DWORD-aligned item headers.
class TDialogTemplate {
public:
    TDialogTemplate(DWORD style, short cx, short cy, std::wstring_view title);

    // An item of a predefined class, named by its atom (0x0080 "button" to
    // 0x0085 "combobox"); WS_CHILD and WS_VISIBLE are added.
    void Item(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id,
              std::wstring_view text);
    // An item of a class named by its window class name.
    void Item(std::wstring_view className, DWORD style, short x, short y, short cx, short cy,
              WORD id, std::wstring_view text);

    int Count() const;
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
    void ItemHeader(DWORD style, short x, short y, short cx, short cy, WORD id);
    void ItemTail(std::wstring_view text);
    void Append(const void* data, std::size_t size);
    void Word(WORD w) { Append(&w, sizeof w); }
    void String(std::wstring_view text);
    void Align(std::size_t to);

    std::vector<std::uint8_t> m_bytes;
};

// The dialog manager's atoms for the predefined classes.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kListBoxAtom = 0x0083;
constexpr WORD kScrollBarAtom = 0x0084;
constexpr WORD kComboBoxAtom = 0x0085;

// A modeless "#32770" dialog with push, check and radio buttons, an edit, a
// combo box, a list box, a scroll bar and a group box. Destroyed with its
// owner; OK and Cancel hide it.
HWND CreateGalleryDialog(HWND owner, int x, int y);

// A modeless "#32770" dialog with every raw Windows control class the skin
// engine meets: each button style (push, default, check, three-state, radio,
// group box, owner-drawn), edit, both kinds of combo box, list box, scroll
// bars and a size grip, static text, and the common controls (progress,
// track bar, up-down alone and with a buddy, tabs, list view in report
// style, tree view, header, date and time pickers, status bar, tool bar,
// extended combo box), filled with enough items to scroll.
HWND CreateGalleryControlsDialog(HWND owner, int x, int y);

// Ids of the controls dialog's items, for whoever looks at it.
enum TControlsDialogId : WORD {
    cdPush = 200,
    cdDefault,
    cdDisabled,
    cdOwnerDraw,
    cdCheck,
    cdThreeState,
    cdAutoThreeState,
    cdGroup,
    cdRadioOne,
    cdRadioTwo,
    cdStatic,
    cdEdit,
    cdDropDown,
    cdSimpleCombo,
    cdList,
    cdHorzBar,
    cdVertBar,
    cdSizeGrip,
    cdProgress,
    cdTrack,
    cdUpDown,
    cdBuddy,
    cdBuddyUpDown,
    cdComboEx,
    cdTabs,
    cdHeader,
    cdListView,
    cdTree,
    cdDate,
    cdTime,
    cdToolBar,
    cdStatusBar,
};

} // namespace tarnivo::gallery
