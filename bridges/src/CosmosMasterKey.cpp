#include "CosmosMasterKey.h"

#include "platform/KWLibCurl.h"


#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <memory>

#include "platform/Base64.h"
#include "platform/Hmac.h"
#include "platform/KwcBucket.h"

namespace cloudbridge {
namespace {

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
  return lower;
}

}  // namespace

std::string cosmosRequestDate(std::chrono::system_clock::time_point when) {
  // Spelled out rather than left to strftime, whose names follow the process's locale.
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[utc.tm_wday % 7], utc.tm_mday,
                kMonths[utc.tm_mon % 12], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

std::optional<std::string> cosmosMasterKeyAuthorization(std::string_view verb, std::string_view resourceType,
                                                        std::string_view resourceLink, std::string_view date,
                                                        std::string_view key) {
  KwcBucket secret;
  if (key.empty() || Base64::Decode(key, secret).IsFailure()) return std::nullopt;
  const std::string signedText = lowerCase(verb) + "\n" + std::string(resourceType) + "\n" +
                                 std::string(resourceLink) + "\n" + lowerCase(date) + "\n\n";
  unsigned char signature[kHmacSha256Length];
  if (!HMAC_SHA256(signature, secret.data(), secret.size(), signedText.data(), signedText.size())) return std::nullopt;
  return KWLibCurl::EscapeUrlText("type=master&ver=1.0&sig=" + Base64::Encode(signature, sizeof signature));
}

}  // namespace cloudbridge
