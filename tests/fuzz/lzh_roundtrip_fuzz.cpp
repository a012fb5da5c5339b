// Fuzzes the LZH encoder: any input packs, unpacks to itself, and the
// buffered and callback encoders write the same bits.

#include "framework/streams.h"
#include "skin/resources/lzh.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tarnivo;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream source;
    source.WriteBuffer(data, static_cast<std::int64_t>(size));

    TMemoryStream packed;
    PackLzhBlock(source, packed);

    TMemoryStream slowPacked;
    slowPacked.WriteInt32(static_cast<std::int32_t>(size));
    TLZH callbacks;
    source.SetPosition(0);
    callbacks.InputStream = &source;
    callbacks.OutputStream = &slowPacked;
    std::int32_t consumed = -1;
    callbacks.LZHPack(
        consumed, [&](void* d, std::uint16_t n, std::uint16_t& got) { callbacks.GetBlockStream(d, n, got); },
        [&](const void* d, std::uint16_t n, std::uint16_t& put) { callbacks.PutBlockStream(d, n, put); });
    Check(consumed == static_cast<std::int32_t>(size));
    Check(slowPacked.Size() == packed.Size());
    Check(std::memcmp(slowPacked.Memory(), packed.Memory(), static_cast<std::size_t>(packed.Size())) == 0);

    TMemoryStream unpacked;
    Check(UnpackLzhBlock(packed, unpacked) == BlockStatus::Ok);
    Check(unpacked.Size() == static_cast<std::int64_t>(size));
    Check(size == 0 || std::memcmp(unpacked.Memory(), data, size) == 0);
    return 0;
}
