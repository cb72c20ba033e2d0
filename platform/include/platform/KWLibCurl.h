#pragma once
// KWLibCurl: the host's HTTP client wrapper, over libcurl.
//
// One object makes a series of requests in sequence (one easy handle, reused connections). The
// calls keep the host's shapes; what their flags mean here:
//
//  KWLibCurlInit(text, textIsHeaderLine, httpsOnly, writeCallback)
//    textIsHeaderLine true: text is a header line ("Content-Type: application/json") sent with
//      every request, unaffected by KWLibCurlFreeHttpHeaderList. A line with an empty value
//      ("Content-Type: ") removes the header from requests altogether.
//    textIsHeaderLine false: text is the default address, used when a send names none.
//    httpsOnly true: only https:// addresses are accepted, redirects included.
//    writeCallback: when given, the response body goes to it chunk by chunk instead of being
//      kept (GetHttpResponse then has no body to give); returning false stops the transfer.
//    Starts afresh: headers appended and the response of an earlier Init are forgotten.
//    Returns false when no libcurl handle can be made or the header line has no name.
//  KWLibCurlAppendHeader(kind, line): kind 0 (request header) is the only kind; false otherwise.
//  KWLibCurlFreeHttpHeaderList(): forgets the appended headers (not the Init header line).
//  KWLibCurlSendHttpReq(kind, address, body, length, failOnHttpError, extraHeaderLine)
//    kind: 0 GET, 1 POST, 2 PUT, 3 DELETE. The body is sent for POST and PUT only; GET and
//      DELETE never carry one, whatever the caller passes. A null body posts an empty one.
//    failOnHttpError true: a status of 400 or more also counts as a failure.
//    extraHeaderLine: one more header line for this request only, or null; a line that is not
//      one header line (no name, or a line end inside) fails the send.
//    True when an HTTP response came back (any status, unless failOnHttpError).
//  GetHttpResponse(length, headerBlock): the body of the last response (headerBlock true: its
//    raw header block instead) and its length; null, with length 0, when there is none: no
//    request made, the transfer failed, a write callback took the body, or the body is empty.
//  GetHttpResponseHeader(name): the first header line of the last response whose name matches
//    (case-insensitive; a trailing colon in name is allowed: "Set-Cookie:"), whole as received,
//    name and line end included; null when absent.
//  GetHttpResponseHeaderValue(name): the same header's value alone, trimmed; empty when absent.
//  GetHttpResponseCode(): the HTTP status of the last response, 0 when none came back.
// Returned texts stay valid until the next send or the object's destruction.
//
// TLS verifies the server against the system trust store plus an optional extra CA file (by
// default the current HostEnvironment's). A proxy, when set, is used for every request; without
// one, proxy settings from the process environment are ignored, so a request goes where it says.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class KWLibCurl {
 public:
  enum HttpReqType { HTTP_GET = 0, HTTP_POST = 1, HTTP_PUT = 2, HTTP_DELETE = 3 };
  static constexpr int kRequestHeader = 0;
  static constexpr long kDefaultConnectTimeoutSeconds = 30;
  static constexpr long kDefaultTotalTimeoutSeconds = 300;
  // The most a response body kept by the client may hold; a longer one fails the send.
  static constexpr std::size_t kDefaultMaxBodyBytes = 64u << 20;

  using WriteCallback = std::function<bool(std::string_view chunk)>;

  KWLibCurl();
  ~KWLibCurl();
  KWLibCurl(const KWLibCurl&) = delete;
  KWLibCurl& operator=(const KWLibCurl&) = delete;

  bool KWLibCurlInit(const std::string& headerLineOrAddress, bool textIsHeaderLine, bool httpsOnly,
                     WriteCallback writeCallback = nullptr);
  bool KWLibCurlAppendHeader(int kind, const std::string& headerLine);
  void KWLibCurlFreeHttpHeaderList();
  bool KWLibCurlSendHttpReq(int kind, const std::string& address, const char* body, std::size_t length,
                            bool failOnHttpError, const char* extraHeaderLine);

  const char* GetHttpResponse(std::size_t& length, bool headerBlock);
  const char* GetHttpResponseHeader(const std::string& name) const;
  // The value of that header line without its name, the colon and surrounding blanks and line
  // ends; empty when absent.
  std::string GetHttpResponseHeaderValue(const std::string& name) const;
  long GetHttpResponseCode() const { return response_.status; }
  // libcurl's words for the last failed send; empty after a success.
  const std::string& GetLastErrorText() const { return lastError_; }

  // "GET", "POST", "PUT", "DELETE"; "UNKNOWN" for any other kind.
  static const char* GetHttpReqTypeString(int kind);
  // text percent-encoded for a query value or a path segment: every byte but the unreserved
  // letters, digits and "-._~" becomes %XX.
  static std::string EscapeUrlText(std::string_view text);

  // Settings for the following sends.
  void KWLibCurlSetProxy(const std::string& hostAndPort, const std::string& user, const std::string& password);
  void KWLibCurlSetTimeouts(long connectSeconds, long totalSeconds);
  void KWLibCurlSetExtraCaFile(const std::string& path);
  // The bound on a kept response body (not on one given to a write callback).
  void KWLibCurlSetMaxBodyBytes(std::size_t bytes);

 private:
  struct Handle;
  struct HeaderList;
  struct Settings {
    std::string initHeaderLine;
    std::string defaultAddress;
    bool httpsOnly = false;
    WriteCallback writeCallback;
    std::string proxy;
    std::string proxyUser;
    std::string proxyPassword;
    long connectTimeoutSeconds = kDefaultConnectTimeoutSeconds;
    long totalTimeoutSeconds = kDefaultTotalTimeoutSeconds;
    std::string extraCaFile;
    std::size_t maxBodyBytes = kDefaultMaxBodyBytes;
  };
  struct Response {
    long status = 0;
    std::string body;
    std::string headerBlock;
    std::vector<std::string> headerLines;
  };

  bool applyOptions(const std::string& url, bool failOnHttpError);
  bool applyMethod(int kind, const char* body, std::size_t length);
  bool applyHeaders(HeaderList& headers, const char* extraHeaderLine);
  bool perform();
  // libcurl's callbacks; self is this object.
  static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);

  std::unique_ptr<Handle> handle_;
  Settings settings_;
  std::vector<std::string> appendedHeaders_;
  Response response_;
  std::string lastError_;
  bool bodyTooLong_ = false;
};
