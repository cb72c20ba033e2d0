// The account's SSH public key, read from the compute REST interface over HTTPS: authenticate
// with the account's user and password, keep the session cookie, read the key object.
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <optional>
#include <string>
#include <string_view>

#include "clouddb/oracle/CloudDBMsgHandler.h"
#include "clouddb/oracle/OracleTexts.h"
#include "platform/KWLibCurl.h"
#include "platform/KwJson.h"

namespace texts = clouddb::oracle::texts;

namespace {

constexpr char kTag[] = "GetPublicKey";
constexpr char kErrorTag[] = "bool CloudDBMsgHandler::GetPublicKey(std::string)";
constexpr char kContentType[] = "Content-Type: application/oracle-compute-v3+json";
constexpr char kAccept[] = "Accept: application/oracle-compute-v3+json";
constexpr char kScheme[] = "https://";
constexpr char kAuthenticatePath[] = "/authenticate/";
constexpr char kKeyPath[] = "/sshkey";
constexpr char kUserPrefix[] = "/Compute-";
constexpr char kSetCookie[] = "Set-Cookie:";
constexpr std::size_t kSetCookieLength = sizeof(kSetCookie) - 1;
// A key service answers with a few short texts; a longer answer is not one to read.
constexpr std::size_t kMaxKeyResponseBytes = 1u << 20;
constexpr char kCookie[] = "Cookie:";
constexpr char kKeyMember[] = "key";
// A body that is not JSON is quoted in the log only this far: it comes from outside.
constexpr std::size_t kQuotedBodyLimit = 1024;

// {"password": ..., "user": "/Compute-<user>"}, written by a JSON writer so that any password
// or user travels exactly as given and cannot add members of its own.
std::string authenticationBody(const std::string& user, const std::string& password) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  const std::string qualifiedUser = kUserPrefix + user;
  writer.StartObject();
  writer.Key("password");
  writer.String(password.data(), static_cast<rapidjson::SizeType>(password.size()));
  writer.Key("user");
  writer.String(qualifiedUser.data(), static_cast<rapidjson::SizeType>(qualifiedUser.size()));
  writer.EndObject();
  return std::string(buffer.GetString(), buffer.GetSize());
}

std::string withoutLineEnd(std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

// The key name as the rest of the key URL's path: each "/"-separated piece percent-encoded, so
// that a name cannot add a query, a fragment or a user and host of its own. A "." or ".." piece
// would climb out of the key path (the client resolves them), so such a name gives nothing.
// The name is read piece by piece in place: split whole, a name of many "/" would cost a string
// for each.
std::optional<std::string> keyPathOf(std::string_view keyName) {
  std::string path;
  for (std::size_t start = 0;;) {
    const std::size_t end = keyName.find('/', start);
    const std::string_view piece = keyName.substr(start, end - start);
    if (piece == "." || piece == "..") {
      return std::nullopt;
    }
    path += KWLibCurl::EscapeUrlText(piece);
    if (end == std::string_view::npos) {
      return path;
    }
    path += '/';
    start = end + 1;
  }
}

}  // namespace

bool CloudDBMsgHandler::GetPublicKey(std::string keyName) {
  KWLibCurl client;
  client.KWLibCurlSetTimeouts(keyConnectTimeoutSeconds_, keyTotalTimeoutSeconds_);
  client.KWLibCurlSetMaxBodyBytes(kMaxKeyResponseBytes);
  if (!client.KWLibCurlInit(kContentType, true, true)) {
    log_.DebugLvl(kTag, 0, texts::kCurlInitFailed);
  }
  const std::string body = authenticationBody(apiUser_, apiPassword_);
  const std::string authenticateUrl = kScheme + apiHost_ + kAuthenticatePath;
  if (!client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_POST, authenticateUrl, body.data(), body.size(), false, nullptr)) {
    log_.DebugLvl(kTag, 0, texts::kSendFailed);
    log_.Debug(kTag, texts::kHttpFailureReason, authenticateUrl.c_str(), client.GetLastErrorText().c_str());
    return false;
  }
  const char* cookieLine = client.GetHttpResponseHeader(kSetCookie);
  if (cookieLine == nullptr) {
    log_.DebugLvl(kTag, 0, texts::kNoAuthToken);
    return false;
  }
  const std::string line = cookieLine;
  if (line.size() > kSetCookieLength) {
    authCookie_ = withoutLineEnd(line.substr(kSetCookieLength));
  }
  client.KWLibCurlFreeHttpHeaderList();
  if (!client.KWLibCurlAppendHeader(KWLibCurl::kRequestHeader, kAccept)) {
    log_.DebugLvl(kTag, 0, texts::kAcceptHeaderFailed);
    return false;
  }
  if (!client.KWLibCurlAppendHeader(KWLibCurl::kRequestHeader, kCookie + authCookie_)) {
    log_.Error(kErrorTag, texts::kCookieHeaderFailed);
    return false;
  }
  const std::optional<std::string> keyPath = keyPathOf(keyName);
  if (!keyPath) {
    log_.DebugLvl(kTag, 0, texts::kKeyNameNotAPath, keyName.c_str());
    return false;
  }
  const std::string keyUrl = kScheme + apiHost_ + kKeyPath + *keyPath;
  // The client sends no body with a GET; the authentication body is handed over all the same.
  if (!client.KWLibCurlSendHttpReq(KWLibCurl::HTTP_GET, keyUrl, body.data(), body.size(), false, nullptr)) {
    log_.DebugLvl(kTag, 0, texts::kSendFailed);
    log_.Debug(kTag, texts::kHttpFailureReason, keyUrl.c_str(), client.GetLastErrorText().c_str());
    return false;
  }
  std::size_t length = 0;
  const char* response = client.GetHttpResponse(length, false);
  if (response == nullptr) {
    log_.DebugLvl(kTag, 0, texts::kKeyResponseEmpty);
    return false;
  }
  const std::string responseText(response, length);
  KwJson::Map members;
  if (!KwJson::Unserialize(responseText, members)) {
    log_.DebugLvl(kTag, 0, texts::kKeyResponseNotJson, responseText.substr(0, kQuotedBodyLimit).c_str());
    return false;
  }
  publicKey_ = KwJson::GetStringValue(members, kKeyMember);
  if (publicKey_.empty()) {
    log_.DebugLvl(kTag, 0, texts::kPublicKeyEmpty, keyName.c_str());
    return false;
  }
  return true;
}
