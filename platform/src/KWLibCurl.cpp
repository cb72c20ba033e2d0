#include "platform/KWLibCurl.h"

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "platform/HostEnvironment.h"

namespace {

// libcurl wants its global set-up done once before the first handle; a function-local constant
// gives exactly that without mutable global state.
bool curlReady() {
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

bool isHeaderLine(std::string_view line) {
  const auto colon = line.find(':');
  return colon != std::string_view::npos && colon > 0 && line.find_first_of("\r\n") == std::string_view::npos;
}

// "Name: value" with an empty value means "leave this header out" for libcurl's "Name:" form.
std::string curlHeaderForm(const std::string& line) {
  const auto colon = line.find(':');
  if (line.find_first_not_of(' ', colon + 1) == std::string::npos) {
    return line.substr(0, colon + 1);
  }
  return line;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && ::strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// Adds the extra CA file to the trust store libcurl has already filled from the system's.
CURLcode addExtraCa(CURL*, void* sslContext, void* caFile) {
  X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext));
  const auto* path = static_cast<const std::string*>(caFile);
  return X509_STORE_load_file(store, path->c_str()) == 1 ? CURLE_OK : CURLE_SSL_CACERT_BADFILE;
}

}  // namespace

struct KWLibCurl::Handle {
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl{nullptr, &curl_easy_cleanup};
  char errorText[CURL_ERROR_SIZE] = {};
};

struct KWLibCurl::HeaderList {
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> list{nullptr, &curl_slist_free_all};

  bool add(const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr) {
      return false;
    }
    list.release();
    list.reset(grown);
    return true;
  }
};

KWLibCurl::KWLibCurl() { settings_.extraCaFile = HostEnvironment::current().httpsExtraCaFile; }

KWLibCurl::~KWLibCurl() = default;

bool KWLibCurl::KWLibCurlInit(const std::string& headerLineOrAddress, bool textIsHeaderLine, bool httpsOnly,
                              WriteCallback writeCallback) {
  handle_.reset();
  if (!curlReady()) {
    return false;
  }
  if (textIsHeaderLine && !isHeaderLine(headerLineOrAddress)) {
    return false;
  }
  auto handle = std::make_unique<Handle>();
  handle->curl.reset(curl_easy_init());
  if (!handle->curl) {
    return false;
  }
  settings_.initHeaderLine = textIsHeaderLine ? headerLineOrAddress : std::string();
  settings_.defaultAddress = textIsHeaderLine ? std::string() : headerLineOrAddress;
  settings_.httpsOnly = httpsOnly;
  settings_.writeCallback = std::move(writeCallback);
  appendedHeaders_.clear();
  response_ = Response{};
  handle_ = std::move(handle);
  return true;
}

bool KWLibCurl::KWLibCurlAppendHeader(int kind, const std::string& headerLine) {
  if (kind != kRequestHeader || !isHeaderLine(headerLine)) {
    return false;
  }
  appendedHeaders_.push_back(headerLine);
  return true;
}

void KWLibCurl::KWLibCurlFreeHttpHeaderList() { appendedHeaders_.clear(); }

void KWLibCurl::KWLibCurlSetProxy(const std::string& hostAndPort, const std::string& user,
                                  const std::string& password) {
  settings_.proxy = hostAndPort;
  settings_.proxyUser = user;
  settings_.proxyPassword = password;
}

void KWLibCurl::KWLibCurlSetTimeouts(long connectSeconds, long totalSeconds) {
  settings_.connectTimeoutSeconds = connectSeconds;
  settings_.totalTimeoutSeconds = totalSeconds;
}

void KWLibCurl::KWLibCurlSetMaxBodyBytes(std::size_t bytes) { settings_.maxBodyBytes = bytes; }

void KWLibCurl::KWLibCurlSetExtraCaFile(const std::string& path) { settings_.extraCaFile = path; }

std::string KWLibCurl::EscapeUrlText(std::string_view text) {
  // libcurl takes a length of 0 to mean "up to the NUL": an empty view into a longer text would
  // escape what follows it.
  if (text.empty()) {
    return {};
  }
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw std::length_error("text too long to escape");
  }
  // libcurl's escape needs no handle; it fails only when memory runs out.
  std::unique_ptr<char, decltype(&curl_free)> escaped(
      curl_easy_escape(nullptr, text.data(), static_cast<int>(text.size())), &curl_free);
  if (escaped == nullptr) {
    throw std::bad_alloc();
  }
  return std::string(escaped.get());
}

