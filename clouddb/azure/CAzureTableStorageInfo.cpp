#include "clouddb/azure/CAzureTableStorageInfo.h"

#include <openssl/crypto.h>

#include <unordered_set>

#include "clouddb/azure/AzureListingJson.h"
#include "clouddb/azure/AzureTableHeaders.h"
#include "clouddb/azure/TableStorageRetryRule.h"
#include "clouddb/core/AzureTexts.h"
#include "platform/KWLibCurl.h"

namespace {

namespace texts = clouddb::azure::texts;
using clouddb::azure::ListingRead;

constexpr char kObtainCredentialsTag[] = "ObtainCredentials";
constexpr char kBaseRequestTag[] = "baseRequest";
constexpr char kQueryTablesTag[] = "queryTables";
constexpr char kBrowseTablesTag[] = "BrowseTables";

constexpr char kGotUrl[] = "Got Azure URL: [%s]";
constexpr char kRequestMethod[] = "Request method: %d";
constexpr char kFoundTable[] = "Found table: [%s]";
constexpr char kQueryTablesFailed[] = "Query tables failed with ";
constexpr char kNotAnArray[] = "Query Tables did not return an array";
constexpr char kUnnamedTable[] = "Query Tables returned a table without a text TableName; the listing is refused";
constexpr char kMarkerRepeated[] =
    "Query Tables announced a continuation marker it had given before; the listing stops";
constexpr char kTooManyPages[] = "Query Tables announced more pages than a listing follows; the listing stops";
constexpr char kTooManyTables[] = "Query Tables listed more tables than a listing keeps; the listing stops";

constexpr char kTablesPath[] = "Tables";
constexpr char kNextTableNameParameter[] = "NextTableName=";
constexpr char kJsonMinimalMetadata[] = "application/json;odata=minimalmetadata";
constexpr char kJson[] = "application/json";
// The entity type of a table node.
constexpr std::int64_t kTableNodeType = 45;

int methodOf(const std::string& operation) {
  if (operation == "batch" || operation == "insert" || operation == "create") return KWLibCurl::HTTP_POST;
  if (operation == "insert/replace") return KWLibCurl::HTTP_PUT;
  if (operation == "delete") return KWLibCurl::HTTP_DELETE;
  return KWLibCurl::HTTP_GET;
}

}  // namespace

CAzureTableStorageInfo::CAzureTableStorageInfo(DaxEnvironment& environment, std::int64_t instanceType)
    : AzureServiceBase(instanceType),
      m_requestService(environment, TableStorageRetryRule(environment)),
      m_environment(&environment) {}

CAzureTableStorageInfo::CAzureTableStorageInfo(std::int64_t instanceType) : AzureServiceBase(instanceType) {}

CAzureTableStorageInfo::~CAzureTableStorageInfo() {
  OPENSSL_cleanse(m_accessKey.data(), m_accessKey.size());
}

void CAzureTableStorageInfo::report(const char* tag, const std::string& text) {
  if (m_environment != nullptr) {
    m_environment->LogMessage(tag, text);
    m_environment->ReportError(text);
  } else {
    m_log.Error(tag, "%s", text.c_str());
  }
}

bool CAzureTableStorageInfo::ObtainCredentials(const std::string& account, bool cosmos) {
  std::string url;
  std::string key;
  bool answered = false;
  if (cosmos && databaseClient() != nullptr) {
    answered = databaseClient()->GetCosmosDBAuthenticationInfo(account, url, key);
  } else if (!cosmos && resourceClient() != nullptr) {
    answered = resourceClient()->GetTableStorageAuthenticationInfo(account, url, key);
  }
  if (!answered) {
    m_log.Error(kObtainCredentialsTag, texts::kAuthenticationInfoFailed, GetLastErrorString(cosmos).c_str());
    return false;
  }
  if (url.empty() || key.empty()) {
    m_log.Error(kObtainCredentialsTag, texts::kUrlOrKeyEmpty, GetLastErrorString(cosmos).c_str());
    return false;
  }
  m_log.Debug(kObtainCredentialsTag, kGotUrl, url.c_str());
  m_accountName = account;
  m_accountUrl = std::move(url);
  OPENSSL_cleanse(m_accessKey.data(), m_accessKey.size());
  m_accessKey = std::move(key);
  return true;
}

