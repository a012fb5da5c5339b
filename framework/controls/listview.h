#pragma once
// The list view ("SysListView32") with its items.
//
// Thin: the items, their captions, images, data and selection live in the
// window and are read back from it; the framework keeps a copy only while
// the window is being recreated, so the items survive it.
//
// Owner data (a virtual list, LVS_OWNERDATA): the window keeps only the item
// count and the selection, and asks OnData for the caption and image of an
// item when it draws it (or when anyone reads it). A rebuild is then one
// count, whatever the number of items, and a paint costs what the visible
// items cost.

#include "framework/control.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TImageList;
class TCustomListView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// What an owner-data list view asks for item `Index`: fill in the caption
// and the image index (-1: none).
struct TListItemRequest {
    int Index = 0;
    std::string Caption;
    int ImageIndex = -1;
};
using TLVOwnerDataEvent = std::function<void(TObject* sender, TListItemRequest& item)>;

// A search by caption in an owner-data list view: the control's own
// type-ahead (the characters typed in quick succession) or LVM_FINDITEM.
struct TListFind {
    std::string Text;
    bool Partial = false;   // a caption that begins with Text will do
    bool Wrap = false;      // go on from the top after the last item
    int Start = 0;          // the first index to look at
};
// Answers the index found, or -1 for none.
using TLVOwnerDataFindEvent = std::function<int(TObject* sender, const TListFind& find)>;

// Item `index` of a list view. A view, not a copy: every call asks the
// window, so it names another item once items before it are deleted.
// An index outside the list raises EListError.
class TListItem {
public:
    TListItem(TCustomListView& owner, int index) : m_owner(&owner), m_index(index) {}

    int Index() const { return m_index; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    int ImageIndex() const;
    void SetImageIndex(int index);
    // The application's pointer stored with the item (its lParam).
    void* Data() const;
    void SetData(void* data);

    bool Selected() const;
    void SetSelected(bool selected);
    bool Focused() const;
    void SetFocused(bool focused);

    // Scrolls the list so that the item is in view (wholly, unless
    // `partialOk` and a part of it is in view already).
    void MakeVisible(bool partialOk = false);

private:
    LVITEMW Read(UINT mask) const;
    void Write(LVITEMW item);
    void SetState(UINT state, UINT mask);

    TCustomListView* m_owner;
    int m_index;
};

// The items of a list view, in the window.
class TListItems {
public:
    explicit TListItems(TCustomListView& owner);
    ~TListItems();
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    // Appends an item; answers its index, or -1 when the control refuses it.
    // An owner-data list takes no items (EListError): set its count instead.
    int Add(const std::string& caption, int imageIndex = -1, void* data = nullptr);
    int Count() const;
    // The number of items of an owner-data list; items past a smaller count
    // lose their selection. EListError for a list that keeps its own items.
    void SetCount(int count);
    void Delete(int index);
    void Clear();
    TListItem operator[](int index) const { return Item(index); }
    TListItem Item(int index) const;

    // Bracket a rebuild of the list (items, count, selection, scrolling) so
    // that it is painted once, at the end, scroll bar included.
    void BeginUpdate();
    void EndUpdate();

private:
    struct ScrollBarsState;

    TCustomListView& m_owner;
    int m_updateCount = 0;
    bool m_madeInvisible = false;   // WS_VISIBLE taken off for the update
    std::unique_ptr<ScrollBarsState> m_barsBefore;   // the frame when the update began
};

// BeginUpdate for a scope: EndUpdate when it ends, by an exception too (a
// list left in an update would stay without WS_VISIBLE).
class TListUpdate {
public:
    explicit TListUpdate(TListItems& items) : m_items(items) { m_items.BeginUpdate(); }
    ~TListUpdate() { m_items.EndUpdate(); }
    TListUpdate(const TListUpdate&) = delete;
    TListUpdate& operator=(const TListUpdate&) = delete;

private:
    TListItems& m_items;
};

class TCustomListView : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListItems& Items() { return m_items; }
    const TListItems& Items() const { return m_items; }

    TViewStyle ViewStyle() const { return m_viewStyle; }
    void SetViewStyle(TViewStyle style);

    // Shared, not owned: the control keeps using the lists the components own.
    TImageList* LargeImages() const { return m_largeImages; }
    void SetLargeImages(TImageList* images);
    TImageList* SmallImages() const { return m_smallImages; }
    void SetSmallImages(TImageList* images);

    // Whether the selection disappears while the control has no focus.
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool hide);
    // Whether the user may not edit the captions in place.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);

    // Owner data (see the file comment). The style cannot change on a live
    // window: switching makes a new window, and the list is then empty.
    bool OwnerData() const { return m_ownerData; }
    void SetOwnerData(bool ownerData);
    // The caption and image of an item of an owner-data list.
    TLVOwnerDataEvent OnData;
    // The control's own searches by caption in an owner-data list; without a
    // handler nothing is found, so the type-ahead never moves the selection.
    TLVOwnerDataFindEvent OnDataFind;

    // Index of the (first) selected item, or -1; setting -1 clears the selection.
    int Selected() const;
    void SetSelected(int index);
    // Index of the item with the focus rectangle, or -1.
    int ItemFocused() const;
    void SetItemFocused(int index);

    // The window, made now if it does not exist yet; items need it. Raises
    // an Exception for a control with no parent (a child window needs one).
    HWND ItemWindow() const;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Invalidate() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;
    void FontChanged() override;
    // Raised from the control's own NM_DBLCLK only (see listview.cpp).
    void DblClick() override {}

private:
    friend class TListItems;
    friend class TListItem;
    struct SavedItem {
        std::string Caption;
        int ImageIndex;
        LPARAM Data;
        UINT State;
    };

    void HandleNotify(TMessage& message);
    bool RequestItem(int index, UINT mask, TListItemRequest& request);
    void AnswerDispInfo(NMLVDISPINFOA& info);
    void AnswerDispInfo(NMLVDISPINFOW& info);
    LRESULT AnswerFind(int start, UINT flags, const std::string& text);
    void CheckItemsKept(const char* operation) const;
    void SetImageList(TImageList*& field, TImageList* images);
    void SyncImageLists();
    void SyncColors();
    void SetStyleBit(DWORD bit, bool on);
    DWORD ViewStyleBits() const;

    TListItems m_items;
    TViewStyle m_viewStyle = vsIcon;
    TImageList* m_largeImages = nullptr;
    TImageList* m_smallImages = nullptr;
    HIMAGELIST m_sentLarge = nullptr;   // lists the window was last given
    HIMAGELIST m_sentSmall = nullptr;
    bool m_hideSelection = true;
    bool m_readOnly = false;
    bool m_ownerData = false;
    std::vector<SavedItem> m_saved;     // items while the window is recreated
    // Owner data: the count before the window exists or while it is
    // recreated, and the selected and focused items then.
    int m_savedCount = 0;
    int m_savedSelected = -1;
    int m_savedFocused = -1;
};

class TListView : public TCustomListView {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomListView::TCustomListView;
};

} // namespace tarnivo
