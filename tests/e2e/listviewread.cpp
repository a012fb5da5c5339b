#include "listviewread.h"

#include <commctrl.h>

#include <cstddef>

namespace tarnivo {

namespace {

// How long one list-view message may take before the owner counts as hung.
constexpr UINT MessageTimeoutMs = 3000;
constexpr int TextCapacity = 1024;

class ProcessHandle {
public:
    explicit ProcessHandle(DWORD pid)
        : m_handle(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION,
                               FALSE, pid))
    {
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    ~ProcessHandle()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Memory inside the list view's process: the control writes its answers into
// its own address space, so the item record and the text buffer must be there.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size)
        : m_process(process),
          m_address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                   PAGE_READWRITE))
    {
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer()
    {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    char* Address() const { return static_cast<char*>(m_address); }

private:
    HANDLE m_process;
    void* m_address;
};

bool Send(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, DWORD_PTR& result)
{
    return SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               MessageTimeoutMs, &result) != 0;
}

bool ReadItem(HWND listView, HANDLE process, const RemoteBuffer& remote, int index,
              ListViewItem& item)
{
    // Record first, text buffer right behind it. The wide message: the
    // caption exactly as the list holds it, in any script.
    auto* remoteText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(LVITEMW));
    LVITEMW record{};
    record.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    record.iItem = index;
    record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    record.pszText = remoteText;
    record.cchTextMax = TextCapacity;
    SIZE_T moved = 0;
    const wchar_t empty = L'\0';
    if (!WriteProcessMemory(process, remote.Address(), &record, sizeof record, &moved) ||
        !WriteProcessMemory(process, remoteText, &empty, sizeof empty, &moved))
        return false;

    DWORD_PTR answered = 0;
    if (!Send(listView, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.Address()), answered) ||
        !answered)
        return false;

    wchar_t text[TextCapacity + 1] = {};
    if (!ReadProcessMemory(process, remote.Address(), &record, sizeof record, &moved) ||
        !ReadProcessMemory(process, remoteText, text, TextCapacity * sizeof(wchar_t), &moved))
        return false;
    item.Index = index;
    // UTF-8 for the scripts that compare it.
    char utf8[TextCapacity * 3 + 1] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    item.Text = utf8;
    item.Image = record.iImage;
    item.Selected = (record.state & LVIS_SELECTED) != 0;
    item.Focused = (record.state & LVIS_FOCUSED) != 0;
    return true;
}

} // namespace

bool QueryListView(HWND listView, UINT msg, WPARAM wParam, void* data, std::size_t size)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(listView, &pid);
    ProcessHandle process(pid);
    if (!process.Get())
        return false;
    RemoteBuffer remote(process.Get(), size);
    if (!remote.Address())
        return false;
    SIZE_T moved = 0;
    DWORD_PTR answered = 0;
    return WriteProcessMemory(process.Get(), remote.Address(), data, size, &moved) &&
           Send(listView, msg, wParam, reinterpret_cast<LPARAM>(remote.Address()), answered) &&
           answered &&
           ReadProcessMemory(process.Get(), remote.Address(), data, size, &moved);
}

bool ReadItemIconRect(HWND listView, int index, RECT& screen)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(listView, &pid);
    ProcessHandle process(pid);
    if (!process.Get())
        return false;
    RemoteBuffer remote(process.Get(), sizeof(RECT));
    if (!remote.Address())
        return false;
    RECT rect{};
    rect.left = LVIR_ICON;
    SIZE_T moved = 0;
    DWORD_PTR answered = 0;
    if (!WriteProcessMemory(process.Get(), remote.Address(), &rect, sizeof rect, &moved) ||
        !Send(listView, LVM_GETITEMRECT, static_cast<WPARAM>(index),
              reinterpret_cast<LPARAM>(remote.Address()), answered) ||
        !answered ||
        !ReadProcessMemory(process.Get(), remote.Address(), &rect, sizeof rect, &moved))
        return false;
    MapWindowPoints(listView, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    screen = rect;
    return true;
}

ListViewContents ReadListView(HWND listView)
{
    ListViewContents contents;
    DWORD pid = 0;
    GetWindowThreadProcessId(listView, &pid);
    ProcessHandle process(pid);
    if (!process.Get()) {
        contents.Error = "cannot open the list view's process";
        return contents;
    }
    RemoteBuffer remote(process.Get(), sizeof(LVITEMW) + (TextCapacity + 1) * sizeof(wchar_t));
    if (!remote.Address()) {
        contents.Error = "cannot allocate memory in the list view's process";
        return contents;
    }
    DWORD_PTR count = 0;
    if (!Send(listView, LVM_GETITEMCOUNT, 0, 0, count)) {
        contents.Error = "the list view does not answer";
        return contents;
    }
    for (int i = 0; i < static_cast<int>(count); ++i) {
        ListViewItem item;
        if (!ReadItem(listView, process.Get(), remote, i, item)) {
            contents.Error = "cannot read item " + std::to_string(i);
            return contents;
        }
        contents.Items.push_back(std::move(item));
    }
    contents.Ok = true;
    return contents;
}

} // namespace tarnivo
