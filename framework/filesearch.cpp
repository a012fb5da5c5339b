#include "filesearch.h"

#include <utility>

namespace tarnivo {

namespace {

// The attributes that a mask must name for an entry having them to match.
constexpr int faSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

int DosTime(const FILETIME& utc)
{
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return static_cast<int>((static_cast<DWORD>(date) << 16) | time);
}

void TakeEntry(TSearchRec& rec, const WIN32_FIND_DATAA& data)
{
    rec.Name = data.cFileName;
    rec.Attr = static_cast<int>(data.dwFileAttributes);
    rec.Size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rec.Time = DosTime(data.ftLastWriteTime);
}

} // namespace

TSearchRec::TSearchRec(TSearchRec&& other) noexcept
    : Name(std::move(other.Name)),
      Attr(other.Attr),
      Size(other.Size),
      Time(other.Time),
      m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE)),
      m_excludeAttr(other.m_excludeAttr),
      m_data(other.m_data)
{
}

TSearchRec& TSearchRec::operator=(TSearchRec&& other) noexcept
{
    if (this != &other) {
        Close();
        Name = std::move(other.Name);
        Attr = other.Attr;
        Size = other.Size;
        Time = other.Time;
        m_handle = std::exchange(other.m_handle, INVALID_HANDLE_VALUE);
        m_excludeAttr = other.m_excludeAttr;
        m_data = other.m_data;
    }
    return *this;
}

TSearchRec::~TSearchRec()
{
    Close();
}

void TSearchRec::Close()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        ::FindClose(std::exchange(m_handle, INVALID_HANDLE_VALUE));
}

namespace {

// Steps over entries the mask excludes, starting with the one in the record.
int FindMatching(TSearchRec& rec, HANDLE handle, WIN32_FIND_DATAA& data, int exclude)
{
    while (static_cast<int>(data.dwFileAttributes) & exclude)
        if (!FindNextFileA(handle, &data))
            return static_cast<int>(GetLastError());
    TakeEntry(rec, data);
    return 0;
}

} // namespace

int FindFirst(const std::string& path, int attr, TSearchRec& rec)
{
    rec.Close();
    rec.m_excludeAttr = ~attr & faSpecial;
    HANDLE handle = FindFirstFileA(path.c_str(), &rec.m_data);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    rec.m_handle = handle;
    int result = FindMatching(rec, handle, rec.m_data, rec.m_excludeAttr);
    if (result != 0)
        rec.Close();
    return result;
}

int FindNext(TSearchRec& rec)
{
    if (!rec.Searching())
        return ERROR_INVALID_HANDLE;
    if (!FindNextFileA(rec.m_handle, &rec.m_data))
        return static_cast<int>(GetLastError());
    return FindMatching(rec, rec.m_handle, rec.m_data, rec.m_excludeAttr);
}

void FindClose(TSearchRec& rec)
{
    rec.Close();
}

} // namespace tarnivo
