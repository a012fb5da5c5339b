#include "framework/streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace tarnivo;

namespace {

std::string TempFile(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::string("tarnivo_streams_") + name)).string();
}

std::string Bytes(TMemoryStream& stream)
{
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

} // namespace

TEST(MemoryStream, GrowsOnWriteAndFillsGapsWithZeros)
{
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    EXPECT_EQ(stream.Position(), 3);
    stream.Seek(2, TSeekOrigin::soCurrent);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(Bytes(stream), std::string("abc\0\0z", 6));
    stream.Seek(-1, TSeekOrigin::soEnd);
    char last = 0;
    EXPECT_EQ(stream.Read(&last, 10), 1);
    EXPECT_EQ(last, 'z');
    EXPECT_EQ(stream.Read(&last, 1), 0);
}

TEST(MemoryStream, ShortTransfersRaiseStreamError)
{
    TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    stream.SetPosition(1);
    char buffer[4];
    EXPECT_THROW(stream.ReadBuffer(buffer, 2), EStreamError);
    stream.SetPosition(0);
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 2));
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 0));
}

TEST(MemoryStream, SetSizeKeepsThePositionInsideTheData)
{
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetSize(4);
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_EQ(Bytes(stream), "abcd");
    stream.SetPosition(1);
    stream.SetSize(8);
    EXPECT_EQ(stream.Position(), 1);
    EXPECT_EQ(Bytes(stream), std::string("abcd\0\0\0\0", 8));
    EXPECT_THROW(stream.SetSize(-1), EStreamError);
}

TEST(MemoryStream, Int32IsLittleEndian)
{
    TMemoryStream stream;
    stream.WriteInt32(20000);
    stream.WriteInt32(-2);
    EXPECT_EQ(Bytes(stream), std::string("\x20\x4e\0\0\xfe\xff\xff\xff", 8));
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt32(), 20000);
    EXPECT_EQ(stream.ReadInt32(), -2);
    EXPECT_THROW(stream.ReadInt32(), EStreamError);
}

TEST(MemoryStream, CopyFromZeroTakesTheWholeSourceFromItsStart)
{
    TMemoryStream source;
    source.WriteBuffer("0123456789", 10);
    source.SetPosition(7);
    TMemoryStream whole;
    EXPECT_EQ(whole.CopyFrom(source, 0), 10);
    EXPECT_EQ(Bytes(whole), "0123456789");

    source.SetPosition(3);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(source, 4), 4);
    EXPECT_EQ(Bytes(part), "3456");
    EXPECT_EQ(source.Position(), 7);
    EXPECT_THROW(part.CopyFrom(source, 4), EStreamError);  // only 3 left
}

TEST(MemoryStream, LoadAndSaveUseTheWholeContent)
{
    TMemoryStream source;
    source.WriteBuffer("hello", 5);  // position at the end: Load still reads it all
    TMemoryStream copy;
    copy.WriteBuffer("old content", 11);
    copy.LoadFromStream(source);
    EXPECT_EQ(Bytes(copy), "hello");
    EXPECT_EQ(copy.Position(), 0);

    copy.SetPosition(3);
    TMemoryStream saved;
    copy.SaveToStream(saved);
    EXPECT_EQ(Bytes(saved), "hello");
}

TEST(FileStream, MissingFileRaisesFileOpenError)
{
    EXPECT_THROW(TFileStream(TempFile("does_not_exist.bin"), TFileMode::fmOpenRead), EFOpenError);
    TMemoryStream stream;
    EXPECT_THROW(stream.LoadFromFile(TempFile("does_not_exist.bin")), EFOpenError);
    EXPECT_THROW(TFileStream(TempFile("no_such_dir/x.bin"), TFileMode::fmCreate), EFOpenError);
}

TEST(FileStream, WritesReadsSeeksAndTruncates)
{
    const std::string name = TempFile("rw.bin");
    {
        TFileStream file(name, TFileMode::fmCreate);
        file.WriteBuffer("abcdef", 6);
        EXPECT_EQ(file.Size(), 6);
        EXPECT_EQ(file.Position(), 6);
        file.SetPosition(2);
        char two[2];
        file.ReadBuffer(two, 2);  // read after write on one handle
        EXPECT_EQ(std::string(two, 2), "cd");
        file.WriteBuffer("XY", 2);  // write after read
        file.SetSize(5);
        EXPECT_EQ(file.Size(), 5);
    }
    TMemoryStream back;
    back.LoadFromFile(name);
    EXPECT_EQ(Bytes(back), "abcdX");
    {
        TFileStream file(name, TFileMode::fmOpenRead);
        char buffer[8];
        EXPECT_EQ(file.Read(buffer, 8), 5);
        EXPECT_EQ(file.Read(buffer, 8), 0);
    }
    std::filesystem::remove(name);
}
