#include "puzzle/throwing_animation.h"

#include <cstdlib>

namespace puzzle {

bool move_thrown_item(ThrownItem& thrown, Area board, int size) {
    thrown.speed_y += gravity;
    thrown.x += thrown.speed_x;
    thrown.y += thrown.speed_y;
    const double floor = board.height - size;
    if (thrown.y > floor) {
        thrown.y = floor;
        thrown.speed_y = -thrown.speed_y * bounce;
    }
    return thrown.x + size > 0 && thrown.x < board.width;
}

ThrowingAnimation::ThrowingAnimation(GameRandom& random, std::vector<Place> places, Area board, int item_size)
    : random_(random), board_(board), item_size_(item_size) {
    while (!places.empty()) {
        const auto at = static_cast<std::size_t>(random_.below(static_cast<int>(places.size())));
        order_.push_back(places[at]);
        places.erase(places.begin() + static_cast<std::ptrdiff_t>(at));
    }
    throw_next();
}

void ThrowingAnimation::throw_next() {
    flying_ = next_ < order_.size();
    if (!flying_) return;
    const Place& place = order_[next_++];
    int sideways = random_.below(30) - 15;
    while (std::abs(sideways) < 5) sideways = random_.below(30) - 15;
    thrown_ = ThrownItem{place.item, place.x, place.y, static_cast<double>(sideways), -static_cast<double>(random_.below(10))};
}

bool ThrowingAnimation::step() {
    if (flying_ && !move_thrown_item(thrown_, board_, item_size_)) throw_next();
    return !finished();
}

std::vector<ThrowingAnimation::Place> ThrowingAnimation::waiting() const {
    return {order_.begin() + static_cast<std::ptrdiff_t>(next_), order_.end()};
}

}  // namespace puzzle
