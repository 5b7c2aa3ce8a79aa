#pragma once
// The program's JSON output read with the same library the overview uses.

#include <nlohmann/json.hpp>
#include <string>

namespace pro::testy {

using Json = nlohmann::json;

// Throws nlohmann::json::parse_error on anything that is not exactly one JSON value.
inline Json CzytajJson(const std::string& tekst) {
    return Json::parse(tekst);
}

}  // namespace pro::testy
