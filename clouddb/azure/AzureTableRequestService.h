#pragma once
// AzureTableRequestService: sends one REST request to an Azure storage account's Table service,
// signed with the account key (Shared Key), and sends it again with a doubling pause while the
// owner's retry rule asks for it.
//
// Contract:
//  - executeRequest always answers. Status 600 means nothing was sent: the request could not be
//    signed (the account key is not Base64 text), the endpoint is not an http or https address,
//    or the HTTP client could not be set up. Status 0 means no complete response came back (the
//    transfer failed, or the body grew beyond kMaxResponseBytes). Otherwise the HTTP status.
//  - The pause starts at the first delay and doubles after each one; the call returns the last
//    response when the rule declines, when the pauses so far exceed the budget, or after
//    kMaxAttempts sends, whichever comes first. The last bound ends a first delay of 0 with a
//    rule that always asks again, which would otherwise never end.
//  - Every pause goes through the platform clock. Log lines go to the environment when there is
//    one, else to this object's own event object; the Authorization value is never logged.
//  - One request at a time, on the caller's thread; each attempt has an HTTP client of its own.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "clouddb/azure/AzureTableRequest.h"
#include "platform/DaxEnvironment.h"
#include "platform/EvEvent.h"
#include "platform/KWLibCurl.h"

class AzureTableRequestService {
 public:
  using RetryRule = std::function<bool(AzureTableResponse&)>;

  static constexpr int kNotSent = 600;
  static constexpr int kNoResponse = 0;
  static constexpr int kMaxAttempts = 11;
  static constexpr std::size_t kMaxResponseBytes = std::size_t{32} << 20;
  static constexpr long kConnectTimeoutSeconds = 30;
  static constexpr long kTransferTimeoutSeconds = 120;

  // Without an environment and with the default rule.
  AzureTableRequestService();
  explicit AzureTableRequestService(DaxEnvironment& environment);
  AzureTableRequestService(DaxEnvironment& environment, RetryRule retryRule);
  ~AzureTableRequestService();
  AzureTableRequestService(const AzureTableRequestService&) = delete;
  AzureTableRequestService& operator=(const AzureTableRequestService&) = delete;

  AzureTableResponse executeRequest(AzureTableRequest& request, std::uint32_t firstDelayMs,
                                    std::uint32_t delayBudgetMs);
  // Sets the date, version and Authorization headers; false when the account key is not Base64.
  bool signRequest(AzureTableRequest& request);
  // Sets up the HTTP client of the next attempt unless one is set up already.
  bool initCurlObject(const std::string& contentType);
  void deleteCurlObject();

  static std::string lowercase(const std::string& text);
  // Without leading and trailing blanks, every inner run of blanks cut to one (blanks only).
  static std::string trimSpaces(const std::string& text);
  // Retries on 500 and 503 only.
  static bool defaultRetryRule(AzureTableResponse& response);

 private:
  void logText(const char* tag, const std::string& text);
  // One send of a signed request with the client set up; the client is dropped afterwards.
  AzureTableResponse sendOnce(AzureTableRequest& request);

  std::unique_ptr<KWLibCurl> m_curl;
  bool m_curlReady = false;
  DaxEnvironment* m_environment = nullptr;
  EvEvent m_log;
  RetryRule m_retryRule;
  // The body of the current attempt, collected up to kMaxResponseBytes.
  std::string m_body;
  bool m_bodyTooLarge = false;
};
