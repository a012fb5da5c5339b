#pragma once
// The tree view ("SysTreeView32") with its nodes.
//
// Thin: the nodes, their texts, data, expansion and the selection live in
// the window and are read back from it. A TTreeNode names one item by its
// handle; it is valid while that item exists and the window is not
// recreated (a change of a style property makes a new window with the same
// tree, whose items have new handles).

#include "framework/control.h"
#include "framework/controls/controlwindow.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace tarnivo {

class TCustomTreeView;
class TImageList;

class TTreeNode {
public:
    TTreeNode() = default;
    TTreeNode(TCustomTreeView& tree, HTREEITEM item) : m_tree(&tree), m_item(item) {}

    // A null node: no item (the parent of a top-level node, past the last child).
    explicit operator bool() const { return m_item != nullptr; }
    bool operator==(const TTreeNode& other) const { return m_item == other.m_item; }
    HTREEITEM ItemId() const { return m_item; }

    std::string Text() const;
    void SetText(const std::string& text);
    void* Data() const;
    void SetData(void* data);
    int ImageIndex() const;
    void SetImageIndex(int index);

    TTreeNode Parent() const;
    TTreeNode GetFirstChild() const;
    TTreeNode GetNextSibling() const;
    TTreeNode GetPrevSibling() const;
    // Number of direct children.
    int Count() const;
    bool HasChildren() const { return static_cast<bool>(GetFirstChild()); }
    // Depth below the top level (0 for a top-level node).
    int Level() const;

    bool Expanded() const;
    void Expand(bool recurse = false);
    void Collapse();
    bool Selected() const;
    void SetSelected(bool selected);
    // Deletes the node with its children; the node is null afterwards.
    void Delete();

private:
    friend class TCustomTreeView;
    TTreeNode Next(UINT relation) const;
    TVITEMW Read(UINT mask) const;
    void Write(TVITEMW item);
    HWND Window() const;

    TCustomTreeView* m_tree = nullptr;
    HTREEITEM m_item = nullptr;
};

// The nodes of a tree view. Adding needs the window (and so a parent).
class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView& owner) : m_owner(owner) {}

    // All nodes at every level.
    int Count() const;
    TTreeNode GetFirstNode() const;
    // Appends a top-level node.
    TTreeNode Add(const std::string& text, void* data = nullptr);
    // Appends a child of `parent`; a null parent appends at the top level.
    TTreeNode AddChild(TTreeNode parent, const std::string& text, void* data = nullptr);
    // Inserts before `sibling` among its siblings.
    TTreeNode Insert(TTreeNode sibling, const std::string& text, void* data = nullptr);
    void Delete(TTreeNode& node) { node.Delete(); }
    void Clear();

    // Bracket a rebuild so that the tree is painted once, at the end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomTreeView;
    TTreeNode InsertAfter(HTREEITEM parent, HTREEITEM after, const std::string& text, void* data);
    TCustomTreeView& m_owner;
    int m_updateCount = 0;
};

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode node)>;

class TCustomTreeView : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    TTreeNodes& Items() { return m_items; }
    const TTreeNodes& Items() const { return m_items; }
    // The selected node, or a null node.
    TTreeNode Selected() const;
    void SetSelected(TTreeNode node);

    bool ShowLines() const { return m_showLines; }
    void SetShowLines(bool show);
    bool ShowRoot() const { return m_showRoot; }
    void SetShowRoot(bool show);
    bool ShowButtons() const { return m_showButtons; }
    void SetShowButtons(bool show);
    // Without it the user can edit a node's text in place.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool hide);
    TBorderStyle BorderStyle() const { return m_border.Style(); }
    void SetBorderStyle(TBorderStyle border) { m_border.SetStyle(border); }
    bool Ctl3D() const { return m_border.Ctl3D(); }
    void SetCtl3D(bool ctl3D) { m_border.SetCtl3D(ctl3D); }
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);

    // After the selection moved, the user's way or the program's.
    TTVChangedEvent OnChange;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    HWND ItemWindow() const;

    struct SavedNode {
        std::string Text;
        LPARAM Data;
        int Image;
        bool Expanded;
        bool Selected;
        std::vector<SavedNode> Children;
    };
    void Save(HTREEITEM first, std::vector<SavedNode>& into);
    void Restore(HTREEITEM parent, const std::vector<SavedNode>& nodes);
    void Restyle(DWORD bit, bool on);

    TTreeNodes m_items;
    std::vector<SavedNode> m_saved;   // while the window is recreated
    bool m_showLines = true;
    bool m_showRoot = true;
    bool m_showButtons = true;
    bool m_readOnly = false;
    bool m_hideSelection = true;
    controlwindow::Border m_border{*this};
    TImageList* m_images = nullptr;
};

class TTreeView : public TCustomTreeView {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomTreeView::TCustomTreeView;
};

} // namespace tarnivo
