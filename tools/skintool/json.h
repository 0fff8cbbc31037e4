// Json: skintool's JSON value, nlohmann's ordered_json. Members keep the
// order they were added or read in, which is part of the dump's format.
// Nothing here may throw: the qorva::json target builds nlohmann with
// JSON_NOEXCEPTION, so only the non-throwing calls are used (get_ptr and
// the is_*() tests before a value is read, find instead of at).
#pragma once

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;
