// Freed memory made visible, for the Windows test programs only.
//
// A use after free usually passes by luck: the freed block still holds the
// old object until the heap hands it out again. Here every form of the
// global operator delete fills the block with a poison byte and keeps it in
// a bounded quarantine before giving it back to the heap, so a freed object
// read through a stale pointer shows pointers and a vtable of 0xFEFEFEFE,
// which fault at once, instead of its old values.
//
// Every operator new of the program comes here too (new and delete must
// agree on the block layout): a small header before each block keeps the
// pointer malloc returned (aligned forms allocate more and align inside)
// and the size asked for.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char Poison = 0xFE;
constexpr std::uint32_t LiveMark = 0x7A11C0DE;
constexpr std::uint32_t DeadMark = 0xDEADF1EE;
// At most this many freed blocks, and this many bytes, wait in quarantine.
constexpr std::size_t QuarantineBlocks = 16384;
constexpr std::size_t QuarantineBytes = 32u << 20;

struct alignas(16) Header {
    void* raw = nullptr;            // what malloc returned
    std::size_t size = 0;           // bytes the caller asked for
    std::uint32_t mark = 0;
};

struct Quarantine {
    SRWLOCK lock = SRWLOCK_INIT;
    Header* blocks[QuarantineBlocks] = {};
    std::size_t next = 0;           // oldest entry once the ring is full
    std::size_t count = 0;
    std::size_t bytes = 0;
};

// Zero-initialised static storage: usable before any constructor runs.
Quarantine g_quarantine;

Header* HeaderOf(void* p)
{
    return static_cast<Header*>(p) - 1;
}

void* Allocate(std::size_t size, std::size_t alignment)
{
    if (alignment < alignof(Header))
        alignment = alignof(Header);
    const std::size_t total = size + sizeof(Header) + alignment;
    if (total < size)
        return nullptr;
    void* raw = std::malloc(total);
    if (!raw)
        return nullptr;
    auto start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(Header);
    start = (start + alignment - 1) & ~(static_cast<std::uintptr_t>(alignment) - 1);
    void* user = reinterpret_cast<void*>(start);
    Header* header = HeaderOf(user);
    header->raw = raw;
    header->size = size;
    header->mark = LiveMark;
    return user;
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment)
{
    for (;;) {
        if (void* p = Allocate(size, alignment))
            return p;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void Release(void* p)
{
    if (!p)
        return;
    Header* header = HeaderOf(p);
    if (header->mark != LiveMark) {
        // Freed twice, or never ours: stop here rather than corrupt the heap.
        if (header->mark == DeadMark)
            std::abort();
        return;
    }
    header->mark = DeadMark;
    std::memset(p, Poison, header->size);
    Quarantine& q = g_quarantine;
    AcquireSRWLockExclusive(&q.lock);
    // Oldest out until the new one fits in both bounds.
    while (q.count > 0 && (q.count == QuarantineBlocks || q.bytes + header->size > QuarantineBytes)) {
        const std::size_t oldest = (q.next + QuarantineBlocks - q.count) % QuarantineBlocks;
        Header* old = q.blocks[oldest];
        q.blocks[oldest] = nullptr;
        --q.count;
        q.bytes -= old->size;
        std::free(old->raw);
    }
    if (header->size <= QuarantineBytes) {
        q.blocks[q.next] = header;
        q.next = (q.next + 1) % QuarantineBlocks;
        ++q.count;
        q.bytes += header->size;
        header = nullptr;
    }
    ReleaseSRWLockExclusive(&q.lock);
    if (header)
        std::free(header->raw);
}

constexpr std::size_t DefaultAlignment = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

} // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size, DefaultAlignment); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size, DefaultAlignment); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size, DefaultAlignment);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size, DefaultAlignment);
}
void* operator new(std::size_t size, std::align_val_t alignment)
{
    return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return Allocate(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { Release(p); }
