#include "iconreader.h"
#include "peresources.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tarnivo {

namespace {

class File {
public:
    explicit File(const std::wstring& path)
        : m_handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        LARGE_INTEGER size{};
        if (m_handle != INVALID_HANDLE_VALUE && GetFileSizeEx(m_handle, &size))
            m_size = static_cast<std::uint64_t>(size.QuadPart);
    }
    ~File()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool Open() const { return m_handle != INVALID_HANDLE_VALUE; }
    std::uint64_t Size() const { return m_size; }

    // Exactly `size` bytes at `offset`, or false.
    bool Read(std::uint64_t offset, void* buffer, std::uint32_t size) const
    {
        if (offset > m_size || size > m_size - offset)
            return false;
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        DWORD read = 0;
        return SetFilePointerEx(m_handle, at, nullptr, FILE_BEGIN) &&
               ReadFile(m_handle, buffer, size, &read, nullptr) && read == size;
    }

private:
    HANDLE m_handle;
    std::uint64_t m_size = 0;
};

} // namespace

IconHandle ReadProgramIcon(const std::wstring& file, int index, int size)
{
    File input(file);
    if (!input.Open())
        return {};
    PeResources resources(
        [&input](std::uint64_t offset, void* buffer, std::uint32_t size) {
            return input.Read(offset, buffer, size);
        },
        input.Size());
    if (!resources.Load())
        return {};
    auto group = resources.IconGroup(index);
    if (!group)
        return {};
    std::vector<BYTE> directory(group->Size);
    if (!input.Read(group->Offset, directory.data(), group->Size) || !IconGroupFits(directory))
        return {};
    const int cx = size > 0 ? size : GetSystemMetrics(SM_CXICON);
    const int cy = size > 0 ? size : GetSystemMetrics(SM_CYICON);
    const int id = LookupIconIdFromDirectoryEx(directory.data(), TRUE, cx, cy, LR_DEFAULTCOLOR);
    auto image = resources.IconImage(id);
    if (!image)
        return {};
    std::vector<BYTE> bits(image->Size);
    if (!input.Read(image->Offset, bits.data(), image->Size))
        return {};
    return IconHandle(CreateIconFromResourceEx(bits.data(), image->Size, TRUE, 0x00030000, cx, cy,
                                               LR_DEFAULTCOLOR));
}

} // namespace tarnivo
