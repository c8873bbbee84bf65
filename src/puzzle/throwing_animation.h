#pragma once

// The celebration of a solved board: the items leave it one at a time in a
// random order, each thrown up and sideways, falling under gravity and
// bouncing on the bottom edge until it leaves the board at a side.

#include "puzzle/board.h"
#include "puzzle/game_random.h"

#include <array>
#include <vector>

namespace puzzle {

inline constexpr double gravity = 1.0;  // pixels per tick per tick
inline constexpr double bounce = 0.9;   // of the speed kept on the bottom edge

struct ThrownItem {
    int item = 0;
    double x = 0;  // left edge, pixels
    double y = 0;  // top edge, pixels, growing downwards
    double speed_x = 0;
    double speed_y = 0;
};

struct Area {
    int width = 0;
    int height = 0;
};

// One tick of a thrown item of that size on the board; false once it has
// left the board sideways.
bool move_thrown_item(ThrownItem& thrown, Area board, int size);

class ThrowingAnimation {
public:
    struct Place {
        int item;
        double x;
        double y;
    };

    ThrowingAnimation(GameRandom& random, std::vector<Place> places, Area board, int item_size);

    // One tick; false once the last item has left.
    bool step();
    bool finished() const { return next_ >= order_.size() && !flying_; }
    // The item in flight, when there is one.
    const ThrownItem* flying() const { return flying_ ? &thrown_ : nullptr; }
    // Items still waiting on the board.
    std::vector<Place> waiting() const;

private:
    void throw_next();

    GameRandom& random_;
    std::vector<Place> order_;
    std::size_t next_ = 0;
    Area board_;
    int item_size_;
    ThrownItem thrown_;
    bool flying_ = false;
};

}  // namespace puzzle
