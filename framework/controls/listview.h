#pragma once
// The list view ("SysListView32") with its items.
//
// Thin: the items, their captions, images, data and selection live in the
// window and are read back from it; the framework keeps a copy only while
// the window is being recreated, so the items survive it.

#include "framework/control.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace tarnivo {

class TImageList;
class TCustomListView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

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

private:
    LVITEMA Read(UINT mask) const;
    void Write(LVITEMA item);
    void SetState(UINT state, UINT mask);

    TCustomListView* m_owner;
    int m_index;
};

// The items of a list view, in the window.
class TListItems {
public:
    explicit TListItems(TCustomListView& owner) : m_owner(owner) {}

    // Appends an item; answers its index, or -1 when the control refuses it.
    int Add(const std::string& caption, int imageIndex = -1, void* data = nullptr);
    int Count() const;
    void Delete(int index);
    void Clear();
    TListItem operator[](int index) const { return Item(index); }
    TListItem Item(int index) const;

    // Bracket a rebuild of the list so that it is painted once, at the end.
    void BeginUpdate();
    void EndUpdate();

private:
    TCustomListView& m_owner;
    int m_updateCount = 0;
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
    struct SavedItem {
        std::string Caption;
        int ImageIndex;
        LPARAM Data;
        UINT State;
    };

    void HandleNotify(TMessage& message);
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
    std::vector<SavedItem> m_saved;     // items while the window is recreated
};

class TListView : public TCustomListView {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomListView::TCustomListView;
};

} // namespace tarnivo
