#include "lzh.h"

#include "framework/streams.h"
#include "lzhengine.h"

#include <limits>
#include <new>
#include <vector>

namespace tarnivo {

namespace {

constexpr std::int64_t ChunkBytes = 64 * 1024;

// Frees the tables when a pack or unpack ends, also by an exception.
template <class End>
struct EndGuard {
    End end;
    ~EndGuard() { end(); }
};
template <class End>
EndGuard(End) -> EndGuard<End>;

// Input of the buffered path: a memory stream's bytes in one piece,
// any other stream in chunks. The stream's position follows what was read.
class StreamChunks {
public:
    explicit StreamChunks(TStream& stream) : stream_(stream), start_(stream.Position())
    {
        memory_ = dynamic_cast<TMemoryStream*>(&stream);
    }

    bool Next(const std::uint8_t*& begin, const std::uint8_t*& end)
    {
        if (memory_) {
            const std::int64_t position = memory_->Position();
            const std::int64_t left = memory_->Size() - position;
            if (left <= 0)
                return false;
            begin = memory_->Memory() + position;
            end = begin + left;
            memory_->Seek(left, TSeekOrigin::soCurrent);
            return true;
        }
        buffer_.resize(ChunkBytes);
        const std::int64_t got = stream_.Read(buffer_.data(), ChunkBytes);
        if (got <= 0)
            return false;
        begin = buffer_.data();
        end = begin + got;
        return true;
    }

    std::int64_t Start() const { return start_; }

private:
    TStream& stream_;
    TMemoryStream* memory_ = nullptr;
    std::int64_t start_;
    std::vector<std::uint8_t> buffer_;
};

// Byte-at-a-time view of StreamChunks for the encoder.
class ChunkByteSource {
public:
    explicit ChunkByteSource(StreamChunks& chunks) : chunks_(chunks) {}

    bool Get(std::uint8_t& byte)
    {
        if (next_ == end_ && !chunks_.Next(next_, end_))
            return false;
        byte = *next_++;
        return true;
    }

private:
    StreamChunks& chunks_;
    const std::uint8_t* next_ = nullptr;
    const std::uint8_t* end_ = nullptr;
};

// Output of the buffered path: collects bytes and writes them in chunks.
class ChunkSink {
public:
    explicit ChunkSink(TStream& stream) : stream_(stream), buffer_(ChunkBytes) {}

    void Put(std::uint8_t byte)
    {
        if (used_ == buffer_.size())
            Flush();
        buffer_[used_++] = byte;
    }

