#pragma once
// Reading the items of a list view that belongs to another process.

#include <windows.h>

#include <cstddef>

#include <string>
#include <vector>

namespace tarnivo {

struct ListViewItem {
    int Index = 0;
    std::string Text;
    int Image = -1;
    bool Selected = false;
    bool Focused = false;
};

struct ListViewContents {
    bool Ok = false;
    std::string Error;  // why reading failed, when !Ok
    std::vector<ListViewItem> Items;
};

// Reads every item (caption, image index, selected and focused state) of
// `listView`, which may live in any process of the same bitness.
ListViewContents ReadListView(HWND listView);

// The screen rectangle of item `index`'s icon (what a click on the item
// hits), or false when the list view has no such item or does not answer.
bool ReadItemIconRect(HWND listView, int index, RECT& screen);

// Sends `msg` with a `size`-byte buffer in the list view's process as lParam
// (filled from `data` first, read back into it after); false when the list
// view does not answer or answers 0.
bool QueryListView(HWND listView, UINT msg, WPARAM wParam, void* data, std::size_t size);

} // namespace tarnivo
