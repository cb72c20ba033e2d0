// A Cosmos DB service's answer to a listing: any text is read as a list of ids or refused with a
// reason, and what an error answer gives to quote stays one bounded line.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "bridges/src/CosmosFeedReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body = fuzzsupport::asText(data, size);
  std::vector<std::string> ids;
  const auto refused = cloudbridge::readCosmosFeedPage(body, "Databases", ids);
  fuzzsupport::require(!refused || !refused->empty(), "a refused answer says why");

  const std::string status = cloudbridge::cosmosStatusText(404, body);
  fuzzsupport::require(status.rfind("HTTP status 404", 0) == 0, "the status leads the text");
  fuzzsupport::require(status.size() <= 700, "the quoted service text is bounded");
  fuzzsupport::require(std::none_of(status.begin(), status.end(),
                                    [](char character) {
                                      const auto byte = static_cast<unsigned char>(character);
                                      return byte < 0x20 || byte == 0x7f;
                                    }),
                       "the quoted service text is one line");
  return 0;
}
