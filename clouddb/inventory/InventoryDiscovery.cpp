#include "clouddb/inventory/InventoryDiscovery.h"

#include <limits>
#include <memory>

#include "clouddb/inventory/CloudInfoFactory.h"
#include "clouddb/inventory/InventoryRecords.h"
#include "clouddb/inventory/InventoryTexts.h"
#include "platform/Clock.h"
#include "platform/FXString.h"
#include "platform/messages/CloudDBEngineType.h"
#include "platform/messages/KwEntities.h"

namespace clouddb::inventory {

namespace {

constexpr char kTag[] = "DiscoverRDSInventoryCommon";
constexpr int kListingAttempts = 5;
constexpr std::uint32_t kRateLimitPauseMs = 1000;

// What the discovery reads from the request.
struct InventoryQuery {
  long clientId = 0;
  std::uint64_t instanceId = 0;
  int engineType = 0;
  std::int64_t applicationType = 0;
  bool filtered = false;
  // The first value that does not fit the 32 bits it travels in, and the value; none when all fit.
  const char* outOfRange = nullptr;
  std::int64_t outOfRangeValue = 0;
};

// value as the 32-bit number it travels as. One that does not fit is refused rather than cut
// down, which could name another client or instance and answer with its inventory.
template <typename Narrow>
Narrow narrowed(std::int64_t value, const char* what, InventoryQuery& query) {
  if (value < std::numeric_limits<Narrow>::min() ||
      value > static_cast<std::int64_t>(std::numeric_limits<Narrow>::max())) {
    if (query.outOfRange == nullptr) {
      query.outOfRange = what;
      query.outOfRangeValue = value;
    }
    return 0;
  }
  return static_cast<Narrow>(value);
}

InventoryQuery readQuery(const App::BrowseRDSInventoryReq& request) {
  InventoryQuery query;
  if (const KwEntities::ClientInstanceEntity* instance = request.instance()) {
    // Both ids travel as 32-bit values; the client id is signed, the instance id is not.
    query.clientId = narrowed<std::int32_t>(instance->clientId(), "client id", query);
    if (instance->isSet(KwEntities::ClientInstanceEntity::kInstanceId)) {
      query.instanceId = narrowed<std::uint32_t>(instance->instanceId(), "instance id", query);
    }
  }
  if (request.isSet(App::BrowseRDSInventoryReq::kEngineType)) {
    query.engineType = narrowed<std::int32_t>(request.engineType(), "engine type", query);
  }
  if (request.isSet(App::BrowseRDSInventoryReq::kApplicationType)) {
    query.applicationType = narrowed<std::int32_t>(request.applicationType(), "application type", query);
    query.filtered = query.applicationType >= 1;
  }
  return query;
}

// A provider's failure text, never empty: the console takes an empty text for success.
std::string reasonOf(const CRDSInfo& provider) {
  return provider.lastError().empty() ? std::string(texts::kNoReasonGiven) : provider.lastError();
}

// The listing of one engine type (2 and 4 are Aurora clusters), straight into instances.
bool listEngineType(CRDSInfo& provider, int engineType, std::vector<App::RDSDBInstance>& instances, EvEvent& log,
                    std::string& errorText, const std::string& firstQualifier, const std::string& secondQualifier) {
  const auto engine = static_cast<App::CloudDBEngineType>(engineType);
  const bool clusters = engine == App::CLOUDDB_ENGINE_AURORA_POSTGRESQL || engine == App::CLOUDDB_ENGINE_AURORA_MYSQL;
  const CLmError error = clusters ? provider.GetDBClusterInfoList(engine, instances, firstQualifier, secondQualifier)
                                  : provider.GetDBInstanceInfoList(engine, instances, firstQualifier, secondQualifier);
  if (error.IsFailure()) {
    errorText = error.AsString();
    log.Error(kTag, texts::kDiscoverFailed, errorText.c_str());
    return false;
  }
  return true;
}

// The full listing; while the cloud throttles us, wait a second and ask again, at most
// kListingAttempts times in all.
bool listEverything(CRDSInfo& provider, std::vector<RDSInfoStructs::SDBInstanceInfo>& records, EvEvent& log,
                    std::string& errorText, const std::string& firstQualifier, const std::string& secondQualifier) {
  int attemptsLeft = kListingAttempts;
  while (true) {
    std::vector<RDSInfoStructs::SDBInstanceInfo> attempt;
    if (provider.GetDBInstanceInfoList(0, 0, attempt, firstQualifier, secondQualifier) == 1) {
      records = std::move(attempt);
      return true;
    }
    errorText = reasonOf(provider);
    if (!FXString::FindString(errorText, texts::kRateExceeded, true) || --attemptsLeft == 0) {
      log.Error(kTag, texts::kListingFailed, errorText.c_str());
      return false;
    }
    log.Debug(kTag, texts::kRateLimitRetry, kListingAttempts - attemptsLeft);
    LMSLEEP(kRateLimitPauseMs);
  }
}

}  // namespace

bool DiscoverRDSInventoryCommon(App::BrowseRDSInventoryReq* request, std::vector<App::RDSDBInstance>& instances,
                                EvEvent& log, std::string& errorText, std::string& firstQualifier,
                                std::string& secondQualifier) {
  const InventoryQuery query = request != nullptr ? readQuery(*request) : InventoryQuery{};
  if (query.outOfRange != nullptr) {
    errorText =
        FXString::Format(texts::kValueOutOfRange, query.outOfRange, static_cast<long long>(query.outOfRangeValue));
    log.Error(kTag, "%s", errorText.c_str());
    return false;
  }
  if (query.clientId == 0) {
    log.Error(kTag, texts::kClientIdNotSet, 0UL);
  }

  std::unique_ptr<CRDSInfo> provider;
  const auto clientId = static_cast<unsigned long>(query.clientId);
  if (CreateCloudInfoObject(clientId, log, provider) != 0 || !provider) {
    errorText = texts::kCreateFailedText;
    log.Error(kTag, texts::kCreateFailedLine, query.clientId);
    return false;
  }
  if (query.instanceId != 0) {
    provider->setInstanceId(query.instanceId);
  }

  if (provider->FetchCredentials() != 1) {
    errorText = texts::kFetchFailedText;
    // Name the entry whose credentials were read: the instance when the request gave one.
    const int entryId =
        query.instanceId != 0 ? static_cast<int>(query.instanceId) : provider->virtualServerInstanceId();
    log.Error(kTag, texts::kFetchFailedLine, entryId);
    return false;
  }
  if (provider->Connect() != 1) {
    errorText = reasonOf(*provider);
    log.Error(kTag, "%s", texts::kConnectFailedLine);
    return false;
  }

  if (query.engineType != 0) {
    return listEngineType(*provider, query.engineType, instances, log, errorText, firstQualifier, secondQualifier);
  }

  std::vector<RDSInfoStructs::SDBInstanceInfo> records;
  if (!listEverything(*provider, records, log, errorText, firstQualifier, secondQualifier)) {
    return false;
  }
  if (query.filtered && !records.empty()) {
    filterForApplication(records, query.applicationType);
  }
  appendClustersOnce(records, instances);
  return true;
}

}  // namespace clouddb::inventory
