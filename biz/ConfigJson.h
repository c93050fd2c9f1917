#pragma once
// The JSON texts inside the configuration document turned into tables.
#include "ConfigData.h"

#include <json/json.h>

#include <string>

namespace ConfigJson {

// Nesting beyond this counts as text that does not parse (the reader recurses).
inline constexpr int kMaxNesting = 256;

// False when `text` is not JSON; never throws for bad text.
bool ParseJson(const std::string& text, Json::Value& value);

// Fills `data.apiTable` from `data.apiText`. `baseUrlSetting`, when not
// empty, replaces the document's base URL. Throws (Json::LogicError) when
// the text is JSON but not an object.
void BuildApiTable(ConfigData& data, const std::string& baseUrlSetting);

// Fills `data.valueTable` with the string members of `data.configText`.
// Throws like BuildApiTable for JSON that is not an object.
void BuildValueTable(ConfigData& data);

// Adds the string members of the JSON object `text` to `table`; keys already
// present keep their value. False (and nothing added) when `text` is not a
// JSON object.
bool AddStringMembers(const std::string& text, ConfigValueTable& table);

} // namespace ConfigJson
