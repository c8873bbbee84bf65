#include "cli/json_diff.h"

#include <algorithm>

#include "cli/hex_text.h"

namespace cli {

namespace {

constexpr std::size_t maximum_run = 32;

void collect(const Json& first, const Json& second, const std::string& path,
             std::vector<Difference>& out) {
    if (first.is_object() && second.is_object()) {
        std::vector<std::string> keys;
        for (const auto& [key, value] : first.items()) keys.push_back(key);
        for (const auto& [key, value] : second.items()) keys.push_back(key);
        std::ranges::sort(keys);
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        for (const std::string& key : keys) {
            const Json* left = find_member(first, key);
            const Json* right = find_member(second, key);
            const std::string at = path.empty() ? key : path + "." + key;
            if (left && right) {
                collect(*left, *right, at, out);
            } else {
                out.push_back({at, left ? *left : Json(), right ? *right : Json()});
            }
        }
        return;
    }
    if (first.is_array() && second.is_array() && first.size() == second.size()) {
        for (std::size_t index = 0; index < first.size(); ++index) {
            collect(first[index], second[index], path + "[" + std::to_string(index) + "]", out);
        }
        return;
    }
    if (first != second) out.push_back({path, first, second});
}

}  // namespace

std::vector<Difference> diff_values(const Json& first, const Json& second, const std::string& path) {
    std::vector<Difference> out;
    collect(first, second, path, out);
    return out;
}

std::vector<Difference> diff_bytes(std::span<const std::byte> first, std::span<const std::byte> second,
                                   const std::string& label, std::size_t base) {
    std::vector<Difference> out;
    const std::size_t common = std::min(first.size(), second.size());
    for (std::size_t at = 0; at < common;) {
        if (first[at] == second[at]) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < common && end - at < maximum_run && first[end] != second[end]) ++end;
        out.push_back({label + "[" + std::to_string(base + at) + ".." + std::to_string(base + end - 1) + "]",
                       Json(to_hex(first.subspan(at, end - at))),
                       Json(to_hex(second.subspan(at, end - at)))});
        at = end;
    }
    if (first.size() != second.size()) {
        out.push_back({label + " size", Json(first.size()), Json(second.size())});
    }
    return out;
}

}  // namespace cli
