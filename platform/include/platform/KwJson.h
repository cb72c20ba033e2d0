#pragma once
// KwJson: the host's JSON helper, reading a JSON object into a map of member name to text.
//
// Unserialize accepts only a well-formed JSON text whose top value is an object; anything else
// (malformed text, invalid UTF-8, an array, a bare string, trailing content) is refused with
// false and an empty map. A string member maps to its decoded value; any other member maps to its
// compact JSON text ("42", "true", "null", "[1,2]", "{\"a\":1}"). When a name occurs twice, the
// later member wins. A text nesting arrays or objects more than 64 deep is refused too.
#include <map>
#include <string>
#include <string_view>

namespace KwJson {

using Map = std::map<std::string, std::string>;

// Replaces the map's content with the top-level members of text; true on success.
bool Unserialize(std::string_view text, Map& members);

// The text of the named member, or an empty text when there is none.
std::string GetStringValue(const Map& members, const std::string& name);

}  // namespace KwJson
