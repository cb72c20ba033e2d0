#include "AzurePeers.h"

#include <curl/curl.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {
namespace {

namespace fs = std::filesystem;

constexpr int kStartTimeoutMs = 30'000;
constexpr long kRequestTimeoutSeconds = 30;
constexpr std::size_t kMaxReplyBytes = 16 * 1024 * 1024;
constexpr char kListening[] = "listening on ";
constexpr char kTableVersion[] = "2015-12-11";

fs::path peersFolder() {
  return fs::path(CLOUDDB_SOURCE_DIR) / "tests" / "peers";
}

// node as the shell would find it; posix_spawn wants a path.
std::optional<std::string> findNode() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const fs::path candidate = fs::path(folder.empty() ? "." : folder) / "node";
    if (::access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate)) {
      return candidate.string();
    }
  }
  return std::nullopt;
}

std::string tailOf(const std::string& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  constexpr std::size_t kShown = 2000;
  return all.size() > kShown ? "..." + all.substr(all.size() - kShown) : all;
}

struct StartedPeer {
  std::unique_ptr<ChildProcess> process;
  int port = 0;
};

// Starts tests/peers/<script> and waits for its "listening on PORT".
StartedPeer startPeer(const std::string& label, const std::string& script, const std::vector<std::string>& arguments,
                      const std::string& workFolder) {
  const std::optional<std::string> node = findNode();
  if (!node || !azurePeersInstalled()) {
    throw std::runtime_error(label + " cannot start: " +
                             (node ? "tests/peers/node_modules is missing" : "node is missing") + "; run make setup");
  }
  fs::create_directories(workFolder);
  const std::string errors = (fs::path(workFolder) / (script + ".stderr")).string();
  std::vector<std::string> all{(peersFolder() / script).string()};
  all.insert(all.end(), arguments.begin(), arguments.end());
  auto process = std::make_unique<ChildProcess>(*node, all, errors, ChildProcess::Mode::kService);
  const std::optional<std::string> line = process->readLine(kStartTimeoutMs);
  if (line && line->rfind(kListening, 0) == 0) {
    const int port = std::atoi(line->c_str() + sizeof kListening - 1);
    if (port > 0 && port <= 65535) {
      return {std::move(process), port};
    }
  }
  process->stop(2000);
  throw std::runtime_error(label + " did not start within " + std::to_string(kStartTimeoutMs / 1000) +
                           " s; it said: " + line.value_or("nothing") + "; its standard error: " + tailOf(errors));
}

std::string jsonText(const std::vector<std::pair<const char*, std::string>>& members, bool hashPartitionOnId = false) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  writer.StartObject();
  for (const auto& [name, value] : members) {
    writer.Key(name);
    writer.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size()));
  }
  if (hashPartitionOnId) {
    writer.Key("partitionKey");
    writer.StartObject();
    writer.Key("paths");
    writer.StartArray();
    writer.String("/id");
    writer.EndArray();
    writer.Key("kind");
    writer.String("Hash");
    writer.EndObject();
  }
  writer.EndObject();
  return buffer.GetString();
}

// --- HTTP through libcurl ---

struct HttpCall {
  std::string method;
  std::string url;
  std::string body;
  std::vector<std::string> headers;
  std::string resolve;  // "host:port:address", so no name service is asked
  std::string caFile;   // HTTPS: the only CA trusted
};

using Curl = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

Curl newCurl() {
  Curl curl(curl_easy_init(), &curl_easy_cleanup);
  if (!curl) {
    throw std::runtime_error("curl_easy_init failed");
  }
  return curl;
}

std::size_t collectBody(char* data, std::size_t size, std::size_t count, void* reply) {
  std::string& body = static_cast<PeerReply*>(reply)->body;
  if (body.size() + size * count > kMaxReplyBytes) {
    return 0;  // too much: libcurl fails the transfer
  }
  body.append(data, size * count);
  return size * count;
}

std::size_t collectHeader(char* data, std::size_t size, std::size_t count, void* reply) {
  auto& headers = static_cast<PeerReply*>(reply)->headers;
  std::string line(data, size * count);
  if (line.rfind("HTTP/", 0) == 0) {
    headers.clear();  // a new response (after 100 Continue): its own headers only
  } else if (const auto colon = line.find(':'); colon != std::string::npos) {
    std::string value = line.substr(colon + 1);
    value.erase(0, value.find_first_not_of(" \t"));
    value.erase(value.find_last_not_of(" \t\r\n") + 1);
    headers.emplace_back(line.substr(0, colon), value);
  }
  return size * count;
}

