#pragma once
// Byte streams: the abstract TStream, memory and file streams.
// Platform-free: no Windows header; file streams sit on the C runtime.

#include "object.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tarnivo {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    std::string ClassName() const override { return "TStream"; }

    // Transfers up to count bytes and answers how many moved; 0 at the end.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Answers the new position from the start of the stream.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t newSize) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

    // As Read/Write, but a short transfer raises EStreamError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);

    // Copies count bytes from source's position; count 0 (or less) copies the
    // whole source from its start, as the Delphi idiom does. Answers the count.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    // Little-endian 32-bit integers, the framing of LZH blocks and skin files.
    std::int32_t ReadInt32();
    void WriteInt32(std::int32_t value);
};

class TMemoryStream : public TStream {
public:
    std::string ClassName() const override { return "TMemoryStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    // Growing fills with zero bytes; the position is kept unless it would lie
    // past the new end, where it is moved to the end.
    void SetSize(std::int64_t newSize) override;

    std::uint8_t* Memory() { return data_.data(); }
    const std::uint8_t* Memory() const { return data_.data(); }
    void Clear();
    // Exchanges content and position with another memory stream.
    void Swap(TMemoryStream& other) noexcept
    {
        data_.swap(other.data_);
        std::swap(position_, other.position_);
    }

    // Replace the content with all of source (read from its start), or with
    // the file's bytes; the position ends at 0.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    // Write the whole content, whatever the position.
    void SaveToStream(TStream& destination) const;
    void SaveToFile(const std::string& fileName) const;

private:
    void Reserve(std::int64_t size);

    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

enum class TFileMode {
    fmOpenRead,  // read an existing file; other writers are locked out on Windows
    fmCreate,    // create or truncate, then read and write
};

class TFileStream : public TStream {
public:
    // Raises EFOpenError when the file cannot be opened or created.
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;
    std::string ClassName() const override { return "TFileStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;

    const std::string& FileName() const { return fileName_; }

private:
    enum class LastAccess { None, Read, Write };
    // The C runtime needs a seek between a read and a write on one FILE.
    void SwitchTo(LastAccess access);

    std::string fileName_;
    std::FILE* file_ = nullptr;
    LastAccess last_ = LastAccess::None;
};

} // namespace tarnivo
