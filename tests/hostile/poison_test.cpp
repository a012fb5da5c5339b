// The test program's operator delete poisons what it frees: proof that a
// use after free in this program reads poison rather than the old object.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

// The block's address as a number the compiler cannot trace back to the
// delete: reading freed memory is the point here, not a mistake.
const volatile std::uint32_t* Watch(const void* block)
{
    volatile std::uintptr_t address = reinterpret_cast<std::uintptr_t>(block);
    return reinterpret_cast<const volatile std::uint32_t*>(address);
}

TEST(PoisonedMemory, FreedBlocksReadAsPoisonWhileInQuarantine)
{
    // Scalar, array and over-aligned blocks alike.
    auto* scalar = new std::uint32_t(0x12345678);
    const volatile std::uint32_t* watch = Watch(scalar);
    delete scalar;
    EXPECT_EQ(*watch, 0xFEFEFEFEu);

    auto* array = new std::uint32_t[64];
    for (int i = 0; i < 64; ++i)
        array[i] = static_cast<std::uint32_t>(i);
    const volatile std::uint32_t* watchArray = Watch(array);
    delete[] array;
    EXPECT_EQ(watchArray[0], 0xFEFEFEFEu);
    EXPECT_EQ(watchArray[63], 0xFEFEFEFEu);

    struct alignas(64) Wide {
        std::uint32_t value = 7;
    };
    auto* wide = new Wide;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(wide) % 64, 0u);
    const volatile std::uint32_t* watchWide = Watch(&wide->value);
    delete wide;
    EXPECT_EQ(*watchWide, 0xFEFEFEFEu);
}

TEST(PoisonedMemory, ManyFreesStayWithinTheQuarantineBound)
{
    // Far more than the quarantine keeps: the oldest go back to the heap, so
    // memory does not grow without bound (the program would die here).
    for (int i = 0; i < 200000; ++i) {
        auto block = std::make_unique<char[]>(1024);
        block[0] = 1;
    }
    SUCCEED();
}

} // namespace