PeerReply perform(CURL* curl, const HttpCall& call) {
  curl_easy_reset(curl);
  PeerReply reply;
  HeaderList headers(nullptr, &curl_slist_free_all);
  for (const std::string& header : call.headers) {
    curl_slist* grown = curl_slist_append(headers.get(), header.c_str());
    if (grown == nullptr) {
      throw std::runtime_error("curl_slist_append failed");
    }
    headers.release();
    headers.reset(grown);
  }
  HeaderList resolve(call.resolve.empty() ? nullptr : curl_slist_append(nullptr, call.resolve.c_str()),
                     &curl_slist_free_all);
  curl_easy_setopt(curl, CURLOPT_URL, call.url.c_str());
  curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, call.method.c_str());
  if (!call.body.empty()) {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, call.body.c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(call.body.size()));
  }
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(curl, CURLOPT_RESOLVE, resolve.get());
  if (!call.caFile.empty()) {
    curl_easy_setopt(curl, CURLOPT_CAINFO, call.caFile.c_str());
    curl_easy_setopt(curl, CURLOPT_CAPATH, nullptr);
  }
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, kRequestTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &collectBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &collectHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &reply);
  if (const CURLcode result = curl_easy_perform(curl); result != CURLE_OK) {
    throw std::runtime_error(call.method + " " + call.url + " failed: " + curl_easy_strerror(result));
  }
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
  return reply;
}

// --- Shared Key signing of Table service requests ---

std::string base64Encode(const unsigned char* data, std::size_t size) {
  std::string text(4 * ((size + 2) / 3), '\0');
  const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), data, static_cast<int>(size));
  text.resize(static_cast<std::size_t>(written));
  return text;
}

std::string base64Decode(const std::string& text) {
  std::string bytes(3 * (text.size() / 4), '\0');
  const int written =
      EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                      reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
  if (written < 0) {
    throw std::runtime_error("the account key is not Base64");
  }
  // EVP_DecodeBlock counts the padding as zero bytes.
  const std::size_t padding = text.size() - text.find_last_not_of('=') - 1;
  bytes.resize(static_cast<std::size_t>(written) - padding);
  return bytes;
}

std::string httpDateNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[64];
  std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S GMT", &utc);
  return text;
}

// The Table service's Shared Key: VERB, Content-MD5 (none), Content-Type, x-ms-date and the
// canonical resource "/ACCOUNT/PATH" (no query), signed with the account key.
std::vector<std::string> sharedKeyHeaders(const std::string& account, const std::string& key, const std::string& verb,
                                          const std::string& target, bool hasBody) {
  const std::string contentType = hasBody ? "application/json" : "";
  const std::string date = httpDateNow();
  const std::string resource = "/" + account + "/" + target.substr(0, target.find('?'));
  const std::string toSign = verb + "\n\n" + contentType + "\n" + date + "\n" + resource;
  const std::string secret = base64Decode(key);
  unsigned char signature[EVP_MAX_MD_SIZE];
  unsigned int signatureSize = 0;
  if (HMAC(EVP_sha256(), secret.data(), static_cast<int>(secret.size()),
           reinterpret_cast<const unsigned char*>(toSign.data()), toSign.size(), signature,
           &signatureSize) == nullptr) {
    throw std::runtime_error("HMAC-SHA256 failed");
  }
  std::vector<std::string> headers{
      "x-ms-date: " + date,
      std::string("x-ms-version: ") + kTableVersion,
      "Accept: application/json;odata=minimalmetadata",
      "MaxDataServiceVersion: 3.0;NetFx",
      "Authorization: SharedKey " + account + ":" + base64Encode(signature, signatureSize),
      "Expect:",
  };
  if (hasBody) {
    headers.push_back("Content-Type: " + contentType);
  }
  return headers;
}

std::string escapeSegment(CURL* curl, const std::string& segment) {
  std::unique_ptr<char, decltype(&curl_free)> escaped(
      curl_easy_escape(curl, segment.c_str(), static_cast<int>(segment.size())), &curl_free);
  if (!escaped) {
    throw std::runtime_error("curl_easy_escape failed");
  }
  return escaped.get();
}

void expectCreated(const PeerReply& reply, const std::string& what) {
  if (reply.status != 201 && reply.status != 204) {
    throw std::runtime_error(what + " failed: HTTP " + std::to_string(reply.status) + " " + reply.body);
  }
}

}  // namespace

