#include "puzzle/hidden_texts.h"

#include <cstddef>
#include <cstdio>
#include <tuple>
#include <utility>

namespace puzzle {

namespace {

template <std::size_t size>
struct HiddenText {
    std::array<unsigned char, size> bytes{};

    consteval explicit HiddenText(const char (&text)[size]) {
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(~static_cast<unsigned char>(text[i]));
    }
    std::string reveal() const {
        std::string text;
        for (std::size_t i = 0; i + 1 < size; ++i) text.push_back(static_cast<char>(~bytes[i]));
        return text;
    }
};

// One category per row of the board, a shape each; the items of a category
// differ by colour, as the editor draws them.
constexpr auto hidden_names = std::make_tuple(
    HiddenText("Red Orb"), HiddenText("Orange Orb"), HiddenText("Gold Orb"), HiddenText("Green Orb"), HiddenText("Blue Orb"), HiddenText("Violet Orb"),
    HiddenText("Red Box"), HiddenText("Orange Box"), HiddenText("Gold Box"), HiddenText("Green Box"), HiddenText("Blue Box"), HiddenText("Violet Box"),
    HiddenText("Red Cone"), HiddenText("Orange Cone"), HiddenText("Gold Cone"), HiddenText("Green Cone"), HiddenText("Blue Cone"), HiddenText("Violet Cone"),
    HiddenText("Red Gem"), HiddenText("Orange Gem"), HiddenText("Gold Gem"), HiddenText("Green Gem"), HiddenText("Blue Gem"), HiddenText("Violet Gem"),
    HiddenText("Red Nut"), HiddenText("Orange Nut"), HiddenText("Gold Nut"), HiddenText("Green Nut"), HiddenText("Blue Nut"), HiddenText("Violet Nut"),
    HiddenText("Red Star"), HiddenText("Orange Star"), HiddenText("Gold Star"), HiddenText("Green Star"), HiddenText("Blue Star"), HiddenText("Violet Star"));

constexpr auto hidden_verdicts = std::make_tuple(
    HiddenText("So close: %d cells are wrong."), HiddenText("Not bad, but %d cells are wrong."),
    HiddenText("Keep at it: %d cells are wrong."), HiddenText("Guesswork? %d cells are wrong."));

template <typename Tuple, std::size_t... at>
auto reveal_all(const Tuple& hidden, std::index_sequence<at...>) {
    return std::array<std::string, sizeof...(at)>{std::get<at>(hidden).reveal()...};
}

template <typename... Texts>
auto reveal_all(const std::tuple<Texts...>& hidden) {
    return reveal_all(hidden, std::index_sequence_for<Texts...>{});
}

}  // namespace

const std::array<std::string, item_count>& item_names() {
    static const std::array<std::string, item_count> names = reveal_all(hidden_names);
    return names;
}

std::string wrong_cells_text(int wrong_cells) {
    static const auto verdicts = reveal_all(hidden_verdicts);
    const std::size_t verdict = wrong_cells < 4 ? 0 : wrong_cells < 10 ? 1 : wrong_cells < 20 ? 2 : 3;
    char text[96];
    std::snprintf(text, sizeof text, verdicts[verdict].c_str(), wrong_cells);
    return text;
}

}  // namespace puzzle
