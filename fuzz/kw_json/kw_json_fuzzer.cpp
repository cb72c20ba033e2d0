// A key service's JSON answer, read into a map of member texts: any text is read or refused,
// a refusal leaves the map empty, and an accepted text gives one entry per distinct member name.
#include <string>

#include "FuzzSupport.h"
#include "platform/KwJson.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzzsupport::asText(data, size);
  KwJson::Map members{{"left over", "from before"}};
  if (!KwJson::Unserialize(text, members)) {
    fuzzsupport::require(members.empty(), "a refused text leaves no member behind");
    return 0;
  }
  fuzzsupport::require(!members.contains("left over") || text.find("left over") != std::string_view::npos,
                       "an accepted text replaces what the map held");
  for (const auto& [name, value] : members) {
    fuzzsupport::require(KwJson::GetStringValue(members, name) == value, "a member reads back as stored");
  }
  return 0;
}
