#include "framework/streams.h"
#include "skin/resources/lzh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace tarnivo;

namespace {

std::string DataFile(const std::string& name)
{
    return std::string(TARNIVO_SOURCE_DIR) + "/tests/data/lzh/" + name;
}

std::string Bytes(TMemoryStream& stream)
{
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

TMemoryStream& Fill(TMemoryStream& stream, const std::string& bytes)
{
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

enum class Path { Callbacks, Buffered };

// One block, length first, packed through the chosen path.
std::string Pack(const std::string& input, Path path)
{
    TMemoryStream source;
    Fill(source, input);
    TMemoryStream packed;
    packed.WriteInt32(static_cast<std::int32_t>(input.size()));
    TLZH lzh;
    lzh.InputStream = &source;
    lzh.OutputStream = &packed;
    std::int32_t consumed = -1;
    if (path == Path::Buffered) {
        lzh.LZHPack(consumed);
    } else {
        lzh.LZHPack(
            consumed, [&](void* d, std::uint16_t n, std::uint16_t& got) { lzh.GetBlockStream(d, n, got); },
            [&](const void* d, std::uint16_t n, std::uint16_t& put) { lzh.PutBlockStream(d, n, put); });
    }
    EXPECT_EQ(consumed, static_cast<std::int32_t>(input.size()));
    return Bytes(packed);
}

struct Unpacked {
    std::string bytes;
    std::int64_t inputPosition;
    bool exhausted;
};

// Decodes a whole block (with its length field) through the chosen path.
Unpacked Unpack(const std::string& block, Path path, std::int32_t length)
{
    TMemoryStream source;
    Fill(source, block);
    source.SetPosition(4);
    TMemoryStream output;
    TLZH lzh;
    lzh.InputStream = &source;
    lzh.OutputStream = &output;
    if (path == Path::Buffered) {
        lzh.LZHUnpack(length);
    } else {
        lzh.LZHUnpack(
            length, [&](void* d, std::uint16_t n, std::uint16_t& got) { lzh.GetBlockStream(d, n, got); },
            [&](const void* d, std::uint16_t n, std::uint16_t& put) { lzh.PutBlockStream(d, n, put); });
    }
    return {Bytes(output), source.Position(), lzh.InputExhausted()};
}

std::int32_t LengthOf(const std::string& block)
{
    std::int32_t length;
    std::memcpy(&length, block.data(), 4);
    return length;
}

std::string ReadFile(const std::string& name)
{
    TMemoryStream stream;
    stream.LoadFromFile(name);
    return Bytes(stream);
}

const char* const VectorNames[] = {"allbytes", "bitmap",    "empty",  "ini_text",     "mixed_big",
                                   "one",      "random_4k", "run100", "spaces_first", "two"};

} // namespace

class LzhVectors : public testing::TestWithParam<Path> {};

TEST_P(LzhVectors, PackMatchesTheReferenceEncoderByteForByte)
{
    for (const char* name : VectorNames) {
        const std::string input = ReadFile(DataFile(std::string(name) + ".bin"));
        const std::string expected = ReadFile(DataFile(std::string(name) + ".lzh"));
        EXPECT_TRUE(Pack(input, GetParam()) == expected) << name;
    }
}

TEST_P(LzhVectors, UnpackRestoresTheReferenceInput)
{
    for (const char* name : VectorNames) {
        const std::string expected = ReadFile(DataFile(std::string(name) + ".bin"));
        const std::string block = ReadFile(DataFile(std::string(name) + ".lzh"));
        const Unpacked result = Unpack(block, GetParam(), LengthOf(block));
        EXPECT_TRUE(result.bytes == expected) << name;
        EXPECT_FALSE(result.exhausted) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(BothPaths, LzhVectors, testing::Values(Path::Callbacks, Path::Buffered));

TEST(Lzh, BothPathsAgreeOnVariedInputs)
{
    std::mt19937 random(7);
    std::vector<std::string> inputs;
    for (const std::size_t size : {1u, 2u, 3u, 59u, 60u, 61u, 4095u, 4096u, 4097u, 70000u}) {
        std::string noise(size, '\0'), text, runs;
        for (char& c : noise)
            c = static_cast<char>(random());
        while (text.size() < size) {
            text += "LeftWidth=";
            text += std::to_string(random() % 50);
            text += "\r\n";
        }
        while (runs.size() < size)
            runs += std::string(random() % 200, static_cast<char>(random() % 3));
        inputs.push_back(noise);
        inputs.push_back(text.substr(0, size));
        inputs.push_back(runs.substr(0, size));
    }
    for (const std::string& input : inputs) {
        const std::string slow = Pack(input, Path::Callbacks);
        const std::string fast = Pack(input, Path::Buffered);
        ASSERT_TRUE(slow == fast) << "size " << input.size();
        const Unpacked a = Unpack(fast, Path::Callbacks, LengthOf(fast));
        const Unpacked b = Unpack(fast, Path::Buffered, LengthOf(fast));
        ASSERT_TRUE(a.bytes == input) << "size " << input.size();
        ASSERT_TRUE(b.bytes == input) << "size " << input.size();
        EXPECT_EQ(a.inputPosition, b.inputPosition);
    }
}

TEST(Lzh, BufferedUnpackLeavesTheInputWhereTheCallbacksWould)
{
    // Bytes after the code bits must stay unread, exactly as far as the
    // byte-at-a-time reader got.
    for (const char* name : VectorNames) {
        std::string block = ReadFile(DataFile(std::string(name) + ".lzh"));
        block += std::string(40, '\x5a');
        const Unpacked a = Unpack(block, Path::Callbacks, LengthOf(block));
        const Unpacked b = Unpack(block, Path::Buffered, LengthOf(block));
        EXPECT_EQ(a.inputPosition, b.inputPosition) << name;
        EXPECT_LT(a.inputPosition, static_cast<std::int64_t>(block.size())) << name;
    }
}

TEST(Lzh, ZeroLengthReadsNoCodeBits)
{
    int reads = 0;
    TLZH lzh;
    TMemoryStream output;
    lzh.LZHUnpack(
        0, [&](void*, std::uint16_t, std::uint16_t& got) { ++reads; got = 0; },
        [&](const void*, std::uint16_t n, std::uint16_t& put) { put = n; });
    EXPECT_EQ(reads, 0);
    EXPECT_FALSE(lzh.InputExhausted());
}

TEST(Lzh, OutputStopsAtTheRequestedLengthInsideAMatch)
{
    // run100 is one literal and matches of 60 and 39 bytes; asking for 30
    // bytes ends inside the first match.
    const std::string block = ReadFile(DataFile("run100.lzh"));
    const std::string input = ReadFile(DataFile("run100.bin"));
    for (const Path path : {Path::Callbacks, Path::Buffered}) {
        const Unpacked result = Unpack(block, path, 30);
        EXPECT_TRUE(result.bytes == input.substr(0, 30));
    }
}

TEST(Lzh, TruncatedInputDecodesBoundedAndIsReported)
{
    const std::string block = ReadFile(DataFile("ini_text.lzh"));
    const std::int32_t length = LengthOf(block);
    for (const std::size_t keep : {4u, 5u, 100u, 5750u}) {
        const std::string cut = block.substr(0, keep);
        const Unpacked a = Unpack(cut, Path::Callbacks, length);
        const Unpacked b = Unpack(cut, Path::Buffered, length);
        EXPECT_EQ(a.bytes.size(), static_cast<std::size_t>(length));
        EXPECT_TRUE(a.bytes == b.bytes) << keep;
        EXPECT_TRUE(a.exhausted) << keep;
        EXPECT_TRUE(b.exhausted) << keep;
    }
}

TEST(Lzh, CallbackFailuresPassThroughAndTheObjectStaysUsable)
{
    TLZH lzh;
    std::int32_t consumed = 0;
    EXPECT_THROW(lzh.LZHPack(
                     consumed, [](void*, std::uint16_t, std::uint16_t&) { throw EStreamError("source failed"); },
                     [](const void*, std::uint16_t n, std::uint16_t& put) { put = n; }),
                 EStreamError);
    // A sink that silently drops bytes is an error, not a short block.
    std::string input(1000, 'q');
    std::size_t next = 0;
    EXPECT_THROW(lzh.LZHPack(
                     consumed,
                     [&](void* d, std::uint16_t, std::uint16_t& got) {
                         got = next < input.size() ? 1 : 0;
                         if (got)
                             *static_cast<char*>(d) = input[next++];
                     },
                     [](const void*, std::uint16_t, std::uint16_t& put) { put = 0; }),
                 EStreamError);

    const std::string block = Pack("after the failures", Path::Callbacks);
    EXPECT_EQ(Unpack(block, Path::Buffered, LengthOf(block)).bytes, "after the failures");
}

TEST(LzhBlock, RefusesBadFramingWithoutWriting)
{
    struct Case {
        std::string block;
        BlockStatus status;
    };
    const std::string good = ReadFile(DataFile("ini_text.lzh"));
    const Case cases[] = {
        {"", BlockStatus::TooShort},
        {std::string("\x01\0\0", 3), BlockStatus::TooShort},
        {std::string("\xff\xff\xff\xff", 4), BlockStatus::BadLength},           // -1
        {std::string("\0\0\0\x80", 4), BlockStatus::BadLength},                 // -2 GiB
        {std::string("\x01\0\0\x04", 4), BlockStatus::BadLength},               // 64 MiB + 1
        {std::string("\x10\0\0\0", 4), BlockStatus::Truncated},                 // no code bits
        {good.substr(0, good.size() - 1), BlockStatus::Truncated},
        {good, BlockStatus::Ok},
    };
    for (const Case& c : cases) {
        TMemoryStream source, destination;
        Fill(source, c.block);
        EXPECT_EQ(UnpackLzhBlock(source, destination), c.status) << BlockStatusText(c.status);
        if (c.status != BlockStatus::Ok) {
            EXPECT_EQ(destination.Size(), 0);
        }
    }
}

TEST(LzhBlock, PackThenUnpackRoundTripsAWholeStream)
{
    TMemoryStream source, packed, unpacked;
    Fill(source, ReadFile(DataFile("bitmap.bin")));
    source.SetPosition(100);  // packing always starts at 0
    PackLzhBlock(source, packed);
    EXPECT_TRUE(Bytes(packed) == ReadFile(DataFile("bitmap.lzh")));
    ASSERT_EQ(UnpackLzhBlock(packed, unpacked), BlockStatus::Ok);
    EXPECT_TRUE(Bytes(unpacked) == Bytes(source));

    // Reused streams: the old, longer content leaves no tail.
    Fill(unpacked, std::string(20000, 'x'));
    Fill(packed, std::string(20000, 'y'));
    PackLzhBlock(source, packed);
    EXPECT_TRUE(Bytes(packed) == ReadFile(DataFile("bitmap.lzh")));
    Fill(source, "short");
    PackLzhBlock(source, packed);
    ASSERT_EQ(UnpackLzhBlock(packed, unpacked), BlockStatus::Ok);
    EXPECT_EQ(Bytes(unpacked), "short");

    TMemoryStream empty, emptyBlock;
    PackLzhBlock(empty, emptyBlock);
    EXPECT_EQ(Bytes(emptyBlock), std::string(4, '\0'));
}

// The quick search makes other code bits than the tree's, so what it must
// show is that both decoder paths restore every input exactly from them,
// that it finds matches (a block of literals also decodes), and that a
// block starts with the length like any other.
TEST(LzhBlock, QuickSearchBlocksDecodeExactlyAndStillCompress)
{
    std::mt19937 random(11);
    std::vector<std::string> inputs;
    for (const std::size_t size : {0u, 1u, 2u, 3u, 4u, 59u, 60u, 61u, 4036u, 4037u, 4096u, 70000u}) {
        std::string noise(size, '\0'), text, runs;
        for (char& c : noise)
            c = static_cast<char>(random());
        while (text.size() < size) {
            text += "TitleTextActive=";
            text += std::to_string(random() % 256);
            text += "\r\n";
        }
        while (runs.size() < size)
            runs += std::string(random() % 200, static_cast<char>(random() % 3));
        inputs.push_back(noise);
        inputs.push_back(text.substr(0, size));
        inputs.push_back(runs.substr(0, size));
    }
    // The last size's text and runs, the repetitive inputs.
    const std::vector<std::string> repetitive{inputs[inputs.size() - 2], inputs.back()};
    // A pattern that repeats just inside and just outside the window the
    // search may reach back (4036 bytes).
    std::string far(4000, 'a');
    for (std::size_t i = 0; i < far.size(); ++i)
        far[i] = static_cast<char>(random());
    const std::string period = far.substr(0, 36);
    inputs.push_back(far + period + far + std::string(1, 'x') + far);
    inputs.push_back(ReadFile(DataFile("bitmap.bin")));
    inputs.push_back(ReadFile(DataFile("allbytes.bin")));

    for (const std::string& input : inputs) {
        TMemoryStream source, packed, unpacked;
        Fill(source, input);
        PackLzhBlock(source, packed, LzhSearch::Quick);
        EXPECT_EQ(source.Position(), source.Size());
        const std::string block = Bytes(packed);
        ASSERT_EQ(LengthOf(block), static_cast<std::int32_t>(input.size()));
        for (const Path path : {Path::Callbacks, Path::Buffered}) {
            const Unpacked result = Unpack(block, path, LengthOf(block));
            ASSERT_TRUE(result.bytes == input) << "size " << input.size();
            EXPECT_FALSE(result.exhausted) << "size " << input.size();
        }
        ASSERT_EQ(UnpackLzhBlock(packed, unpacked), BlockStatus::Ok);
        ASSERT_TRUE(Bytes(unpacked) == input);
    }

    // Repetitive input (INI text, runs of a few values as in a skin's
    // bitmaps) packs to a fraction of itself, not far from the tree's size.
    for (const std::string& input : repetitive) {
        ASSERT_EQ(input.size(), 70000u);
        TMemoryStream source, quick, thorough;
        Fill(source, input);
        PackLzhBlock(source, quick, LzhSearch::Quick);
        PackLzhBlock(source, thorough);
        EXPECT_LT(quick.Size(), static_cast<std::int64_t>(input.size()) / 4);
        EXPECT_LT(quick.Size(), thorough.Size() * 2);
    }
}
