#include "iconreader.h"

#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace tarnivo {

namespace {

// Bounds on what the file may make us read: a group directory holds at most
// a few dozen images, one image (a 256 x 256 PNG at most, in practice) stays
// far below the cap.
constexpr std::uint32_t MaxGroupBytes = 6 + 14 * 1024;
constexpr std::uint32_t MaxImageBytes = 4u << 20;
constexpr int MaxSections = 96;   // the PE format's own limit
constexpr int MaxEntries = 4096;  // per directory; real files have a few dozen

constexpr std::uint16_t ResourceTypeIcon = 3;
constexpr std::uint16_t ResourceTypeGroupIcon = 14;

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

    template <typename T>
    std::optional<T> Value(std::uint64_t offset) const
    {
        T value;
        if (!Read(offset, &value, sizeof value))
            return std::nullopt;
        return value;
    }

private:
    HANDLE m_handle;
    std::uint64_t m_size = 0;
};

struct Section {
    std::uint32_t VirtualAddress;
    std::uint32_t VirtualSize;
    std::uint32_t RawOffset;
    std::uint32_t RawSize;
};

// The resource tree of one PE file, read on demand.
class Resources {
public:
    explicit Resources(const File& file) : m_file(file) {}

    bool Load()
    {
        auto mz = m_file.Value<std::uint16_t>(0);
        auto peAt = m_file.Value<std::uint32_t>(0x3C);
        if (!mz || *mz != 0x5A4D || !peAt)
            return false;
        auto signature = m_file.Value<std::uint32_t>(*peAt);
        IMAGE_FILE_HEADER header;
        if (!signature || *signature != 0x00004550 || !m_file.Read(*peAt + 4u, &header, sizeof header))
            return false;
        const std::uint64_t optional = *peAt + 4u + sizeof header;
        auto magic = m_file.Value<std::uint16_t>(optional);
        if (!magic)
            return false;
        // The data directories follow the fixed part, whose size differs
        // between 32-bit and 64-bit images.
        std::uint32_t directories = 0;
        if (*magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC)
            directories = 96;
        else if (*magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
            directories = 112;
        else
            return false;
        auto count = m_file.Value<std::uint32_t>(optional + directories - 4);
        IMAGE_DATA_DIRECTORY resources;
        if (!count || *count <= IMAGE_DIRECTORY_ENTRY_RESOURCE ||
            directories + 8u * (IMAGE_DIRECTORY_ENTRY_RESOURCE + 1) > header.SizeOfOptionalHeader ||
            !m_file.Read(optional + directories + 8u * IMAGE_DIRECTORY_ENTRY_RESOURCE, &resources,
                         sizeof resources) ||
            resources.VirtualAddress == 0)
            return false;
        if (header.NumberOfSections == 0 || header.NumberOfSections > MaxSections)
            return false;
        const std::uint64_t table = optional + header.SizeOfOptionalHeader;
        for (int i = 0; i < header.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER s;
            if (!m_file.Read(table + 40u * static_cast<unsigned>(i), &s, sizeof s))
                return false;
            m_sections.push_back({s.VirtualAddress, s.Misc.VirtualSize, s.PointerToRawData,
                                  s.SizeOfRawData});
        }
        auto root = FileOffset(resources.VirtualAddress, 16);
        if (!root)
            return false;
        m_root = *root;
        return true;
    }

    // The data (file offset and size) of the resource of `type` at the
    // position or with the identifier `index` (see ReadProgramIcon); its
    // first language.
    std::optional<std::pair<std::uint64_t, std::uint32_t>> Find(std::uint16_t type, int index) const
    {
        auto types = Child(m_root, [&](int, std::uint32_t name) { return name == type; });
        if (!types)
            return std::nullopt;
        auto names = Child(*types, [&](int position, std::uint32_t name) {
            return index >= 0 ? position == index
                              : (name & 0x80000000u) == 0 && name == static_cast<std::uint32_t>(-index);
        });
        if (!names)
            return std::nullopt;
        auto language = Child(*names, [](int position, std::uint32_t) { return position == 0; },
                              /*leaf=*/true);
        if (!language)
            return std::nullopt;
        IMAGE_RESOURCE_DATA_ENTRY data;
        if (!m_file.Read(*language, &data, sizeof data))
            return std::nullopt;
        auto at = FileOffset(data.OffsetToData, data.Size);
        if (!at)
            return std::nullopt;
        return std::make_pair(*at, static_cast<std::uint32_t>(data.Size));
    }

private:
    // The file offset of `size` bytes at `rva`, inside one section's raw data.
    std::optional<std::uint64_t> FileOffset(std::uint32_t rva, std::uint32_t size) const
    {
        for (const Section& s : m_sections) {
            const std::uint32_t span = s.RawSize < s.VirtualSize || s.VirtualSize == 0 ? s.RawSize
                                                                                        : s.VirtualSize;
            if (rva >= s.VirtualAddress && rva - s.VirtualAddress <= span &&
                size <= span - (rva - s.VirtualAddress))
                return static_cast<std::uint64_t>(s.RawOffset) + (rva - s.VirtualAddress);
        }
        return std::nullopt;
    }

    // The entry of the directory at `directory` (a file offset) that `match`
    // picks, given its position and name; the file offset of what it points
    // to: a sub-directory, or a data entry when `leaf`.
    template <typename Match>
    std::optional<std::uint64_t> Child(std::uint64_t directory, Match match, bool leaf = false) const
    {
        IMAGE_RESOURCE_DIRECTORY dir;
        if (!m_file.Read(directory, &dir, sizeof dir))
            return std::nullopt;
        const int entries = dir.NumberOfNamedEntries + dir.NumberOfIdEntries;
        if (entries > MaxEntries)
            return std::nullopt;
        for (int i = 0; i < entries; ++i) {
            IMAGE_RESOURCE_DIRECTORY_ENTRY entry;
            if (!m_file.Read(directory + sizeof dir + 8u * static_cast<unsigned>(i), &entry,
                             sizeof entry))
                return std::nullopt;
            if (!match(i, entry.Name))
                continue;
            const bool isDirectory = (entry.OffsetToData & 0x80000000u) != 0;
            if (isDirectory == leaf)
                return std::nullopt;
            // Offsets inside the tree count from its root.
            return m_root + (entry.OffsetToData & 0x7FFFFFFFu);
        }
        return std::nullopt;
    }

    const File& m_file;
    std::vector<Section> m_sections;
    std::uint64_t m_root = 0;
};

} // namespace

