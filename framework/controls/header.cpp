#include "framework/controls/header.h"
#include "framework/unicodetext.h"

#include "framework/collection.h"
#include "framework/controls/controlwindow.h"

#include <commctrl.h>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Required;
using controlwindow::Send;

namespace {

int FormatOf(TAlignment alignment)
{
    return HDF_STRING | (alignment == taCenter         ? HDF_CENTER
                         : alignment == taRightJustify ? HDF_RIGHT
                                                       : HDF_LEFT);
}

TAlignment AlignmentOf(int format)
{
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_CENTER: return taCenter;
    case HDF_RIGHT: return taRightJustify;
    default: return taLeftJustify;
    }
}

HDITEMW ReadItem(HWND window, int index, UINT mask, wchar_t* text = nullptr, int textSize = 0)
{
    HDITEMW item{};
    item.mask = mask;
    item.pszText = text;
    item.cchTextMax = textSize;
    Send(window, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item;
}

void WriteItem(HWND window, int index, HDITEMW item)
{
    Send(window, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

RECT ItemRect(HWND window, int index)
{
    RECT r{};
    Send(window, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

} // namespace

// ----------------------------------------------------------- THeaderSection

std::string THeaderSection::Text() const
{
    m_owner->CheckIndex(m_index);
    wchar_t buffer[260] = {};
    ReadItem(Existing(*m_owner), m_index, HDI_TEXT, buffer, 260);
    return ToUtf8(buffer);
}

void THeaderSection::SetText(const std::string& text)
{
    m_owner->CheckIndex(m_index);
    std::wstring wide = ToWide(text);
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = wide.data();
    WriteItem(Existing(*m_owner), m_index, item);
}

int THeaderSection::Width() const
{
    m_owner->CheckIndex(m_index);
    return ReadItem(Existing(*m_owner), m_index, HDI_WIDTH).cxy;
}

void THeaderSection::SetWidth(int width)
{
    m_owner->CheckIndex(m_index);
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = width < 0 ? 0 : width;
    WriteItem(Existing(*m_owner), m_index, item);
}

TAlignment THeaderSection::Alignment() const
{
    m_owner->CheckIndex(m_index);
    return AlignmentOf(ReadItem(Existing(*m_owner), m_index, HDI_FORMAT).fmt);
}

void THeaderSection::SetAlignment(TAlignment alignment)
{
    m_owner->CheckIndex(m_index);
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    item.fmt = FormatOf(alignment);
    WriteItem(Existing(*m_owner), m_index, item);
}

int THeaderSection::Left() const
{
    m_owner->CheckIndex(m_index);
    return ItemRect(Existing(*m_owner), m_index).left;
}

int THeaderSection::Right() const
{
    m_owner->CheckIndex(m_index);
    return ItemRect(Existing(*m_owner), m_index).right;
}

// ---------------------------------------------------------- THeaderSections

int THeaderSections::Count() const
{
    HWND window = controlwindow::Readable(m_owner);
    return window ? static_cast<int>(Send(window, HDM_GETITEMCOUNT)) : 0;
}

int THeaderSections::Add(const std::string& text, int width, TAlignment alignment)
{
    HWND window = Required(m_owner);
    std::wstring wide = ToWide(text);
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = wide.data();
    item.cxy = width < 0 ? 0 : width;
    item.fmt = FormatOf(alignment);
    return static_cast<int>(
        Send(window, HDM_INSERTITEMW, static_cast<WPARAM>(Count()), reinterpret_cast<LPARAM>(&item)));
}

void THeaderSections::Delete(int index)
{
    m_owner.CheckIndex(index);
    Send(Existing(m_owner), HDM_DELETEITEM, static_cast<WPARAM>(index));
}

void THeaderSections::Clear()
{
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
}

THeaderSection THeaderSections::Item(int index) const
{
    m_owner.CheckIndex(index);
    return THeaderSection(m_owner, index);
}

// ----------------------------------------------------------- THeaderControl

const TClassInfo& THeaderControl::StaticClassInfo()
{
    static const TClassInfo info{
        "THeaderControl",
        &TWinControl::StaticClassInfo(),
        {
            published::Enumeration("Style", {"hsButtons", "hsFlat"}, &THeaderControl::Style,
                                   &THeaderControl::SetStyle),
            published::Boolean("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack),
            published::Boolean("FullDrag", &THeaderControl::FullDrag, &THeaderControl::SetFullDrag),
        }};
    return info;
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner), m_sections(*this)
{
    SetBounds(0, 0, 200, 17);
}

void THeaderControl::CheckIndex(int index) const
{
    if (index < 0 || index >= m_sections.Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void THeaderControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = WC_HEADERA;
    params.Style |= HDS_HORZ;
    if (m_style == hsButtons)
        params.Style |= HDS_BUTTONS;
    if (m_hotTrack)
        params.Style |= HDS_HOTTRACK;
    if (m_fullDrag)
        params.Style |= HDS_FULLDRAG;
}

void THeaderControl::HandleCreated()
{
    std::vector<SavedSection> saved;
    saved.swap(m_saved);
    for (const SavedSection& s : saved)
        m_sections.Add(s.Text, s.Width, s.Alignment);
}

void THeaderControl::HandleDestroying()
{
    m_saved.clear();
    for (int i = 0; i < m_sections.Count(); ++i) {
        THeaderSection s = m_sections[i];
        m_saved.push_back({s.Text(), s.Width(), s.Alignment()});
    }
}

void THeaderControl::SetStyle(THeaderStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    if (HWND window = Existing(*this)) {
        controlwindow::SetStyleBits(window, HDS_BUTTONS, style == hsButtons);
        Invalidate();
    }
}

void THeaderControl::SetHotTrack(bool hotTrack)
{
    if (m_hotTrack == hotTrack)
        return;
    m_hotTrack = hotTrack;
    if (HWND window = Existing(*this))
        controlwindow::SetStyleBits(window, HDS_HOTTRACK, hotTrack);
}

void THeaderControl::SetFullDrag(bool fullDrag)
{
    if (m_fullDrag == fullDrag)
        return;
    m_fullDrag = fullDrag;
    if (HWND window = Existing(*this))
        controlwindow::SetStyleBits(window, HDS_FULLDRAG, fullDrag);
}

void THeaderControl::Dispatch(TMessage& message)
{
    if (message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHEADERA*>(NotifyRecord(message.LParam));
        UINT code = header ? header->hdr.code : 0;
        if (controlwindow::IsCode(code, HDN_ITEMCLICKA, HDN_ITEMCLICKW)) {
            if (OnSectionClick)
                OnSectionClick(this, header->iItem);
        } else if (controlwindow::IsCode(code, HDN_ITEMCHANGEDA, HDN_ITEMCHANGEDW)) {
            // After the width changed: the user's drag, or SetWidth.
            if (header->pitem && (header->pitem->mask & HDI_WIDTH) && OnSectionResize)
                OnSectionResize(this, header->iItem);
        }
    }
    TWinControl::Dispatch(message);
}

} // namespace tarnivo