AzureTableRequest CAzureTableStorageInfo::baseRequest(const std::string& operation) {
  AzureTableRequest request;
  request.accountName = m_accountName;
  request.accountUrl = m_accountUrl;
  request.accountKey = m_accessKey;
  request.host = m_accountUrl;
  request.method = methodOf(operation);
  if (request.method == KWLibCurl::HTTP_GET) {
    request.headers[azureheaders::kAccept] = kJsonMinimalMetadata;
  } else if (request.method == KWLibCurl::HTTP_POST || request.method == KWLibCurl::HTTP_PUT) {
    request.headers[azureheaders::kContentType] = kJson;
    request.headers[azureheaders::kAccept] = kJsonMinimalMetadata;
  }
  m_log.Debug(kBaseRequestTag, kRequestMethod, request.method);
  return request;
}

AzureTableResponse CAzureTableStorageInfo::execute(AzureTableRequest& request) {
  return m_requestService.executeRequest(request, kFirstDelayMs, kDelayBudgetMs);
}

bool CAzureTableStorageInfo::queryTables(std::vector<std::string>& tables, const std::string& marker,
                                         std::string& nextMarker) {
  AzureTableRequest request = baseRequest("");
  request.path = kTablesPath;
  // The marker travels as a query parameter: in the path it would enter the signed resource,
  // and the service would refuse the signature.
  if (!marker.empty()) {
    request.query = kNextTableNameParameter + KWLibCurl::EscapeUrlText(marker);
  }
  const AzureTableResponse response = execute(request);
  nextMarker.clear();
  if (response.status != 200) {
    report(kQueryTablesTag, kQueryTablesFailed + std::to_string(response.status));
    return false;
  }
  std::string bodyMarker;
  switch (clouddb::azure::readTableNames(response.body, tables, bodyMarker)) {
    case ListingRead::kNotAnArray:
      report(kQueryTablesTag, kNotAnArray);
      return false;
    case ListingRead::kUnnamedEntry:
      report(kQueryTablesTag, kUnnamedTable);
      return false;
    case ListingRead::kRead:
      break;
  }
  nextMarker = !response.nextTableName.empty() ? response.nextTableName : bodyMarker;
  return true;
}

bool CAzureTableStorageInfo::queryTables(std::vector<std::string>& tables) {
  std::string marker;
  // Every marker followed so far: one announced again would lead round the same pages forever.
  std::unordered_set<std::string> followed;
  for (int page = 1;; ++page) {
    std::string nextMarker;
    if (!queryTables(tables, marker, nextMarker)) {
      return false;
    }
    if (tables.size() > kMaxTables) {
      report(kQueryTablesTag, kTooManyTables);
      return false;
    }
    if (nextMarker.empty()) {
      return true;
    }
    if (nextMarker == marker || followed.contains(nextMarker)) {
      report(kQueryTablesTag, kMarkerRepeated);
      return false;
    }
    followed.insert(marker);
    if (page >= kMaxTablePages) {
      report(kQueryTablesTag, kTooManyPages);
      return false;
    }
    marker = std::move(nextMarker);
  }
}

bool CAzureTableStorageInfo::BrowseTables(const std::string& account, App::CloudDBEntity& parent) {
  if (!ObtainCredentials(account, false)) {
    return false;
  }
  std::vector<std::string> tables;
  if (!queryTables(tables)) {
    return false;
  }
  for (const std::string& table : tables) {
    m_log.Debug(kBrowseTablesTag, kFoundTable, table.c_str());
    App::CloudDBEntity node;
    node.setName(table);
    node.setIdentifier(table);
    node.setRegion(account);
    node.setEntityType(kTableNodeType);
    parent.addChild(node);
  }
  return true;
}
