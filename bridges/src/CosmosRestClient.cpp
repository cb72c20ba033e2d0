#include "CosmosRestClient.h"

#include <strings.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "CosmosFeedReader.h"
#include "CosmosMasterKey.h"
#include "platform/Clock.h"
#include "platform/HostEnvironment.h"
#include "platform/KWLibCurl.h"

namespace cloudbridge {
namespace {

constexpr const char* kApiVersion = "2018-12-31";
constexpr const char* kHttpsScheme = "https://";
// Bounds on what a service may make us hold or wait for.
constexpr std::size_t kPageByteLimit = 4 * 1024 * 1024;
constexpr int kPageLimit = 100;
constexpr std::chrono::seconds kListingBudget{120};
constexpr long kConnectTimeoutSeconds = 10;
// The longest id the service gives a database.
constexpr std::size_t kDatabaseNameLimit = 255;

bool hasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char character) {
    const auto byte = static_cast<unsigned char>(character);
    return byte < 0x20 || byte == 0x7f;
  });
}

// "https://host[:port][/]" and nothing that would change what the request asks for.
bool wellFormedAddress(const std::string& address) {
  const std::size_t schemeLength = std::char_traits<char>::length(kHttpsScheme);
  if (address.size() <= schemeLength || ::strncasecmp(address.c_str(), kHttpsScheme, schemeLength) != 0) return false;
  return !cosmosServiceHost(address).empty() && address.find_first_of("?# ") == std::string::npos &&
         !hasControlCharacter(address);
}

std::string urlOf(const std::string& address, const std::string& path) {
  return address.back() == '/' ? address + path : address + "/" + path;
}

// Fetches the pages of one feed over one HTTP client, within the listing's time budget.
class FeedPages {
 public:
  FeedPages(std::string url, const std::string& key, const CosmosFeed& feed)
      : url_(std::move(url)), key_(key), feed_(feed), clock_(HostEnvironment::current().clockOrSystem()),
        deadline_(clock_.steadyNow() + kListingBudget) {}

  // Appends the ids of the page that continuation names (the first for ""), and sets
  // continuation to the next page's, "" after the last.
  cloudsim::CallFailure fetch(std::string& continuation, std::vector<std::string>& ids) {
    const long secondsLeft = std::chrono::duration_cast<std::chrono::seconds>(deadline_ - clock_.steadyNow()).count();
    if (secondsLeft <= 0) {
      return "The Cosmos DB listing did not finish within " + std::to_string(kListingBudget.count()) + " seconds";
    }
    const std::string date = cosmosRequestDate(clock_.now());
    const auto authorization = cosmosMasterKeyAuthorization("GET", feed_.resourceType, feed_.resourceLink, date, key_);
    if (!authorization) return std::string("The Cosmos DB account key is not a base64 master key");
    body_.clear();
    if (!prepare(date, *authorization, continuation)) {
      return "The HTTP client could not prepare the Cosmos DB request: " + http_.GetLastErrorText();
    }
    http_.KWLibCurlSetTimeouts(std::min(kConnectTimeoutSeconds, secondsLeft), secondsLeft);
    if (!http_.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, url_, nullptr, 0, false, nullptr)) {
      if (oversized_) {
        return "The Cosmos DB service's answer is larger than " + std::to_string(kPageByteLimit) +
               " bytes; the listing is stopped";
      }
      return "Could not reach the Cosmos DB account at " + url_ + ": " + http_.GetLastErrorText();
    }
    if (http_.GetHttpResponseCode() != 200) {
      return "The Cosmos DB service refused the listing: " + cosmosStatusText(http_.GetHttpResponseCode(), body_);
    }
    if (auto malformed = readCosmosFeedPage(body_, feed_.arrayName, ids)) return malformed;
    std::string following = http_.GetHttpResponseHeaderValue("x-ms-continuation");
    if (hasControlCharacter(following)) return std::string("The Cosmos DB service sent a malformed continuation");
    // Asked for the same page again, a service would only answer it again.
    if (!following.empty() && following == continuation) {
      return std::string("The Cosmos DB service handed back the continuation it was given; the listing is stopped");
    }
    continuation = std::move(following);
    return std::nullopt;
  }

 private:
  // Fresh headers for one page, signed for now; the body goes to body_, up to its bound.
  bool prepare(const std::string& date, const std::string& authorization, const std::string& continuation) {
    const KWLibCurl::WriteCallback collect = [this](std::string_view chunk) {
      oversized_ = body_.size() + chunk.size() > kPageByteLimit;
      if (!oversized_) body_.append(chunk);
      return !oversized_;
    };
    return http_.KWLibCurlInit("Accept: application/json", true, true, collect) &&
           http_.KWLibCurlAppendHeader(KWLibCurl::kRequestHeader, "x-ms-date: " + date) &&
           http_.KWLibCurlAppendHeader(KWLibCurl::kRequestHeader, std::string("x-ms-version: ") + kApiVersion) &&
           http_.KWLibCurlAppendHeader(KWLibCurl::kRequestHeader, "Authorization: " + authorization) &&
           (continuation.empty() ||
            http_.KWLibCurlAppendHeader(KWLibCurl::kRequestHeader, "x-ms-continuation: " + continuation));
  }

  const std::string url_;
  const std::string& key_;
  const CosmosFeed& feed_;
  Clock& clock_;
  const std::chrono::steady_clock::time_point deadline_;
  KWLibCurl http_;
  std::string body_;
  bool oversized_ = false;
};

}  // namespace

CosmosFeed databasesFeed() { return CosmosFeed{"dbs", "", "dbs", "Databases"}; }

std::optional<CosmosFeed> containersFeed(const std::string& database) {
  if (database.empty() || database.size() > kDatabaseNameLimit || database.find_first_of("/\\?#") != std::string::npos ||
      hasControlCharacter(database)) {
    return std::nullopt;
  }
  return CosmosFeed{"colls", "dbs/" + database, "dbs/" + KWLibCurl::EscapeUrlText(database) + "/colls", "DocumentCollections"};
}

std::string cosmosServiceHost(const std::string& accountAddress) {
  const std::size_t start = accountAddress.find("://");
  if (start == std::string::npos) return {};
  const std::string authority = accountAddress.substr(start + 3, accountAddress.find('/', start + 3) - start - 3);
  return authority.substr(0, authority.rfind(':'));
}

cloudsim::CallFailure listCosmosFeed(const std::string& accountAddress, const std::string& key,
                                     const CosmosFeed& feed, std::vector<std::string>& ids) {
  ids.clear();
  if (!wellFormedAddress(accountAddress)) {
    return "The Cosmos DB account address is not an https:// address: \"" + accountAddress + "\"";
  }
  FeedPages pages(urlOf(accountAddress, feed.path), key, feed);
  std::string continuation;
  for (int page = 0; page < kPageLimit; ++page) {
    if (auto failure = pages.fetch(continuation, ids)) {
      ids.clear();
      return failure;
    }
    if (continuation.empty()) return std::nullopt;
  }
  ids.clear();
  return "The Cosmos DB service still had more pages after " + std::to_string(kPageLimit) + "; the listing is stopped";
}

}  // namespace cloudbridge
