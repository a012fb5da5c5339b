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

HANDLE SystemFindFirst(const std::string& path, WIN32_FIND_DATAA& data)
{
    return FindFirstFileA(path.c_str(), &data);
}
HANDLE SystemFindFirst(const std::wstring& path, WIN32_FIND_DATAW& data)
{
    return FindFirstFileW(path.c_str(), &data);
}
BOOL SystemFindNext(HANDLE handle, WIN32_FIND_DATAA& data)
{
    return FindNextFileA(handle, &data);
}
BOOL SystemFindNext(HANDLE handle, WIN32_FIND_DATAW& data)
{
    return FindNextFileW(handle, &data);
}

} // namespace

template <typename Char>
TBasicSearchRec<Char>::TBasicSearchRec(TBasicSearchRec&& other) noexcept
    : Name(std::move(other.Name)),
      Attr(other.Attr),
      Size(other.Size),
      Time(other.Time),
      m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE)),
      m_excludeAttr(other.m_excludeAttr),
      m_data(other.m_data)
{
}

template <typename Char>
TBasicSearchRec<Char>& TBasicSearchRec<Char>::operator=(TBasicSearchRec&& other) noexcept
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

template <typename Char>
TBasicSearchRec<Char>::~TBasicSearchRec()
{
    Close();
}

template <typename Char>
void TBasicSearchRec<Char>::Close()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        ::FindClose(std::exchange(m_handle, INVALID_HANDLE_VALUE));
}

// Steps over entries the mask excludes, starting with the one in the record.
template <typename Char>
int TBasicSearchRec<Char>::Matching()
{
    while (static_cast<int>(m_data.dwFileAttributes) & m_excludeAttr)
        if (!SystemFindNext(m_handle, m_data))
            return static_cast<int>(GetLastError());
    Name = m_data.cFileName;
    Attr = static_cast<int>(m_data.dwFileAttributes);
    Size = (static_cast<std::int64_t>(m_data.nFileSizeHigh) << 32) | m_data.nFileSizeLow;
    Time = DosTime(m_data.ftLastWriteTime);
    return 0;
}

template <typename Char>
int TBasicSearchRec<Char>::First(const String& path, int attr)
{
    Close();
    m_excludeAttr = ~attr & faSpecial;
    HANDLE handle = SystemFindFirst(path, m_data);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    m_handle = handle;
    int result = Matching();
    if (result != 0)
        Close();
    return result;
}

template <typename Char>
int TBasicSearchRec<Char>::Next()
{
    if (!Searching())
        return ERROR_INVALID_HANDLE;
    if (!SystemFindNext(m_handle, m_data))
        return static_cast<int>(GetLastError());
    return Matching();
}

template class TBasicSearchRec<char>;
template class TBasicSearchRec<wchar_t>;

} // namespace tarnivo
