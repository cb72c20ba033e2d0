#include "clouddb/azure/AzureTableRequestService.h"

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <chrono>
#include <ctime>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>
#include <string_view>
#include <utility>

#include "clouddb/azure/AzureTableHeaders.h"
#include "platform/Base64.h"
#include "platform/Clock.h"
#include "platform/Hmac.h"
#include "platform/HostEnvironment.h"
#include "platform/KwcBucket.h"

namespace {

constexpr char kSignTag[] = "signRequest";
constexpr char kExecuteTag[] = "executeRequest";
constexpr char kDateFormat[] = "%a, %d %b %Y %H:%M:%S GMT";
constexpr char kKeyNotBase64[] = "The request was not sent: the account key is not Base64 text";
constexpr char kEndpointNotHttpStart[] = "The request was not sent: the Table endpoint [";
constexpr char kEndpointNotHttpEnd[] = "] is not an http or https address";
constexpr char kClientNotSetUp[] = "The request was not sent: the HTTP client could not be set up";
constexpr char kTransferFailed[] = "No complete response: ";
constexpr char kBodyTooLarge[] = "The response body exceeds %zu bytes; it is dropped";

// The current UTC time in the service's date format, in the C locale whatever the host set.
std::string requestDate() {
  const std::time_t now = std::chrono::system_clock::to_time_t(HostEnvironment::current().clockOrSystem().now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << std::put_time(&utc, kDateFormat);
  return text.str();
}

const char* verbOf(int method) {
  return KWLibCurl::GetHttpReqTypeString(method);
}

bool isHttpAddress(const std::string& address) {
  const std::string lower = AzureTableRequestService::lowercase(address);
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (lower.size() > scheme.size() && lower.compare(0, scheme.size(), scheme) == 0) {
      return true;
    }
  }
  return false;
}

std::string bodyTooLargeLine() {
  char line[96];
  std::snprintf(line, sizeof line, kBodyTooLarge, AzureTableRequestService::kMaxResponseBytes);
  return line;
}

}  // namespace

AzureTableRequestService::AzureTableRequestService() : m_retryRule(&AzureTableRequestService::defaultRetryRule) {}

AzureTableRequestService::AzureTableRequestService(DaxEnvironment& environment)
    : m_environment(&environment), m_retryRule(&AzureTableRequestService::defaultRetryRule) {}

AzureTableRequestService::AzureTableRequestService(DaxEnvironment& environment, RetryRule retryRule)
    : m_environment(&environment), m_retryRule(std::move(retryRule)) {}

AzureTableRequestService::~AzureTableRequestService() { deleteCurlObject(); }

bool AzureTableRequestService::defaultRetryRule(AzureTableResponse& response) {
  return response.status == 500 || response.status == 503;
}

