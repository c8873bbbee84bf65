#include "puzzle/game_random.h"

namespace puzzle {

void GameRandom::reseed(std::uint32_t seed) {
    std::uint64_t mixed = seed + 0x9e3779b97f4a7c15ULL;
    mixed = (mixed ^ (mixed >> 30)) * 0xbf58476d1ce4e5b9ULL;
    mixed = (mixed ^ (mixed >> 27)) * 0x94d049bb133111ebULL;
    mixed ^= mixed >> 31;
    state_ = mixed == 0 ? 1 : mixed;
}

std::uint32_t GameRandom::next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<std::uint32_t>((state_ * 2685821657736338717ULL) >> 32);
}

}  // namespace puzzle
