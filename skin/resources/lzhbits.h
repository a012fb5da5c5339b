#pragma once
// Bit input and output of the LZH codec (internal to lzh*.cpp). Code bits
// run most significant first; missing input reads as zero bits.

#include <cstdint>

namespace tarnivo::lzh {

// Reads exactly as LZHUF does: a 16-bit buffer refilled one byte at a time
// whenever 8 bits or fewer are left, so the source is asked for bytes at the
// same moments. Fetch: bool(std::uint8_t&), false when no byte came.
template <class Fetch>
class ByteBitReader {
public:
    explicit ByteBitReader(Fetch fetch) : fetch_(fetch) {}

    int GetBit()
    {
        Fill();
        const int bit = getbuf_ >> 15;
        getbuf_ = static_cast<std::uint16_t>(getbuf_ << 1);
        --getlen_;
        return bit;
    }

    int GetByte()
    {
        Fill();
        const int byte = getbuf_ >> 8;
        getbuf_ = static_cast<std::uint16_t>(getbuf_ << 8);
        getlen_ -= 8;
        return byte;
    }

    // Some code bits were taken from beyond the end of the input.
    bool Exhausted() const { return 8 * (delivered_ + missing_) - getlen_ > 8 * delivered_; }

private:
    void Fill()
    {
        while (getlen_ <= 8) {
            std::uint8_t byte = 0;
            if (fetch_(byte))
                ++delivered_;
            else
                ++missing_;
            getbuf_ = static_cast<std::uint16_t>(getbuf_ | (byte << (8 - getlen_)));
            getlen_ += 8;
        }
    }

    Fetch fetch_;
    std::uint16_t getbuf_ = 0;
    int getlen_ = 0;
    std::int64_t delivered_ = 0;
    std::int64_t missing_ = 0;
};

// Eight bytes as one number, first byte most significant, on any host;
// compilers turn this into a single load and byte swap.
inline std::uint64_t LoadBigEndian64(const std::uint8_t* p)
{
    std::uint64_t word = 0;
    for (int i = 0; i < 8; ++i)
        word = (word << 8) | p[i];
    return word;
}

// The same bits through a 64-bit buffer fed from memory in chunks.
// Chunks: bool Next(const std::uint8_t*& begin, const std::uint8_t*& end).
template <class Chunks>
class ChunkBitReader {
public:
    explicit ChunkBitReader(Chunks& chunks) : chunks_(chunks) {}

    int GetBit()
    {
        if (count_ < 1)
            Refill();
        const int bit = static_cast<int>(bits_ >> 63);
        bits_ <<= 1;
        --count_;
        return bit;
    }

    int GetByte()
    {
        if (count_ < 8)
            Refill();
        const int byte = static_cast<int>(bits_ >> 56);
        bits_ <<= 8;
        count_ -= 8;
        return byte;
    }

    // Makes sure at least 32 bits are buffered, so a caller may take up to
    // 32 bits without checking.
    void Reserve32()
    {
        if (count_ < 32)
            Refill();
    }

    int TakeBitUnchecked()
    {
        const int bit = static_cast<int>(bits_ >> 63);
        bits_ <<= 1;
        --count_;
        return bit;
    }

    std::int64_t ConsumedBits() const { return 8 * (taken_ + missing_) - count_; }
    std::int64_t DeliveredBytes() const { return taken_; }
    bool Exhausted() const { return ConsumedBits() > 8 * taken_; }

private:
    void Refill()
    {
        if (end_ - next_ >= 8) {
            const std::uint64_t word = LoadBigEndian64(next_);
            // The bits below the whole bytes taken are the stream's next
            // bits too, so OR-ing them in again later changes nothing.
            bits_ |= word >> count_;
            const int bytes = (63 - count_) >> 3;
            next_ += bytes;
            taken_ += bytes;
            count_ += bytes * 8;
            return;
        }
        while (count_ <= 56) {
            if (next_ == end_ && !chunks_.Next(next_, end_)) {
                next_ = end_ = nullptr;
                ++missing_;
            } else {
                bits_ |= static_cast<std::uint64_t>(*next_++) << (56 - count_);
                ++taken_;
            }
            count_ += 8;
            if (end_ - next_ >= 8 && count_ <= 56)
                return Refill();
        }
    }

    Chunks& chunks_;
    const std::uint8_t* next_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    std::int64_t taken_ = 0;
    std::int64_t missing_ = 0;
};

// Putcode with LZHUF's 16-bit buffer. Put: void(std::uint8_t).
template <class Put>
class BitWriter {
public:
    explicit BitWriter(Put put) : put_(put) {}

    // Emits the top l bits of c.
    void Putcode(int l, std::uint16_t c)
    {
        putbuf_ = static_cast<std::uint16_t>(putbuf_ | (c >> putlen_));
        if ((putlen_ += l) >= 8) {
            put_(static_cast<std::uint8_t>(putbuf_ >> 8));
            if ((putlen_ -= 8) >= 8) {
                put_(static_cast<std::uint8_t>(putbuf_));
                putlen_ -= 8;
                putbuf_ = static_cast<std::uint16_t>(static_cast<unsigned>(c) << (l - putlen_));
            } else {
                putbuf_ = static_cast<std::uint16_t>(putbuf_ << 8);
            }
        }
    }

    void EncodeEnd()
    {
        if (putlen_ != 0)
            put_(static_cast<std::uint8_t>(putbuf_ >> 8));
    }

private:
    Put put_;
    std::uint16_t putbuf_ = 0;
    int putlen_ = 0;
};

} // namespace tarnivo::lzh
