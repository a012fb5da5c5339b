// Fuzzes the LZH block unpacker. Any bytes must unpack without a crash or an
// out-of-bounds access, and the buffered path must agree with the
// one-byte-callback path on output, truncation and input position.

#include "framework/streams.h"
#include "skin/resources/lzh.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tarnivo;

namespace {

// Keeps each run short; longer lengths decode the same way, only longer.
constexpr std::int32_t FuzzedLengthLimit = 64 * 1024;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream block;
    block.WriteBuffer(data, static_cast<std::int64_t>(size));
    if (size < 4) {
        TMemoryStream out;
        Check(UnpackLzhBlock(block, out) == BlockStatus::TooShort && out.Size() == 0);
        return 0;
    }
    std::int32_t length;
    std::memcpy(&length, data, 4);
    if (length < 0 || length > MaxUnpackedBytes) {
        TMemoryStream out;
        Check(UnpackLzhBlock(block, out) == BlockStatus::BadLength && out.Size() == 0);
        return 0;
    }
    if (length > FuzzedLengthLimit)
        return 0;

    TMemoryStream fast;
    TLZH buffered;
    block.SetPosition(4);
    buffered.InputStream = &block;
    buffered.OutputStream = &fast;
    buffered.LZHUnpack(length);
    const std::int64_t fastPosition = block.Position();

    TMemoryStream slow;
    TLZH callbacks;
    block.SetPosition(4);
    callbacks.InputStream = &block;
    callbacks.OutputStream = &slow;
    callbacks.LZHUnpack(
        length, [&](void* d, std::uint16_t n, std::uint16_t& got) { callbacks.GetBlockStream(d, n, got); },
        [&](const void* d, std::uint16_t n, std::uint16_t& put) { callbacks.PutBlockStream(d, n, put); });

    Check(fast.Size() == length && slow.Size() == length);
    Check(length == 0 || std::memcmp(fast.Memory(), slow.Memory(), static_cast<std::size_t>(length)) == 0);
    Check(buffered.InputExhausted() == callbacks.InputExhausted());
    Check(fastPosition == block.Position());

    TMemoryStream viaBlock;
    const BlockStatus status = UnpackLzhBlock(block, viaBlock);
    Check(status == (callbacks.InputExhausted() ? BlockStatus::Truncated : BlockStatus::Ok));
    Check(status != BlockStatus::Ok || viaBlock.Size() == length);
    return 0;
}
