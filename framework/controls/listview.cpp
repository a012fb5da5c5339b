#include "framework/controls/listview.h"

#include "framework/unicodetext.h"
#include "framework/collection.h"
#include "framework/imagelist.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace tarnivo {

namespace {

// A control's window for a query from a const member: only an existing
// window is used (Handle() makes none then), or null.
HWND ExistingWindow(const TWinControl& control)
{
    return control.HandleAllocated() ? const_cast<TWinControl&>(control).Handle() : nullptr;
}

LRESULT Send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageW(window, msg, wParam, lParam);
}

// The wide form of a search text from an ANSI parent's list.
std::wstring AnsiText(const char* text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// Longest caption read back; a longer one is cut here.
constexpr int MaxCaption = 1 << 20;

} // namespace

// ------------------------------------------------------------------ TListItem

LVITEMW TListItem::Read(UINT mask) const
{
    HWND window = m_owner->ItemWindow();
    if (m_index < 0 || m_index >= m_owner->Items().Count())
        throw EListError("List index out of bounds (" + std::to_string(m_index) + ")");
    LVITEMW item{};
    item.mask = mask;
    item.iItem = m_index;
    item.stateMask = static_cast<UINT>(-1);
    Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

void TListItem::Write(LVITEMW item)
{
    m_owner->CheckItemsKept("an item's caption, image or data is set");
    HWND window = m_owner->ItemWindow();
    if (m_index < 0 || m_index >= m_owner->Items().Count())
        throw EListError("List index out of bounds (" + std::to_string(m_index) + ")");
    item.iItem = m_index;
    Send(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::string TListItem::Caption() const
{
    Read(0);   // checks the index
    HWND window = m_owner->ItemWindow();
    // The control answers the length it copied: a full buffer may mean a
    // longer caption, so grow until it fits.
    for (int size = 256;; size *= 2) {
        std::wstring text(static_cast<std::size_t>(size), L'\0');
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text.data();
        item.cchTextMax = size;
        int length = static_cast<int>(
            Send(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(m_index),
                 reinterpret_cast<LPARAM>(&item)));
        if (length < size - 1 || size >= MaxCaption) {
            text.resize(static_cast<std::size_t>(std::clamp(length, 0, size - 1)));
            return ToUtf8(text);
        }
    }
}

void TListItem::SetCaption(const std::string& caption)
{
    std::wstring wide = ToWide(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.pszText = wide.data();
    Write(item);
}

int TListItem::ImageIndex() const
{
    return Read(LVIF_IMAGE).iImage;
}

void TListItem::SetImageIndex(int index)
{
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iImage = index;
    Write(item);
}

void* TListItem::Data() const
{
    return reinterpret_cast<void*>(Read(LVIF_PARAM).lParam);
}

void TListItem::SetData(void* data)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(data);
    Write(item);
}

bool TListItem::Selected() const
{
    return (Read(LVIF_STATE).state & LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool selected)
{
    SetState(selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TListItem::Focused() const
{
    return (Read(LVIF_STATE).state & LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool focused)
{
    SetState(focused ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
}

void TListItem::MakeVisible(bool partialOk)
{
    Read(0);   // checks the index
    Send(m_owner->ItemWindow(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(m_index), partialOk);
}

void TListItem::SetState(UINT state, UINT mask)
{
    Read(0);   // checks the index
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    Send(m_owner->ItemWindow(), LVM_SETITEMSTATE, static_cast<WPARAM>(m_index),
         reinterpret_cast<LPARAM>(&item));
}

// ----------------------------------------------------------------- TListItems

int TListItems::Add(const std::string& caption, int imageIndex, void* data)
{
    m_owner.CheckItemsKept("an item is added");
    HWND window = m_owner.ItemWindow();
    m_owner.SyncImageLists();
    std::wstring wide = ToWide(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    // Past the last index means "at the end": saves asking for the count.
    item.iItem = INT_MAX;
    item.pszText = wide.data();
    item.iImage = imageIndex;
    item.lParam = reinterpret_cast<LPARAM>(data);
    return static_cast<int>(Send(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int TListItems::Count() const
{
    HWND window = ExistingWindow(m_owner);
    if (!window)
        return m_owner.m_ownerData ? m_owner.m_savedCount
                                   : static_cast<int>(m_owner.m_saved.size());
    return static_cast<int>(Send(window, LVM_GETITEMCOUNT));
}

void TListItems::SetCount(int count)
{
    if (!m_owner.m_ownerData)
        throw EListError("The item count is set only on an owner-data list view");
    if (count < 0)
        throw EListError("Item count out of bounds (" + std::to_string(count) + ")");
    m_owner.m_savedCount = count;
    if (HWND window = ExistingWindow(m_owner)) {
        m_owner.SyncImageLists();
        // The control drops the selection and focus of items past the new
        // count; it asks for captions only when it draws. Wine sizes the
        // scroll bar to a larger count only when drawing is switched back
        // on, so the change is always made inside an update.
        TListUpdate update(*this);
        Send(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(count));
    }
}

void TListItems::Delete(int index)
{
    m_owner.CheckItemsKept("an item is deleted");
    HWND window = m_owner.ItemWindow();
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    Send(window, LVM_DELETEITEM, static_cast<WPARAM>(index));
}

void TListItems::Clear()
{
    if (m_owner.m_ownerData) {
        SetCount(0);
        return;
    }
    m_owner.m_saved.clear();
    if (HWND window = ExistingWindow(m_owner))
        Send(window, LVM_DELETEALLITEMS);
}

TListItem TListItems::Item(int index) const
{
    return TListItem(m_owner, index);
}

// What the frame of a list view shows: which scroll bars, and where.
struct TListItems::ScrollBarsState {
    DWORD Style = 0;
    SCROLLINFO Vertical{};
    SCROLLINFO Horizontal{};

    explicit ScrollBarsState(HWND window)
    {
        Style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & (WS_VSCROLL | WS_HSCROLL);
        for (auto [bar, info] : {std::pair{SB_VERT, &Vertical}, std::pair{SB_HORZ, &Horizontal}}) {
            info->cbSize = sizeof(SCROLLINFO);
            info->fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            if (!GetScrollInfo(window, bar, info))
                *info = SCROLLINFO{};
        }
    }
    static bool Same(const SCROLLINFO& a, const SCROLLINFO& b)
    {
        return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
    }
    bool operator==(const ScrollBarsState& other) const
    {
        return Style == other.Style && Same(Vertical, other.Vertical) &&
               Same(Horizontal, other.Horizontal);
    }
};

TListItems::TListItems(TCustomListView& owner) : m_owner(owner) {}

TListItems::~TListItems() = default;

void TListItems::BeginUpdate()
{
    if (m_updateCount++ != 0)
        return;
    HWND window = ExistingWindow(m_owner);
    if (!window)
        return;
    Send(window, WM_SETREDRAW, FALSE);
    // The list view then stops drawing its items but not its scroll bar: a
    // change of the item count still draws the bar at once, which under Wine
    // costs more than the rest of a rebuild. Without WS_VISIBLE (cleared as
    // the default WM_SETREDRAW handling clears it, with no messages) the bar
    // is only updated, and drawn with the items in the next paint, if it
    // changed at all.
    m_madeInvisible = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (m_madeInvisible)
        DefWindowProcW(window, WM_SETREDRAW, FALSE, 0);
    m_barsBefore = std::make_unique<ScrollBarsState>(window);
}

void TListItems::EndUpdate()
{
    if (m_updateCount == 0 || --m_updateCount != 0)
        return;
    HWND window = ExistingWindow(m_owner);
    std::unique_ptr<ScrollBarsState> before = std::move(m_barsBefore);
    if (!window)
        return;
    Send(window, WM_SETREDRAW, TRUE);
    if (m_madeInvisible)
        DefWindowProcW(window, WM_SETREDRAW, TRUE, 0);
    m_madeInvisible = false;
    // One paint for the items, and for the frame only when a scroll bar
    // came, went or moved.
    UINT flags = RDW_INVALIDATE | RDW_ERASE;
    if (!before || !(*before == ScrollBarsState(window)))
        flags |= RDW_FRAME;
    RedrawWindow(window, nullptr, nullptr, flags);
}

// ------------------------------------------------------------ TCustomListView

const TClassInfo& TCustomListView::StaticClassInfo()
{
    static const TClassInfo info{"TCustomListView", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner), m_items(*this)
{
    SetColor(clWindow);
    SetTabStop(true);
}

TCustomListView::~TCustomListView()
{
    // The base destroys the window; nothing must be saved for a recreation then.
    m_saved.clear();
}

HWND TCustomListView::ItemWindow() const
{
    if (HWND window = ExistingWindow(*this))
        return window;
    if (!Parent())
        throw Exception("Control '" + Name() + "' has no parent window");
    return const_cast<TCustomListView*>(this)->Handle();
}

DWORD TCustomListView::ViewStyleBits() const
{
    switch (m_viewStyle) {
    case vsIcon: return LVS_ICON;
    case vsSmallIcon: return LVS_SMALLICON;
    case vsList: return LVS_LIST;
    case vsReport: return LVS_REPORT;
    }
    return LVS_ICON;
}

void TCustomListView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = WC_LISTVIEWA;
    // The image lists belong to their components: the control must not
    // destroy them with itself. One item at a time can be selected.
    params.Style |= LVS_SHAREIMAGELISTS | LVS_SINGLESEL | ViewStyleBits();
    if (!m_hideSelection)
        params.Style |= LVS_SHOWSELALWAYS;
    if (!m_readOnly)
        params.Style |= LVS_EDITLABELS;
    // Owner data in icon view: Wine lays the items out anew for a changed
    // count (and sizes the scroll bar to them) only in an arranged list.
    if (m_ownerData)
        params.Style |= LVS_OWNERDATA | LVS_AUTOARRANGE;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::HandleCreated()
{
    m_sentLarge = nullptr;
    m_sentSmall = nullptr;
    SyncImageLists();
    SyncColors();
    if (m_ownerData) {
        Send(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(m_savedCount));
        if (m_savedFocused >= 0 && m_savedFocused < m_savedCount)
            m_items.Item(m_savedFocused).SetFocused(true);
        if (m_savedSelected >= 0 && m_savedSelected < m_savedCount)
            m_items.Item(m_savedSelected).SetSelected(true);
        return;
    }
    // Items kept while the window was recreated go back in their order.
    std::vector<SavedItem> saved;
    saved.swap(m_saved);
    for (const SavedItem& s : saved) {
        int index = m_items.Add(s.Caption, s.ImageIndex, reinterpret_cast<void*>(s.Data));
        if (index >= 0 && s.State) {
            LVITEMW item{};
            item.state = s.State;
            item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            Send(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
        }
    }
}

void TCustomListView::HandleDestroying()
{
    if (m_ownerData) {
        // The captions are the owner's; only the count and the marks go.
        m_savedCount = m_items.Count();
        m_savedSelected = Selected();
        m_savedFocused = ItemFocused();
        return;
    }
    m_saved.clear();
    int count = m_items.Count();
    m_saved.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TListItem item = m_items.Item(i);
        LVITEMW raw{};
        raw.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        raw.iItem = i;
        raw.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        Send(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&raw));
        m_saved.push_back({item.Caption(), raw.iImage, raw.lParam,
                           raw.state & (LVIS_SELECTED | LVIS_FOCUSED)});
    }
}

void TCustomListView::SetViewStyle(TViewStyle style)
{
    if (m_viewStyle == style)
        return;
    m_viewStyle = style;
    if (!HandleAllocated())
        return;
    // The list view follows a change of its view bits (WM_STYLECHANGED).
    DWORD current = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE));
    SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>((current & ~LVS_TYPEMASK) | ViewStyleBits()));
    Invalidate();
}

void TCustomListView::SetHideSelection(bool hide)
{
    if (m_hideSelection == hide)
        return;
    m_hideSelection = hide;
    SetStyleBit(LVS_SHOWSELALWAYS, !hide);
}

void TCustomListView::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    SetStyleBit(LVS_EDITLABELS, !readOnly);
}

void TCustomListView::SetOwnerData(bool ownerData)
{
    if (m_ownerData == ownerData)
        return;
    // LVS_OWNERDATA is read once, when the control is made.
    bool hadWindow = HandleAllocated();
    if (hadWindow)
        DestroyHandle();
    m_saved.clear();
    m_savedCount = 0;
    m_savedSelected = -1;
    m_savedFocused = -1;
    m_ownerData = ownerData;
    if (hadWindow)
        HandleNeeded();
}

void TCustomListView::CheckItemsKept(const char* operation) const
{
    if (m_ownerData)
        throw EListError(std::string("Owner-data list view '") + Name() +
                         "' keeps no items of its own: " + operation);
}

void TCustomListView::SetStyleBit(DWORD bit, bool on)
{
    if (!HandleAllocated())
        return;
    DWORD style = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE));
    DWORD wanted = on ? (style | bit) : (style & ~bit);
    if (wanted != style) {
        SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>(wanted));
        Invalidate();
    }
}

void TCustomListView::SetLargeImages(TImageList* images)
{
    SetImageList(m_largeImages, images);
}

void TCustomListView::SetSmallImages(TImageList* images)
{
    SetImageList(m_smallImages, images);
}

void TCustomListView::SetImageList(TImageList*& field, TImageList* images)
{
    if (field == images)
        return;
    TImageList* old = field;
    field = images;
    // The same list may serve both sizes: keep the notification while it does.
    if (old && old != m_largeImages && old != m_smallImages)
        RemoveFreeNotification(old);
    if (images)
        FreeNotification(images);
    if (HandleAllocated())
        SyncImageLists();
}

void TCustomListView::SyncImageLists()
{
    if (!HandleAllocated())
        return;
    // An image list makes its system list anew when its size changes; the
    // control is given the current one whenever it may draw from it.
    HIMAGELIST large = m_largeImages ? m_largeImages->Handle() : nullptr;
    HIMAGELIST small = m_smallImages ? m_smallImages->Handle() : nullptr;
    if (large != m_sentLarge) {
        m_sentLarge = large;
        Send(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
    }
    if (small != m_sentSmall) {
        m_sentSmall = small;
        Send(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

void TCustomListView::SyncColors()
{
    if (!HandleAllocated())
        return;
    // clNone lets the parent show through (CLR_NONE), as a skin may want.
    COLORREF background = Color() == clNone ? CLR_NONE : ColorToRGB(Color());
    Send(Handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    Send(Handle(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    Send(Handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
}

void TCustomListView::Invalidate()
{
    // SetColor repaints through here: the window takes the colour first.
    SyncColors();
    TWinControl::Invalidate();
}

void TCustomListView::FontChanged()
{
    SyncColors();
    TWinControl::FontChanged();
}

void TCustomListView::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    bool changed = false;
    if (component == m_largeImages) {
        m_largeImages = nullptr;
        changed = true;
    }
    if (component == m_smallImages) {
        m_smallImages = nullptr;
        changed = true;
    }
    if (changed)
        SyncImageLists();
}

int TCustomListView::Selected() const
{
    HWND window = ExistingWindow(*this);
    if (!window)
        return -1;
    return static_cast<int>(Send(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetSelected(int index)
{
    HWND window = ItemWindow();
    if (index >= m_items.Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    // Index -1 addresses every item: clear the old selection first.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    Send(window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    if (index >= 0)
        m_items.Item(index).SetSelected(true);
}

int TCustomListView::ItemFocused() const
{
    HWND window = ExistingWindow(*this);
    if (!window)
        return -1;
    return static_cast<int>(Send(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void TCustomListView::SetItemFocused(int index)
{
    if (index >= 0) {
        // The control moves the focus rectangle off the previous item itself.
        m_items.Item(index).SetFocused(true);
        return;
    }
    int focused = ItemFocused();
    if (focused >= 0)
        m_items.Item(focused).SetFocused(false);
}

void TCustomListView::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY: HandleNotify(message); return;
    case WM_PAINT: SyncImageLists(); break;
    }
    TWinControl::Dispatch(message);
}

void TCustomListView::HandleNotify(TMessage& message)
{
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    message.Result = 0;
    switch (header->code) {
    case NM_CLICK: Click(); break;
    // A double click reaches the control twice: as WM_LBUTTONDBLCLK, which
    // TControl turns into DblClick (a no-op here), and as this notification,
    // which the control sends on the same double click. Only this one raises
    // OnDblClick.
    case NM_DBLCLK: TWinControl::DblClick(); break;
    // Nothing here needs a notice per deleted item: answering TRUE spares a
    // notification round trip for every item when the list is emptied.
    case LVN_DELETEALLITEMS: message.Result = TRUE; break;
    // Owner data. The control asks in the parent's character set (UTF-16
    // for our windows, ANSI for a parent made by the ANSI calls); Wine asks
    // for searches in UTF-16 whatever the parent's.
    case LVN_GETDISPINFOA: AnswerDispInfo(*reinterpret_cast<NMLVDISPINFOA*>(message.LParam)); break;
    case LVN_GETDISPINFOW: AnswerDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(message.LParam)); break;
    case LVN_ODFINDITEMA: {
        const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(message.LParam);
        message.Result = find->lvfi.psz ? AnswerFind(find->iStart, find->lvfi.flags,
                                                     ToUtf8(AnsiText(find->lvfi.psz)))
                                        : -1;
        break;
    }
    case LVN_ODFINDITEMW: {
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(message.LParam);
        message.Result = find->lvfi.psz
                             ? AnswerFind(find->iStart, find->lvfi.flags, ToUtf8(find->lvfi.psz))
                             : -1;
        break;
    }
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW: {
        // An edited caption is kept (TRUE); a cancelled edit has no text.
        const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(message.LParam);
        message.Result = info->item.pszText != nullptr;
        break;
    }
    }
}

bool TCustomListView::RequestItem(int index, UINT mask, TListItemRequest& request)
{
    if (!m_ownerData || !OnData || index < 0 || !(mask & (LVIF_TEXT | LVIF_IMAGE)))
        return false;
    request.Index = index;
    OnData(this, request);
    return true;
}

void TCustomListView::AnswerDispInfo(NMLVDISPINFOA& info)
{
    TListItemRequest request;
    if (!RequestItem(info.item.iItem, info.item.mask, request))
        return;
    // The caption goes into the control's buffer: the control may read it
    // after this returns, when the request has gone.
    if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        WideCharToMultiByte(CP_ACP, 0, ToWide(request.Caption).c_str(), -1, info.item.pszText,
                            info.item.cchTextMax, nullptr, nullptr);
        info.item.pszText[info.item.cchTextMax - 1] = '\0';
    }
    if (info.item.mask & LVIF_IMAGE)
        info.item.iImage = request.ImageIndex;
}

void TCustomListView::AnswerDispInfo(NMLVDISPINFOW& info)
{
    TListItemRequest request;
    if (!RequestItem(info.item.iItem, info.item.mask, request))
        return;
    if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        std::wstring caption = ToWide(request.Caption);
        lstrcpynW(info.item.pszText, caption.c_str(), info.item.cchTextMax);
    }
    if (info.item.mask & LVIF_IMAGE)
        info.item.iImage = request.ImageIndex;
}

LRESULT TCustomListView::AnswerFind(int start, UINT flags, const std::string& text)
{
    // Only searches by caption are passed on; by data or position nothing
    // is found (an owner-data list stores neither, and the text of such a
    // search means nothing).
    if (!m_ownerData || !OnDataFind || !(flags & (LVFI_STRING | LVFI_PARTIAL)))
        return -1;
    TListFind find;
    find.Text = text;
    find.Partial = (flags & LVFI_PARTIAL) != 0;
    find.Wrap = (flags & LVFI_WRAP) != 0;
    find.Start = start;
    int found = OnDataFind(this, find);
    return found >= 0 && found < m_items.Count() ? found : -1;
}

// ---------------------------------------------------------------- TListView

const TClassInfo& TListView::StaticClassInfo()
{
    static const TClassInfo info{
        "TListView",
        &TCustomListView::StaticClassInfo(),
        {
            published::Enumeration("ViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"},
                                   &TListView::ViewStyle, &TListView::SetViewStyle),
            published::Object("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages),
            published::Object("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages),
            published::Boolean("HideSelection", &TListView::HideSelection,
                               &TListView::SetHideSelection),
            published::Boolean("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly),
            published::Boolean("OwnerData", &TListView::OwnerData, &TListView::SetOwnerData),
        }};
    return info;
}

} // namespace tarnivo
