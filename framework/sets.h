#pragma once
// A small typed set of enumeration members: bit n of the set is member n.

#include <cstdint>
#include <initializer_list>

namespace tarnivo {

template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members)
    {
        for (E m : members)
            m_bits |= Bit(m);
    }

    static constexpr TSet FromBits(std::uint64_t bits)
    {
        TSet s;
        s.m_bits = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return m_bits; }

    constexpr bool Contains(E m) const { return (m_bits & Bit(m)) != 0; }
    constexpr void Include(E m) { m_bits |= Bit(m); }
    constexpr void Exclude(E m) { m_bits &= ~Bit(m); }
    constexpr bool Empty() const { return m_bits == 0; }

    constexpr TSet operator+(TSet o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TSet operator-(TSet o) const { return FromBits(m_bits & ~o.m_bits); }
    constexpr TSet operator*(TSet o) const { return FromBits(m_bits & o.m_bits); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t Bit(E m)
    {
        return std::uint64_t{1} << static_cast<unsigned>(m);
    }
    std::uint64_t m_bits = 0;
};

} // namespace tarnivo