const char* KWLibCurl::GetHttpReqTypeString(int kind) {
  switch (kind) {
    case HTTP_GET:
      return "GET";
    case HTTP_POST:
      return "POST";
    case HTTP_PUT:
      return "PUT";
    case HTTP_DELETE:
      return "DELETE";
    default:
      return "UNKNOWN";
  }
}

bool KWLibCurl::KWLibCurlSendHttpReq(int kind, const std::string& address, const char* body, std::size_t length,
                                     bool failOnHttpError, const char* extraHeaderLine) {
  response_ = Response{};
  lastError_.clear();
  if (!handle_) {
    lastError_ = "The HTTP client is not initialised";
    return false;
  }
  const std::string& url = address.empty() ? settings_.defaultAddress : address;
  HeaderList headers;
  if (!applyOptions(url, failOnHttpError) || !applyMethod(kind, body, length) ||
      !applyHeaders(headers, extraHeaderLine)) {
    return false;
  }
  return perform();
}

bool KWLibCurl::applyOptions(const std::string& url, bool failOnHttpError) {
  CURL* curl = handle_->curl.get();
  curl_easy_reset(curl);  // nothing of the previous request (method, body) carries over
  const char* protocols = settings_.httpsOnly ? "https" : "http,https";
  bool ok = curl_easy_setopt(curl, CURLOPT_URL, url.c_str()) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, protocols) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, protocols) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;  // never SIGALRM the host
  ok = ok && curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, handle_->errorText) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, settings_.connectTimeoutSeconds) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_TIMEOUT, settings_.totalTimeoutSeconds) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_FAILONERROR, failOnHttpError ? 1L : 0L) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &KWLibCurl::onBody) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEDATA, this) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &KWLibCurl::onHeader) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_HEADERDATA, this) == CURLE_OK;
  // An empty proxy also overrides http_proxy and friends from the environment.
  ok = ok && curl_easy_setopt(curl, CURLOPT_PROXY, settings_.proxy.c_str()) == CURLE_OK;
  ok = ok && curl_easy_setopt(curl, CURLOPT_NOPROXY, "") == CURLE_OK;
  if (ok && !settings_.proxy.empty() && !settings_.proxyUser.empty()) {
    ok = curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, settings_.proxyUser.c_str()) == CURLE_OK &&
         curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, settings_.proxyPassword.c_str()) == CURLE_OK;
  }
  if (ok && !settings_.extraCaFile.empty()) {
    // The CA cache would share our enlarged store with later handles; keep it per request.
    ok = curl_easy_setopt(curl, CURLOPT_CA_CACHE_TIMEOUT, 0L) == CURLE_OK &&
         curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, &addExtraCa) == CURLE_OK &&
         curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &settings_.extraCaFile) == CURLE_OK;
  }
  if (!ok) {
    lastError_ = "The HTTP client refused its settings";
  }
  return ok;
}

bool KWLibCurl::applyMethod(int kind, const char* body, std::size_t length) {
  CURL* curl = handle_->curl.get();
  const char* payload = body != nullptr ? body : "";
  const curl_off_t size = body != nullptr ? static_cast<curl_off_t>(length) : 0;
  bool ok = false;
  switch (kind) {
    case HTTP_GET:
      ok = curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L) == CURLE_OK;
      break;
    case HTTP_POST:
    case HTTP_PUT:
      ok = curl_easy_setopt(curl, CURLOPT_POST, 1L) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, size) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_POSTFIELDS, payload) == CURLE_OK &&
           (kind == HTTP_POST || curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "PUT") == CURLE_OK);
      break;
    case HTTP_DELETE:
      ok = curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "DELETE") == CURLE_OK;
      break;
    default:
      lastError_ = std::string("Unknown HTTP request kind ") + std::to_string(kind);
      return false;
  }
  if (!ok) {
    lastError_ = "The HTTP client refused the request method";
  }
  return ok;
}

