#pragma once

// The tool's JSON documents are nlohmann::json values. Their objects keep the
// members sorted by key, so every document prints the same way whatever order
// it was built or read in; json_writer.h prints them, json_reader.h reads them.

#include <nlohmann/json.hpp>
#include <string_view>

namespace cli {

using Json = nlohmann::json;

// A number given as the decimal text the record conversions make (the shortest
// text that reads back to a stored value): whole numbers become integers, the
// rest the nearest double, which the writer prints as that same text.
Json json_number(std::string_view decimal);

// The member of an object, or nullptr (also when the value is no object).
const Json* find_member(const Json& object, std::string_view key);

}  // namespace cli