IconHandle ReadProgramIcon(const std::wstring& file, int index)
{
    if (index == INT_MIN)   // no identifier to negate
        return {};
    File input(file);
    if (!input.Open())
        return {};
    Resources resources(input);
    if (!resources.Load())
        return {};
    auto group = resources.Find(ResourceTypeGroupIcon, index);
    if (!group || group->second < 6 || group->second > MaxGroupBytes)
        return {};
    std::vector<BYTE> directory(group->second);
    if (!input.Read(group->first, directory.data(), group->second))
        return {};
    // The directory's own count must fit the bytes that were read.
    std::uint16_t images = 0;
    std::memcpy(&images, directory.data() + 4, 2);
    if (images == 0 || 6u + 14u * images > group->second)
        return {};
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    int id = LookupIconIdFromDirectoryEx(directory.data(), TRUE, cx, cy, LR_DEFAULTCOLOR);
    if (id <= 0 || id > 0xFFFF)
        return {};
    auto image = resources.Find(ResourceTypeIcon, -id);
    if (!image || image->second < sizeof(BITMAPINFOHEADER) || image->second > MaxImageBytes)
        return {};
    std::vector<BYTE> bits(image->second);
    if (!input.Read(image->first, bits.data(), image->second))
        return {};
    return IconHandle(CreateIconFromResourceEx(bits.data(), image->second, TRUE, 0x00030000, cx, cy,
                                               LR_DEFAULTCOLOR));
}

} // namespace tarnivo