    void Flush()
    {
        stream_.WriteBuffer(buffer_.data(), static_cast<std::int64_t>(used_));
        used_ = 0;
    }

private:
    TStream& stream_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
};

// Output straight into a memory stream that was grown to take it all.
struct MemorySink {
    std::uint8_t* next;
    void Put(std::uint8_t byte) { *next++ = byte; }
};

// The quick search over the source's bytes in one piece; the source is left
// at its end, as the tree search leaves it.
void PackQuick(TStream& source, TStream& destination)
{
    std::vector<std::uint8_t> copy;
    const std::uint8_t* bytes = nullptr;
    if (auto* memory = dynamic_cast<TMemoryStream*>(&source)) {
        bytes = memory->Memory();
    } else {
        copy.resize(static_cast<std::size_t>(source.Size()));
        source.ReadBuffer(copy.data(), static_cast<std::int64_t>(copy.size()));
        bytes = copy.data();
    }
    const auto size = static_cast<std::int32_t>(source.Size());
    source.SetPosition(size);
    std::unique_ptr<lzh::Tables> tables(new (std::nothrow) lzh::Tables);
    if (!tables)
        throw ElzhException(TLZH::NoMemoryMessage);
    ChunkSink sink(destination);
    auto put = [&sink](std::uint8_t byte) { sink.Put(byte); };
    lzh::BitWriter writer(put);
    lzh::EncodeQuick(*tables, bytes, size, writer);
    sink.Flush();
}

TStream& Require(TStream* stream)
{
    if (!stream)
        throw EStreamError("TLZH: input or output stream not set");
    return *stream;
}

} // namespace

TLZH::TLZH() = default;
TLZH::~TLZH() = default;

void TLZH::InitLZH()
{
    tables_.reset(new (std::nothrow) lzh::Tables);
    if (!tables_)
        throw ElzhException(NoMemoryMessage);
}

void TLZH::EndLZH()
{
    // Releasing memory cannot fail in C++, so FreeErrorMessage is never
    // raised; the text stays for callers that match on it.
    tables_.reset();
}

void TLZH::LZHPack(std::int32_t& Bytes_Written, const TReadProc& ReadProc, const TWriteProc& WriteProc)
{
    InitLZH();
    EndGuard guard{[this] { EndLZH(); }};
    struct CallbackSource {
        const TReadProc& read;
        bool Get(std::uint8_t& byte)
        {
            std::uint16_t got = 0;
            read(&byte, 1, got);
            return got >= 1;
        }
    } source{ReadProc};
    auto put = [&WriteProc](std::uint8_t byte) {
        std::uint16_t written = 0;
        WriteProc(&byte, 1, written);
        if (written != 1)
            throw EStreamError("Stream write error");
    };
    lzh::BitWriter writer(put);
    Bytes_Written = lzh::Encode(*tables_, source, writer);
}

void TLZH::LZHUnpack(std::int32_t TextSize, const TReadProc& ReadProc, const TWriteProc& WriteProc)
{
    inputExhausted_ = false;
    InitLZH();
    EndGuard guard{[this] { EndLZH(); }};
    auto fetch = [&ReadProc](std::uint8_t& byte) {
        std::uint16_t got = 0;
        ReadProc(&byte, 1, got);
        return got >= 1;
    };
    struct CallbackSink {
        const TWriteProc& write;
        void Put(std::uint8_t byte)
        {
            std::uint16_t written = 0;
            write(&byte, 1, written);
            if (written != 1)
                throw EStreamError("Stream write error");
        }
    } sink{WriteProc};
    lzh::ByteBitReader reader(fetch);
    lzh::Decode(*tables_, reader, sink, TextSize);
    inputExhausted_ = reader.Exhausted();
}

void TLZH::LZHPack(std::int32_t& Bytes_Written)
{
    TStream& input = Require(InputStream);
    TStream& output = Require(OutputStream);
    InitLZH();
    EndGuard guard{[this] { EndLZH(); }};
    StreamChunks chunks(input);
    ChunkByteSource source(chunks);
    ChunkSink sink(output);
    auto put = [&sink](std::uint8_t byte) { sink.Put(byte); };
    lzh::BitWriter writer(put);
    Bytes_Written = lzh::Encode(*tables_, source, writer);
    sink.Flush();
}

void TLZH::LZHUnpack(std::int32_t TextSize)
{
    TStream& input = Require(InputStream);
    TStream& output = Require(OutputStream);
    inputExhausted_ = false;
    InitLZH();
    EndGuard guard{[this] { EndLZH(); }};
    StreamChunks chunks(input);
    lzh::ChunkBitReader reader(chunks);
    const std::int32_t length = std::max<std::int32_t>(TextSize, 0);
    if (auto* memory = dynamic_cast<TMemoryStream*>(&output)) {
        const std::int64_t at = memory->Position();
        memory->SetSize(std::max(memory->Size(), at + length));
        MemorySink sink{memory->Memory() + at};
        lzh::Decode(*tables_, reader, sink, length);
        memory->SetPosition(at + length);
    } else {
        ChunkSink sink(output);
        lzh::Decode(*tables_, reader, sink, length);
        sink.Flush();
    }
    inputExhausted_ = reader.Exhausted();
    // The byte-at-a-time reader asks for a byte whenever 8 bits or fewer are
    // left, and the last read of every symbol is a single bit; so it has
    // fetched (bits - 1) / 8 + 2 bytes. Leave the input where it would.
    const std::int64_t bits = reader.ConsumedBits();
    const std::int64_t fetched = bits == 0 ? 0 : (bits - 1) / 8 + 2;
    const std::int64_t available = std::max<std::int64_t>(input.Size() - chunks.Start(), 0);
    input.SetPosition(chunks.Start() + std::min(fetched, available));
}

void TLZH::GetBlockStream(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got)
{
    Bytes_Got = static_cast<std::uint16_t>(Require(InputStream).Read(DTA, NBytes));
}

void TLZH::PutBlockStream(const void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Put)
{
    Require(OutputStream).WriteBuffer(DTA, NBytes);
    Bytes_Put = NBytes;
}

// ---- LZH blocks -------------------------------------------------------------

BlockStatus UnpackLzhBlock(TStream& source, TStream& destination)
{
    source.SetPosition(0);
    if (source.Size() < 4)
        return BlockStatus::TooShort;
    const std::int32_t length = source.ReadInt32();
    if (length < 0 || length > MaxUnpackedBytes)
        return BlockStatus::BadLength;
    TMemoryStream unpacked;
    TLZH lzh;
    lzh.InputStream = &source;
    lzh.OutputStream = &unpacked;
    lzh.LZHUnpack(length);
    if (lzh.InputExhausted())
        return BlockStatus::Truncated;
    // The block replaces the destination's content: a longer old content
    // must not survive as a tail behind it.
    destination.SetSize(0);
    destination.SetPosition(0);
    destination.WriteBuffer(unpacked.Memory(), unpacked.Size());
    return BlockStatus::Ok;
}

void PackLzhBlock(TStream& source, TStream& destination, LzhSearch search)
{
    source.SetPosition(0);
    const std::int64_t size = source.Size();
    if (size > std::numeric_limits<std::int32_t>::max())
        throw EStreamError("Too much data for one LZH block");
    destination.SetSize(0);
    destination.SetPosition(0);
    destination.WriteInt32(static_cast<std::int32_t>(size));
    if (search == LzhSearch::Quick) {
        PackQuick(source, destination);
        return;
    }
    TLZH lzh;
    lzh.InputStream = &source;
    lzh.OutputStream = &destination;
    std::int32_t consumed = 0;
    lzh.LZHPack(consumed);
}

const char* BlockStatusText(BlockStatus status)
{
    switch (status) {
    case BlockStatus::Ok: return "ok";
    case BlockStatus::TooShort: return "LZH block shorter than its 4-byte length field";
    case BlockStatus::BadLength: return "LZH block length is negative or above 64 MiB";
    case BlockStatus::Truncated: return "LZH block is truncated";
    }
    return "unknown LZH block status";
}

} // namespace tarnivo