bool azurePeersInstalled() {
  const fs::path modules = peersFolder() / "node_modules";
  return findNode().has_value() && fs::exists(modules / "azurite" / "package.json") &&
         fs::exists(modules / "@vercel" / "cosmosdb-server" / "package.json");
}

std::optional<std::string> PeerReply::header(std::string_view name) const {
  for (const auto& [headerName, value] : headers) {
    if (headerName.size() == name.size() && ::strncasecmp(headerName.c_str(), name.data(), name.size()) == 0) {
      return value;
    }
  }
  return std::nullopt;
}

std::vector<std::string> PeerReply::listedNames(const char* list, const char* member) const {
  rapidjson::Document document;
  document.Parse(body.c_str());
  if (document.HasParseError() || !document.IsObject() || !document.HasMember(list) || !document[list].IsArray()) {
    throw std::runtime_error(std::string("no '") + list + "' list in the peer's answer: " + body);
  }
  std::vector<std::string> names;
  for (const rapidjson::Value& item : document[list].GetArray()) {
    const bool named = item.IsObject() && item.HasMember(member) && item[member].IsString();
    names.push_back(named ? item[member].GetString() : "(no " + std::string(member) + ")");
  }
  return names;
}

// --- Azurite ---

AzuriteTablePeer::AzuriteTablePeer(const std::string& workFolder) : workFolder_(workFolder) {
  StartedPeer started = startPeer("Azurite's Table service", "azurite-table-peer.js", {workFolder}, workFolder);
  process_ = std::move(started.process);
  port_ = started.port;
}

AzuriteTablePeer::~AzuriteTablePeer() = default;

int AzuriteTablePeer::port() const {
  return port_;
}

std::string AzuriteTablePeer::tableEndpoint(const std::string& account) const {
  return "http://" + account + ".localhost:" + std::to_string(port_) + "/";
}

PeerReply AzuriteTablePeer::tableRequest(const std::string& verb, const std::string& target,
                                         const std::string& body) const {
  const Curl curl = newCurl();
  return perform(curl.get(), {verb, tableEndpoint() + target, body,
                              sharedKeyHeaders(kDevAccount, kDevKey, verb, target, !body.empty()),
                              std::string(kDevAccount) + ".localhost:" + std::to_string(port_) + ":127.0.0.1", ""});
}

void AzuriteTablePeer::createTables(const std::vector<std::string>& names) const {
  const Curl curl = newCurl();  // one connection for them all
  const std::string resolve = std::string(kDevAccount) + ".localhost:" + std::to_string(port_) + ":127.0.0.1";
  for (const std::string& name : names) {
    const std::string body = jsonText({{"TableName", name}});
    const PeerReply reply =
        perform(curl.get(), {"POST", tableEndpoint() + "Tables", body,
                             sharedKeyHeaders(kDevAccount, kDevKey, "POST", "Tables", true), resolve, ""});
    expectCreated(reply, "creating table " + name + " in Azurite");
  }
}

// --- Cosmos DB ---

CosmosPeer::CosmosPeer(const std::string& workFolder, const TestPki& pki)
    : workFolder_(workFolder), caFile_(pki.caCertificateFile) {
  StartedPeer started =
      startPeer("The Cosmos DB peer", "cosmos-peer.js", {pki.serverCertificateFile, pki.serverKeyFile}, workFolder);
  process_ = std::move(started.process);
  port_ = started.port;
}

CosmosPeer::~CosmosPeer() = default;

int CosmosPeer::port() const {
  return port_;
}

std::string CosmosPeer::endpoint() const {
  return "https://localhost:" + std::to_string(port_) + "/";
}

PeerReply CosmosPeer::request(const std::string& verb, const std::string& target, const std::string& body) const {
  const Curl curl = newCurl();
  std::vector<std::string> headers{"Accept: application/json", "Expect:"};
  if (!body.empty()) {
    headers.emplace_back("Content-Type: application/json");
  }
  return perform(curl.get(), {verb, endpoint() + target, body, headers,
                              "localhost:" + std::to_string(port_) + ":127.0.0.1", caFile_});
}

void CosmosPeer::createDatabase(const std::string& name) const {
  expectCreated(request("POST", "dbs", jsonText({{"id", name}})), "creating database " + name + " in the Cosmos peer");
}

void CosmosPeer::createContainer(const std::string& database, const std::string& name) const {
  const Curl curl = newCurl();
  expectCreated(
      request("POST", "dbs/" + escapeSegment(curl.get(), database) + "/colls", jsonText({{"id", name}}, true)),
      "creating container " + database + "/" + name + " in the Cosmos peer");
}

}  // namespace testsupport
