#include "framework/controls/treeview.h"
#include "framework/unicodetext.h"

#include "framework/collection.h"
#include "framework/imagelist.h"

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

// ---------------------------------------------------------------- TTreeNode

HWND TTreeNode::Window() const
{
    if (!m_tree || !m_item)
        throw EListError("Tree node is null");
    HWND window = Existing(*m_tree);
    if (!window)
        throw EListError("Tree node has no window");
    return window;
}

TVITEMW TTreeNode::Read(UINT mask) const
{
    TVITEMW item{};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = m_item;
    item.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
    Send(Window(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

void TTreeNode::Write(TVITEMW item)
{
    item.mask |= TVIF_HANDLE;
    item.hItem = m_item;
    Send(Window(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::string TTreeNode::Text() const
{
    wchar_t buffer[1024] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = m_item;
    item.pszText = buffer;
    item.cchTextMax = 1024;
    Send(Window(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.pszText ? ToUtf8(item.pszText) : "";
}

void TTreeNode::SetText(const std::string& text)
{
    std::wstring wide = ToWide(text);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.pszText = wide.data();
    Write(item);
}

void* TTreeNode::Data() const
{
    return reinterpret_cast<void*>(Read(TVIF_PARAM).lParam);
}

void TTreeNode::SetData(void* data)
{
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(data);
    Write(item);
}

int TTreeNode::ImageIndex() const
{
    return Read(TVIF_IMAGE).iImage;
}

void TTreeNode::SetImageIndex(int index)
{
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = index;
    item.iSelectedImage = index;
    Write(item);
}

TTreeNode TTreeNode::Next(UINT relation) const
{
    auto next = reinterpret_cast<HTREEITEM>(
        Send(Window(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(m_item)));
    return TTreeNode(*m_tree, next);
}

TTreeNode TTreeNode::Parent() const { return Next(TVGN_PARENT); }
TTreeNode TTreeNode::GetFirstChild() const { return Next(TVGN_CHILD); }
TTreeNode TTreeNode::GetNextSibling() const { return Next(TVGN_NEXT); }
TTreeNode TTreeNode::GetPrevSibling() const { return Next(TVGN_PREVIOUS); }

int TTreeNode::Count() const
{
    int count = 0;
    for (TTreeNode child = GetFirstChild(); child; child = child.GetNextSibling())
        ++count;
    return count;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode p = Parent(); p; p = p.Parent())
        ++level;
    return level;
}

bool TTreeNode::Expanded() const
{
    return (Read(TVIF_STATE).state & TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand(bool recurse)
{
    Send(Window(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_item));
    if (recurse)
        for (TTreeNode child = GetFirstChild(); child; child = child.GetNextSibling())
            child.Expand(true);
}

void TTreeNode::Collapse()
{
    Send(Window(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(m_item));
}

bool TTreeNode::Selected() const
{
    return m_tree && m_tree->Selected() == *this;
}

void TTreeNode::SetSelected(bool selected)
{
    if (selected)
        m_tree->SetSelected(*this);
    else if (Selected())
        m_tree->SetSelected(TTreeNode());
}

void TTreeNode::Delete()
{
    Send(Window(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(m_item));
    m_item = nullptr;
}

// --------------------------------------------------------------- TTreeNodes

int TTreeNodes::Count() const
{
    HWND window = controlwindow::Readable(m_owner);
    return window ? static_cast<int>(Send(window, TVM_GETCOUNT)) : 0;
}

TTreeNode TTreeNodes::GetFirstNode() const
{
    HWND window = controlwindow::Readable(m_owner);
    if (!window)
        return {};
    return TTreeNode(m_owner, reinterpret_cast<HTREEITEM>(Send(window, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

TTreeNode TTreeNodes::InsertAfter(HTREEITEM parent, HTREEITEM after, const std::string& text,
                                  void* data)
{
    std::wstring wide = ToWide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = wide.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    insert.item.iImage = -1;
    insert.item.iSelectedImage = -1;
    auto item = reinterpret_cast<HTREEITEM>(
        Send(m_owner.ItemWindow(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    return TTreeNode(m_owner, item);
}

TTreeNode TTreeNodes::Add(const std::string& text, void* data)
{
    return InsertAfter(TVI_ROOT, TVI_LAST, text, data);
}

TTreeNode TTreeNodes::AddChild(TTreeNode parent, const std::string& text, void* data)
{
    return InsertAfter(parent ? parent.ItemId() : TVI_ROOT, TVI_LAST, text, data);
}

TTreeNode TTreeNodes::Insert(TTreeNode sibling, const std::string& text, void* data)
{
    if (!sibling)
        return Add(text, data);
    TTreeNode before = sibling.GetPrevSibling();
    TTreeNode parent = sibling.Parent();
    return InsertAfter(parent ? parent.ItemId() : TVI_ROOT, before ? before.ItemId() : TVI_FIRST,
                       text, data);
}

void TTreeNodes::Clear()
{
    if (HWND window = Existing(m_owner))
        Send(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void TTreeNodes::BeginUpdate()
{
    if (m_updateCount++ == 0)
        if (HWND window = Existing(m_owner))
            Send(window, WM_SETREDRAW, FALSE);
}

void TTreeNodes::EndUpdate()
{
    if (m_updateCount == 0 || --m_updateCount > 0)
        return;
    if (HWND window = Existing(m_owner)) {
        Send(window, WM_SETREDRAW, TRUE);
        InvalidateRect(window, nullptr, TRUE);
    }
}

// ---------------------------------------------------------- TCustomTreeView

const TClassInfo& TCustomTreeView::StaticClassInfo()
{
    static const TClassInfo info{"TCustomTreeView", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner), m_items(*this)
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

TCustomTreeView::~TCustomTreeView()
{
    if (m_images)
        m_images->RemoveFreeNotification(this);
}

HWND TCustomTreeView::ItemWindow() const
{
    return controlwindow::Required(*this);
}

void TCustomTreeView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = WC_TREEVIEWA;
    if (m_showLines)
        params.Style |= TVS_HASLINES;
    if (m_showRoot)
        params.Style |= TVS_LINESATROOT;
    if (m_showButtons)
        params.Style |= TVS_HASBUTTONS;
    if (!m_readOnly)
        params.Style |= TVS_EDITLABELS;
    if (!m_hideSelection)
        params.Style |= TVS_SHOWSELALWAYS;
    m_border.CreateParams(params);
}

void TCustomTreeView::HandleCreated()
{
    HWND window = Handle();
    if (m_images)
        Send(window, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images->Handle()));
    std::vector<SavedNode> saved;
    saved.swap(m_saved);
    Restore(TVI_ROOT, saved);
}

void TCustomTreeView::HandleDestroying()
{
    m_saved.clear();
    Save(m_items.GetFirstNode().ItemId(), m_saved);
}

void TCustomTreeView::Save(HTREEITEM first, std::vector<SavedNode>& into)
{
    for (TTreeNode node(*this, first); node; node = node.GetNextSibling()) {
        TVITEMW item = node.Read(TVIF_PARAM | TVIF_IMAGE | TVIF_STATE);
        SavedNode saved{node.Text(), item.lParam, item.iImage, (item.state & TVIS_EXPANDED) != 0,
                        node.Selected(), {}};
        Save(node.GetFirstChild().ItemId(), saved.Children);
        into.push_back(std::move(saved));
    }
}

void TCustomTreeView::Restore(HTREEITEM parent, const std::vector<SavedNode>& nodes)
{
    for (const SavedNode& s : nodes) {
        TTreeNode node = m_items.InsertAfter(parent, TVI_LAST, s.Text, reinterpret_cast<void*>(s.Data));
        if (!node)
            continue;
        node.SetImageIndex(s.Image);
        Restore(node.ItemId(), s.Children);
        if (s.Expanded)
            node.Expand();
        if (s.Selected)
            SetSelected(node);
    }
}

TTreeNode TCustomTreeView::Selected() const
{
    HWND window = controlwindow::Readable(*this);
    if (!window)
        return {};
    auto item = reinterpret_cast<HTREEITEM>(Send(window, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return TTreeNode(const_cast<TCustomTreeView&>(*this), item);
}

void TCustomTreeView::SetSelected(TTreeNode node)
{
    Send(ItemWindow(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node.ItemId()));
}

void TCustomTreeView::Restyle(DWORD bit, bool on)
{
    // The tree view reads these style bits when it paints.
    if (HWND window = Existing(*this)) {
        controlwindow::SetStyleBits(window, bit, on);
        Invalidate();
    }
}

void TCustomTreeView::SetShowLines(bool show)
{
    if (m_showLines == show)
        return;
    m_showLines = show;
    Restyle(TVS_HASLINES, show);
}

void TCustomTreeView::SetShowRoot(bool show)
{
    if (m_showRoot == show)
        return;
    m_showRoot = show;
    Restyle(TVS_LINESATROOT, show);
}

void TCustomTreeView::SetShowButtons(bool show)
{
    if (m_showButtons == show)
        return;
    m_showButtons = show;
    Restyle(TVS_HASBUTTONS, show);
}

void TCustomTreeView::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    Restyle(TVS_EDITLABELS, !readOnly);
}

void TCustomTreeView::SetHideSelection(bool hide)
{
    if (m_hideSelection == hide)
        return;
    m_hideSelection = hide;
    Restyle(TVS_SHOWSELALWAYS, !hide);
}

void TCustomTreeView::SetImages(TImageList* images)
{
    if (!controlwindow::Relink(*this, m_images, images))
        return;
    if (HWND window = Existing(*this))
        Send(window, TVM_SETIMAGELIST, TVSIL_NORMAL,
             reinterpret_cast<LPARAM>(m_images ? m_images->Handle() : nullptr));
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_images)
        SetImages(nullptr);
}

void TCustomTreeView::Dispatch(TMessage& message)
{
    if (message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMTREEVIEWA*>(NotifyRecord(message.LParam));
        // An edit of a node's text in place: an answer of TRUE keeps the new
        // text (a cancelled edit comes without one).
        if (header && controlwindow::IsCode(header->hdr.code, TVN_ENDLABELEDITA, TVN_ENDLABELEDITW)) {
            const auto* edit = reinterpret_cast<const NMTVDISPINFOA*>(header);
            message.Result = edit->item.pszText != nullptr && !m_readOnly;
            return;
        }
        if (header && controlwindow::IsCode(header->hdr.code, TVN_SELCHANGEDA, TVN_SELCHANGEDW)) {
            if (OnChange)
                OnChange(this, TTreeNode(*this, header->itemNew.hItem));
            message.Result = 0;
            return;
        }
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TTreeView::StaticClassInfo()
{
    static const TClassInfo info{
        "TTreeView",
        &TCustomTreeView::StaticClassInfo(),
        {
            published::Boolean("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines),
            published::Boolean("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot),
            published::Boolean("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons),
            published::Boolean("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly),
            published::Boolean("HideSelection", &TTreeView::HideSelection,
                               &TTreeView::SetHideSelection),
            published::Enumeration("BorderStyle", {"bsNone", "bsSingle"}, &TTreeView::BorderStyle,
                                   &TTreeView::SetBorderStyle),
            published::Boolean("Ctl3D", &TTreeView::Ctl3D, &TTreeView::SetCtl3D),
            published::Object("Images", &TTreeView::Images, &TTreeView::SetImages),
        }};
    return info;
}

} // namespace tarnivo
