#pragma once

// The game's own random numbers, so that a game number gives the same game on
// every machine, compiler and standard library: a 64-bit xorshift* generator
// (shift 12 right, 25 left, 27 right, then a multiplication by
// 2685821657736338717) whose state is the game number passed once through the
// SplitMix64 finaliser (a zero state would stick at zero). Each draw is the top
// 32 bits of the product; below(n) is that draw modulo n.

#include <cstdint>

namespace puzzle {

class GameRandom {
public:
    explicit GameRandom(std::uint32_t seed = 1) { reseed(seed); }
    void reseed(std::uint32_t seed);
    std::uint32_t next();
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint32_t>(bound)); }

private:
    std::uint64_t state_ = 1;
};

}  // namespace puzzle
