#pragma once
// File search with an attribute mask: FindFirst / FindNext / FindClose over
// FindFirstFileA, with the classic filtering rule. Normal files (read-only,
// archive or no attribute) always match; an entry that is hidden, a system
// file, a volume label or a directory matches only when the mask includes
// each of those attributes it has.
//
// A TSearchRec owns the system's find handle while a search runs. FindClose
// gives it back early; a record that goes out of scope gives it back too, so
// a search abandoned by an exception leaks nothing.

#include <windows.h>

#include <cstdint>
#include <string>

namespace tarnivo {

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

class TSearchRec {
public:
    TSearchRec() = default;
    TSearchRec(const TSearchRec&) = delete;
    TSearchRec& operator=(const TSearchRec&) = delete;
    TSearchRec(TSearchRec&& other) noexcept;
    TSearchRec& operator=(TSearchRec&& other) noexcept;
    ~TSearchRec();

    // The entry found last: its name without the folder, its attributes
    // (FILE_ATTRIBUTE_* bits, of which the fa* constants are the low six),
    // its size in bytes and its last-write time as a packed DOS date and
    // time in local time (date in the high word).
    std::string Name;
    int Attr = 0;
    std::int64_t Size = 0;
    int Time = 0;

    // The system's record of the entry found last.
    const WIN32_FIND_DATAA& FindData() const { return m_data; }

    // Whether a search is open on this record.
    bool Searching() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    friend int FindFirst(const std::string&, int, TSearchRec&);
    friend int FindNext(TSearchRec&);
    friend void FindClose(TSearchRec&);
    void Close();

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    int m_excludeAttr = 0;
    WIN32_FIND_DATAA m_data{};
};

// Starts a search for `path` (a folder and a pattern, "C:\dir\*.*") and
// fills `rec` with the first matching entry. Answers 0 on success, else the
// Windows error code (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_NO_MORE_FILES when no entry matches the mask); the record then holds
// no open search. A search already open on `rec` is closed first.
int FindFirst(const std::string& path, int attr, TSearchRec& rec);

// The next matching entry: 0, or a Windows error code (ERROR_NO_MORE_FILES
// at the end, ERROR_INVALID_HANDLE when no search is open).
int FindNext(TSearchRec& rec);

// Ends the search; safe to call on a record with no open search.
void FindClose(TSearchRec& rec);

} // namespace tarnivo
