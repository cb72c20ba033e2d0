#pragma once
// CAzureTableStorageInfo: the tables of one Azure storage account, for the browse tree. It asks
// the cloud client for the account's Table endpoint and key, lists the tables page by page over
// the signed REST client, and turns each table into a browse node (type 45) under the account.
//
// Contract:
//  - Made for one browse request, connected through AzureServiceBase, used once, destroyed.
//  - Every failure answers false after one error line, or a report to the environment when
//    the object has one; nothing throws. A listing either holds every table or fails: a
//    malformed page, an unnamed table or a continuation marker that repeats ends it with false.
//  - The continuation marker is taken from the response header the service sends, else from
//    the body, and goes back as the query parameter NextTableName, outside the signed resource.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clouddb/azure/AzureTableRequest.h"
#include "clouddb/azure/AzureTableRequestService.h"
#include "clouddb/core/AzureServiceBase.h"
#include "platform/DaxEnvironment.h"
#include "platform/messages/App.h"

class CAzureTableStorageInfo : public AzureServiceBase {
 public:
  // The first pause and the pause budget of every listing request, in milliseconds.
  static constexpr std::uint32_t kFirstDelayMs = 50;
  static constexpr std::uint32_t kDelayBudgetMs = 60000;
  // More pages or tables than this would be more than a browse can show: a peer that never
  // stops is cut off.
  static constexpr int kMaxTablePages = 10000;
  static constexpr std::size_t kMaxTables = 1000000;

  CAzureTableStorageInfo(DaxEnvironment& environment, std::int64_t instanceType);
  explicit CAzureTableStorageInfo(std::int64_t instanceType);
  ~CAzureTableStorageInfo() override;

  // The endpoint and key of a storage account (cosmos false) or a Cosmos DB account (true).
  bool ObtainCredentials(const std::string& account, bool cosmos);
  // A request for the stored account, with the method the operation selects and its headers.
  AzureTableRequest baseRequest(const std::string& operation);
  // One page of table names, continuing from marker; nextMarker is empty after the last page.
  bool queryTables(std::vector<std::string>& tables, const std::string& marker, std::string& nextMarker);
  // Every page.
  bool queryTables(std::vector<std::string>& tables);
  bool BrowseTables(const std::string& account, App::CloudDBEntity& parent);

 protected:
  // An error text under a tag: to the environment (logged, then reported) or as an error line.
  void report(const char* tag, const std::string& text);
  // Sends a listing request with the listing's pauses.
  AzureTableResponse execute(AzureTableRequest& request);

  AzureTableRequestService m_requestService;
  DaxEnvironment* m_environment = nullptr;
  std::string m_accountName;
  std::string m_accountUrl;
  std::string m_accessKey;
};
