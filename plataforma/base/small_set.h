#pragma once
// SmallSet: the class library's set of enumeration values (ComponentState, ControlStyle,
// Shift states, font styles), over enumerations of at most 64 members.

#include <cstdint>
#include <initializer_list>

template <class E> class SmallSet {
public:
    constexpr SmallSet() = default;
    constexpr SmallSet(std::initializer_list<E> items) {
        for (E e : items)
            bits_ |= Bit(e);
    }

    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }

    // Include and Exclude, as the class library writes them: State << csLoading.
    constexpr SmallSet& operator<<(E e) {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr SmallSet& operator>>(E e) {
        bits_ &= ~Bit(e);
        return *this;
    }

    constexpr SmallSet operator+(SmallSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr SmallSet operator*(SmallSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr SmallSet operator-(SmallSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr bool operator==(const SmallSet& o) const = default;

    constexpr std::uint64_t Bits() const { return bits_; }
    static constexpr SmallSet FromBits(std::uint64_t b) {
        SmallSet s;
        s.bits_ = b;
        return s;
    }

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
    std::uint64_t bits_ = 0;
};