std::string AzureTableRequestService::lowercase(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string AzureTableRequestService::trimSpaces(const std::string& text) {
  std::string trimmed;
  bool pendingBlank = false;
  for (const char c : text) {
    if (c == ' ') {
      pendingBlank = !trimmed.empty();
      continue;
    }
    if (pendingBlank) trimmed += ' ';
    pendingBlank = false;
    trimmed += c;
  }
  return trimmed;
}

void AzureTableRequestService::logText(const char* tag, const std::string& text) {
  if (m_environment != nullptr) {
    m_environment->LogMessage(tag, text);
  } else {
    m_log.Debug(tag, "%s", text.c_str());
  }
}

bool AzureTableRequestService::signRequest(AzureTableRequest& request) {
  KwcBucket key;
  if (request.accountKey.empty() || Base64::Decode(request.accountKey, key).IsFailure()) {
    logText(kSignTag, kKeyNotBase64);
    return false;
  }
  const std::string date = requestDate();
  request.headers[azureheaders::kDate] = date;
  request.headers[azureheaders::kDataServiceVersion] = azureheaders::kDataServiceVersionValue;
  request.headers[azureheaders::kVersion] = azureheaders::kVersionValue;

  std::string resource = "/" + request.accountName;
  if (request.path.empty() || request.path.front() != '/') resource += '/';
  resource += request.path;
  if (const auto comp = request.queryParameters.find("comp"); comp != request.queryParameters.end()) {
    resource += "?comp=" + comp->second;
  }
  logText(kSignTag, "Encoded URI: " + request.path);
  logText(kSignTag, "Canonicalized resource: " + resource);

  const std::string stringToSign = std::string(verbOf(request.method)) + "\n\n" +
                                   request.headers[azureheaders::kContentType] + "\n" + date + "\n" + resource;
  logText(kSignTag, "To Sign: " + stringToSign);

  unsigned char signature[kHmacSha256Length];
  if (!HMAC_SHA256(signature, key.data(), key.size(), stringToSign.data(), stringToSign.size())) {
    return false;
  }
  request.headers[azureheaders::kAuthorization] =
      "SharedKey " + request.accountName + ":" + Base64::Encode(signature, sizeof signature);
  return true;
}

bool AzureTableRequestService::initCurlObject(const std::string& contentType) {
  if (m_curlReady) return true;
  m_curl = std::make_unique<KWLibCurl>();
  m_body.clear();
  m_bodyTooLarge = false;
  // The body is collected here, bounded, rather than kept whole by the client.
  const auto collect = [this](std::string_view chunk) {
    if (m_body.size() + chunk.size() > kMaxResponseBytes) {
      m_bodyTooLarge = true;
      return false;
    }
    m_body.append(chunk);
    return true;
  };
  m_curlReady = m_curl->KWLibCurlInit(std::string(azureheaders::kContentType) + ": " + contentType, true, false, collect);
  if (m_curlReady) {
    m_curl->KWLibCurlSetTimeouts(kConnectTimeoutSeconds, kTransferTimeoutSeconds);
  }
  return m_curlReady;
}

void AzureTableRequestService::deleteCurlObject() {
  m_curl.reset();
  m_curlReady = false;
}

AzureTableResponse AzureTableRequestService::sendOnce(AzureTableRequest& request) {
  m_curl->KWLibCurlFreeHttpHeaderList();
  for (const auto& [name, value] : request.headers) {
    logText(kExecuteTag, name + " : " + azureheaders::shownValue(name, value));
    if (name != azureheaders::kContentType) {
      m_curl->KWLibCurlAppendHeader(KWLibCurl::kRequestHeader, name + ": " + value);
    }
  }
  std::string url = request.host + request.path;
  if (!request.query.empty()) url += "?" + request.query;
  const bool carriesBody = request.method == KWLibCurl::HTTP_POST || request.method == KWLibCurl::HTTP_PUT;
  logText(kExecuteTag, "Request method: " + std::to_string(request.method) + " URL: " + url);

  const bool answered = m_curl->KWLibCurlSendHttpReq(request.method, url, carriesBody ? request.body.data() : nullptr,
                                                     carriesBody ? request.body.size() : 0, false, nullptr);
  AzureTableResponse response;
  if (answered) {
    response.status = static_cast<int>(m_curl->GetHttpResponseCode());
    response.body = std::move(m_body);
    response.nextTableName = m_curl->GetHttpResponseHeaderValue(azureheaders::kNextTableName);
  } else {
    response.status = kNoResponse;
    logText(kExecuteTag, m_bodyTooLarge ? bodyTooLargeLine() : kTransferFailed + m_curl->GetLastErrorText());
  }
  response.success = response.status == 200;
  logText(kExecuteTag, "HttpErrorCode:Response = " + std::to_string(response.status) + ":" + response.body);
  return response;
}

AzureTableResponse AzureTableRequestService::executeRequest(AzureTableRequest& request, std::uint32_t firstDelayMs,
                                                            std::uint32_t delayBudgetMs) {
  if (!request.headers.contains(azureheaders::kAuthorization) && !signRequest(request)) {
    return {false, kNotSent, "", ""};
  }
  if (!isHttpAddress(request.host)) {
    logText(kExecuteTag, kEndpointNotHttpStart + request.host + kEndpointNotHttpEnd);
    return {false, kNotSent, "", ""};
  }
  std::uint64_t delay = firstDelayMs;
  std::uint64_t waited = 0;
  for (int attempt = 1;; ++attempt) {
    if (!m_curlReady && !initCurlObject(request.headers[azureheaders::kContentType])) {
      logText(kExecuteTag, kClientNotSetUp);
      deleteCurlObject();
      return {false, kNotSent, "", ""};
    }
    AzureTableResponse response = sendOnce(request);
    deleteCurlObject();
    if (!m_retryRule(response)) {
      return response;
    }
    logText(kExecuteTag, "sleeping for " + std::to_string(delay) + " msec with total up to " +
                             std::to_string(delayBudgetMs) + " msec");
    if (delay > 0) {
      LMSLEEP(static_cast<std::uint32_t>(std::min<std::uint64_t>(delay, std::numeric_limits<std::uint32_t>::max())));
    }
    waited += delay;
    delay *= 2;
    if (waited > delayBudgetMs || attempt >= kMaxAttempts) {
      return response;
    }
  }
}
