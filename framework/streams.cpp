#include "streams.h"

#include "unicodetext.h"

#include <algorithm>
#include <cstring>
#include <new>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace tarnivo {

namespace {

constexpr std::int64_t CopyChunk = 64 * 1024;

std::int64_t Clamp(std::int64_t value, std::int64_t low, std::int64_t high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

// ---- TStream ---------------------------------------------------------------

std::int64_t TStream::Size()
{
    const std::int64_t position = Position();
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EStreamError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count <= 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min(count, CopyChunk)));
    for (std::int64_t left = count; left > 0;) {
        const std::int64_t n = std::min(left, CopyChunk);
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

std::int32_t TStream::ReadInt32()
{
    std::uint8_t bytes[4];
    ReadBuffer(bytes, 4);
    const std::uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

void TStream::WriteInt32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                   static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    WriteBuffer(bytes, 4);
}

// ---- TMemoryStream ---------------------------------------------------------

void TMemoryStream::Reserve(std::int64_t size)
{
    if (size < 0 || static_cast<std::uint64_t>(size) > data_.max_size())
        throw EStreamError("Out of memory while expanding memory stream");
    try {
        data_.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    const std::int64_t available = Size() - position_;
    if (count <= 0 || available <= 0)
        return 0;
    const std::int64_t n = std::min(count, available);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    const std::int64_t end = position_ + count;
    if (end > Size())
        Reserve(end);
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case TSeekOrigin::soBeginning: base = 0; break;
    case TSeekOrigin::soCurrent: base = position_; break;
    case TSeekOrigin::soEnd: base = Size(); break;
    }
    // A position before the start is meaningless; past the end is allowed and
    // a later write fills the gap with zero bytes.
    position_ = std::max<std::int64_t>(0, base + offset);
    return position_;
}

void TMemoryStream::SetSize(std::int64_t newSize)
{
    Reserve(newSize);
    position_ = Clamp(position_, 0, newSize);
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    const std::int64_t size = source.Size();
    TMemoryStream loaded;
    loaded.Reserve(size);
    source.ReadBuffer(loaded.data_.data(), size);
    data_.swap(loaded.data_);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, TFileMode::fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& destination) const
{
    destination.WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, TFileMode::fmCreate);
    SaveToStream(file);
}

// ---- TFileStream -----------------------------------------------------------

namespace {

std::FILE* OpenFile(const std::string& fileName, TFileMode mode)
{
    const char* how = mode == TFileMode::fmCreate ? "w+b" : "rb";
#ifdef _WIN32
    // Share mode "deny write" keeps another program from changing a skin or
    // INI file while we read it, as the Windows file-open modes do.
    const int share = mode == TFileMode::fmCreate ? _SH_DENYRW : _SH_DENYWR;
    // The name is UTF-8: the wide call opens what the ANSI one cannot name.
    return _wfsopen(ToWide(fileName).c_str(), ToWide(how).c_str(), share);
#else
    return std::fopen(fileName.c_str(), how);
#endif
}

int SeekFile(std::FILE* file, std::int64_t offset, int whence)
{
#ifdef _WIN32
    return _fseeki64(file, offset, whence);
#else
    return fseeko(file, static_cast<off_t>(offset), whence);
#endif
}

std::int64_t TellFile(std::FILE* file)
{
#ifdef _WIN32
    return _ftelli64(file);
#else
    return static_cast<std::int64_t>(ftello(file));
#endif
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName)
{
    file_ = OpenFile(fileName, mode);
    if (!file_) {
        if (mode == TFileMode::fmCreate)
            throw EFOpenError("Cannot create file \"" + fileName + "\"");
        throw EFOpenError("Cannot open file \"" + fileName + "\"");
    }
}

TFileStream::~TFileStream()
{
    if (file_)
        std::fclose(file_);
}

void TFileStream::SwitchTo(LastAccess access)
{
    if (last_ != LastAccess::None && last_ != access)
        SeekFile(file_, 0, SEEK_CUR);
    last_ = access;
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    SwitchTo(LastAccess::Read);
    return static_cast<std::int64_t>(std::fread(buffer, 1, static_cast<std::size_t>(count), file_));
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    SwitchTo(LastAccess::Write);
    return static_cast<std::int64_t>(std::fwrite(buffer, 1, static_cast<std::size_t>(count), file_));
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    // Asking for the position must not count as a seek between a read and a
    // write, so it leaves the access state alone.
    if (origin == TSeekOrigin::soCurrent && offset == 0)
        return TellFile(file_);
    if (SeekFile(file_, offset, whence) != 0)
        throw EStreamError("Stream seek error");
    last_ = LastAccess::None;
    return TellFile(file_);
}

void TFileStream::SetSize(std::int64_t newSize)
{
    if (newSize < 0)
        throw EStreamError("Stream write error");
    std::fflush(file_);
    const std::int64_t position = std::min(TellFile(file_), newSize);
#ifdef _WIN32
    const bool resized = _chsize_s(_fileno(file_), newSize) == 0;
#else
    const bool resized = ftruncate(fileno(file_), static_cast<off_t>(newSize)) == 0;
#endif
    if (!resized)
        throw EStreamError("Stream write error");
    SetPosition(position);
}

} // namespace tarnivo