bool KWLibCurl::applyHeaders(HeaderList& headers, const char* extraHeaderLine) {
  // No "Expect: 100-continue" round trip before larger bodies: servers answer at once.
  bool ok = headers.add("Expect:");
  if (ok && !settings_.initHeaderLine.empty()) {
    ok = headers.add(curlHeaderForm(settings_.initHeaderLine));
  }
  for (const std::string& line : appendedHeaders_) {
    ok = ok && headers.add(curlHeaderForm(line));
  }
  if (ok && extraHeaderLine != nullptr && *extraHeaderLine != '\0') {
    // Checked like an appended header: a line end inside would smuggle in headers of its own.
    ok = isHeaderLine(extraHeaderLine) && headers.add(curlHeaderForm(extraHeaderLine));
  }
  ok = ok && curl_easy_setopt(handle_->curl.get(), CURLOPT_HTTPHEADER, headers.list.get()) == CURLE_OK;
  if (!ok) {
    lastError_ = "The HTTP client could not set the request headers";
  }
  return ok;
}

bool KWLibCurl::perform() {
  CURL* curl = handle_->curl.get();
  handle_->errorText[0] = '\0';
  bodyTooLong_ = false;
  const CURLcode result = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  response_.status = status;
  // The header list dies with this send: libcurl must not keep a pointer to it.
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  if (result != CURLE_OK) {
    lastError_ = bodyTooLong_ ? "The response body exceeds " + std::to_string(settings_.maxBodyBytes) + " bytes"
                 : handle_->errorText[0] != '\0' ? std::string(handle_->errorText)
                                                 : std::string(curl_easy_strerror(result));
    if (result != CURLE_HTTP_RETURNED_ERROR) {
      response_.body.clear();  // a cut transfer leaves no body to trust
    }
    return false;
  }
  return true;
}

std::size_t KWLibCurl::onBody(char* data, std::size_t size, std::size_t count, void* self) {
  auto* client = static_cast<KWLibCurl*>(self);
  const std::size_t length = size * count;
  if (client->settings_.writeCallback) {
    return client->settings_.writeCallback(std::string_view(data, length)) ? length : 0;
  }
  if (length > client->settings_.maxBodyBytes - client->response_.body.size()) {
    client->bodyTooLong_ = true;
    return 0;  // libcurl ends the transfer
  }
  client->response_.body.append(data, length);
  return length;
}

std::size_t KWLibCurl::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
  auto* client = static_cast<KWLibCurl*>(self);
  const std::size_t length = size * count;
  const std::string_view line(data, length);
  // Each status line starts a new response (after "100 Continue", a proxy's tunnel answer or a
  // redirect); only the last response's headers are kept.
  if (startsWithIgnoringCase(line, "HTTP/")) {
    client->response_.headerLines.clear();
    client->response_.headerBlock.clear();
  }
  client->response_.headerBlock.append(line);
  if (isHeaderLine(line.substr(0, line.find_first_of("\r\n")))) {
    client->response_.headerLines.emplace_back(line);
  }
  return length;
}

const char* KWLibCurl::GetHttpResponse(std::size_t& length, bool headerBlock) {
  const std::string& text = headerBlock ? response_.headerBlock : response_.body;
  length = text.size();
  return text.empty() ? nullptr : text.c_str();
}

std::string KWLibCurl::GetHttpResponseHeaderValue(const std::string& name) const {
  const char* line = GetHttpResponseHeader(name);
  if (line == nullptr) return {};
  std::string_view text(line);
  text.remove_prefix(std::min(text.size(), text.find(':') + 1));
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

const char* KWLibCurl::GetHttpResponseHeader(const std::string& name) const {
  std::string_view wanted(name);
  while (!wanted.empty() && (wanted.back() == ':' || wanted.back() == ' ')) {
    wanted.remove_suffix(1);
  }
  if (wanted.empty()) {
    return nullptr;
  }
  const auto found = std::find_if(response_.headerLines.begin(), response_.headerLines.end(),
                                  [wanted](const std::string& line) {
                                    return line.size() > wanted.size() && line[wanted.size()] == ':' &&
                                           startsWithIgnoringCase(line, wanted);
                                  });
  return found == response_.headerLines.end() ? nullptr : found->c_str();
}
