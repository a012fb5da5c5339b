#pragma once
// TSkinReader: unpacks a skin file (an LZH block around a skin archive),
// checks its version and entry table, and hands out entries by name.
// Platform-free: no Windows header; the older-skin message goes through a
// replaceable hook that the Windows build points at a message box.

#include "framework/object.h"
#include "framework/streams.h"
#include "framework/stringlist.h"
#include "lzh.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnivo {

class TSkinReader : public TObject {
public:
    static constexpr std::int32_t SkinVersion = 20000;
    static constexpr int MaxEntries = 1001;
    static constexpr std::int32_t HeaderBytes = 16;
    static constexpr const char* OlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

    // Shows the older-skin message; empty (the default) shows nothing.
    static inline std::function<void(const std::string&)> ShowMessage;

    std::string ClassName() const override { return "TSkinReader"; }

    // Unpacks and parses a skin file. On false the reader keeps what it held
    // before, and LastError() says why.
    bool Loadfromstream(TMemoryStream& source);
    // As Loadfromstream on the file's bytes; false without a message when
    // the file does not exist or cannot be opened.
    bool loadfromfile(const std::string& fileName);
    // Positions both streams at 0 and unpacks one LZH block; writes nothing
    // unless the block is sound.
    static BlockStatus Decompress(TStream& source, TStream& destination);

    // The entry's bytes (name compared in lower case), positioned at 0;
    // destination stays empty when no entry has that name.
    void readfile(std::string_view name, TMemoryStream& destination) const;
    // The same bytes in place, valid while the reader holds this archive;
    // empty when no entry has that name (or the entry is empty).
    std::span<const std::uint8_t> EntryBytes(std::string_view name) const;
    // The first entry whose lower-cased name contains pattern; answers its
    // name, or an empty name (and an empty destination) when none does.
    std::string readIni(std::string_view pattern, TMemoryStream& destination) const;

    const TStringList& EntryNames() const { return names_; }
    int EntryCount() const { return count_; }
    std::int32_t EntrySize(int index) const { return sizes_.at(static_cast<std::size_t>(index)); }
    const std::array<std::int32_t, 4>& Header() const { return header_; }
    const TMemoryStream& Data() const { return data_; }
    const std::string& LastError() const { return lastError_; }

private:
    bool Parse(TMemoryStream& archive);
    bool Fail(std::string reason);

    TStringList names_;
    int count_ = 0;
    std::array<std::int32_t, MaxEntries> sizes_{};
    TMemoryStream data_;
    std::array<std::int32_t, 4> header_{};
    std::string lastError_;
};

// The archive entry an INI image value names: its file-name part (after the
// last "\", "/" or ":") when that ends in ".bmp" exactly (lower case);
// otherwise empty, meaning the element's bitmap is cleared.
std::string SkinImageEntryName(std::string_view value);

} // namespace tarnivo
