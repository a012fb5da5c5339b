#pragma once
// TLZH: the LZHUF (LZSS + adaptive Huffman) codec of skin files and
// compressed INI files. Bit-for-bit compatible with the 1988/89 LZHUF
// encoder and decoder (16-bit table semantics).
// Platform-free: no Windows header.

#include "framework/object.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace tarnivo {

class TStream;

class ElzhException : public Exception {
public:
    using Exception::Exception;
};

// Byte source and sink of the codec, bound to their object. The codec asks
// for and writes one byte per call.
using TReadProc = std::function<void(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got)>;
using TWriteProc = std::function<void(const void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Put)>;

namespace lzh {
struct Tables;
}

class TLZH : public TObject {
public:
    static constexpr const char* NoMemoryMessage = "LZH : Cannot get memory for dictionary tables";
    static constexpr const char* FreeErrorMessage = "LZH : Error freeing memory for dictionary tables";

    TLZH();
    ~TLZH() override;
    std::string ClassName() const override { return "TLZH"; }

    // Streams used by the stock callbacks GetBlockStream / PutBlockStream and
    // by the buffered overloads below; not owned.
    TStream* InputStream = nullptr;
    TStream* OutputStream = nullptr;

    // Packs everything the read callback delivers, until it delivers fewer
    // bytes than asked; Bytes_Written receives the input byte count.
    void LZHPack(std::int32_t& Bytes_Written, const TReadProc& ReadProc, const TWriteProc& WriteProc);
    // Decodes until TextSize bytes are produced. Missing input reads as zero
    // bits, as LZHUF does; the output never exceeds TextSize bytes.
    void LZHUnpack(std::int32_t TextSize, const TReadProc& ReadProc, const TWriteProc& WriteProc);

    // The same two operations through the stock callbacks' streams, with
    // buffered transfers instead of one call per byte. The result and the
    // streams' positions afterwards are those of the callback version.
    void LZHPack(std::int32_t& Bytes_Written);
    void LZHUnpack(std::int32_t TextSize);

    // Stock callbacks over InputStream / OutputStream.
    void GetBlockStream(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got);
    void PutBlockStream(const void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Put);

    // True when the last LZHUnpack needed more code bits than its source
    // held: the block was cut short and the tail of the output is filler.
    bool InputExhausted() const { return inputExhausted_; }

private:
    void InitLZH();
    void EndLZH();

    std::unique_ptr<lzh::Tables> tables_;
    bool inputExhausted_ = false;
};

// LZH block framing: a 4-byte little-endian uncompressed length, then the
// code bits. Unpacked lengths above this are refused by every reader.
inline constexpr std::int32_t MaxUnpackedBytes = 64 * 1024 * 1024;

enum class BlockStatus {
    Ok,
    TooShort,       // fewer than 4 bytes: no length field
    BadLength,      // negative, or above MaxUnpackedBytes
    Truncated,      // the code bits end before the length is produced
};

// Positions source at 0, reads the length, and replaces destination's
// content with the unpacked bytes. On any status but Ok destination is
// left as it was.
BlockStatus UnpackLzhBlock(TStream& source, TStream& destination);
// How PackLzhBlock looks for matches. Both make blocks every reader takes.
enum class LzhSearch {
    Thorough,   // LZHUF's own tree search: its output byte for byte
    Quick,      // one probe for the last place of the same three bytes
};

// Positions source at 0 and replaces destination's content with the block.
// Raises EStreamError for a source longer than a block can describe.
void PackLzhBlock(TStream& source, TStream& destination, LzhSearch search = LzhSearch::Thorough);
const char* BlockStatusText(BlockStatus status);

} // namespace tarnivo
