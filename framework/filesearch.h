#pragma once
// File search with an attribute mask: FindFirst / FindNext / FindClose over
// FindFirstFileA (TSearchRec) or FindFirstFileW (TWideSearchRec, for names
// that the ANSI code page cannot hold: the ANSI call hands those back with
// "?" in place of such characters, a name that then opens nothing), with the
// classic filtering rule. Normal files (read-only, archive or no attribute)
// always match; an entry that is hidden, a system file, a volume label or a
// directory matches only when the mask includes each of those attributes it
// has.
//
// A search record owns the system's find handle while a search runs.
// FindClose gives it back early; a record that goes out of scope gives it back
// too, so a search abandoned by an exception leaks nothing.

#include <windows.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace tarnivo {

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

template <typename Char>
class TBasicSearchRec {
public:
    using String = std::basic_string<Char>;
    using FindDataType =
        std::conditional_t<std::is_same_v<Char, wchar_t>, WIN32_FIND_DATAW, WIN32_FIND_DATAA>;

    TBasicSearchRec() = default;
    TBasicSearchRec(const TBasicSearchRec&) = delete;
    TBasicSearchRec& operator=(const TBasicSearchRec&) = delete;
    TBasicSearchRec(TBasicSearchRec&& other) noexcept;
    TBasicSearchRec& operator=(TBasicSearchRec&& other) noexcept;
    ~TBasicSearchRec();

    // The entry found last: its name without the folder, its attributes
    // (FILE_ATTRIBUTE_* bits, of which the fa* constants are the low six),
    // its size in bytes and its last-write time as a packed DOS date and
    // time in local time (date in the high word).
    String Name;
    int Attr = 0;
    std::int64_t Size = 0;
    int Time = 0;

    // The system's record of the entry found last.
    const FindDataType& FindData() const { return m_data; }

    // Whether a search is open on this record.
    bool Searching() const { return m_handle != INVALID_HANDLE_VALUE; }

    // What FindFirst, FindNext and FindClose below do.
    int First(const String& path, int attr);
    int Next();
    void Close();

private:
    int Matching();

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    int m_excludeAttr = 0;
    FindDataType m_data{};
};

using TSearchRec = TBasicSearchRec<char>;
using TWideSearchRec = TBasicSearchRec<wchar_t>;

extern template class TBasicSearchRec<char>;
extern template class TBasicSearchRec<wchar_t>;

// Starts a search for `path` (a folder and a pattern, "C:\dir\*.*") and
// fills `rec` with the first matching entry. Answers 0 on success, else the
// Windows error code (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_NO_MORE_FILES when no entry matches the mask); the record then holds
// no open search. A search already open on `rec` is closed first.
inline int FindFirst(const std::string& path, int attr, TSearchRec& rec)
{
    return rec.First(path, attr);
}
inline int FindFirst(const std::wstring& path, int attr, TWideSearchRec& rec)
{
    return rec.First(path, attr);
}

// The next matching entry: 0, or a Windows error code (ERROR_NO_MORE_FILES
// at the end, ERROR_INVALID_HANDLE when no search is open).
template <typename Char>
int FindNext(TBasicSearchRec<Char>& rec)
{
    return rec.Next();
}

// Ends the search; safe to call on a record with no open search.
template <typename Char>
void FindClose(TBasicSearchRec<Char>& rec)
{
    rec.Close();
}

} // namespace tarnivo
