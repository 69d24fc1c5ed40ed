// A small set of enumeration values kept as a bit mask (bit n is the value n), the way the
// framework's style, state and option sets are stored and compared.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace forms {

template <class E>
class TSet {
  public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E item : items)
            bits_ |= Bit(item);
    }

    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet set;
        set.bits_ = bits;
        return set;
    }
    constexpr std::uint32_t Bits() const { return bits_; }

    constexpr bool Contains(E item) const { return (bits_ & Bit(item)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E item) {
        bits_ |= Bit(item);
        return *this;
    }
    constexpr TSet& Exclude(E item) {
        bits_ &= ~Bit(item);
        return *this;
    }

    constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr TSet operator+(E item) const { return FromBits(bits_ | Bit(item)); }
    constexpr TSet operator-(E item) const { return FromBits(bits_ & ~Bit(item)); }
    constexpr TSet& operator+=(TSet other) {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr TSet& operator-=(TSet other) {
        bits_ &= ~other.bits_;
        return *this;
    }
    constexpr bool operator==(const TSet&) const = default;

  private:
    static constexpr std::uint32_t Bit(E item) {
        return std::uint32_t{1} << static_cast<unsigned>(item);
    }
    std::uint32_t bits_ = 0;
};

}  // namespace forms
