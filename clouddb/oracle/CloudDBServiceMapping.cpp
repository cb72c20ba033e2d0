// The database-service message and the provider's service record, field by field, both ways;
// and the compute nodes written into the message.
#include <charconv>
#include <cstdint>

#include "clouddb/oracle/CloudDBMsgHandler.h"
#include "clouddb/oracle/OracleTexts.h"

using namespace CloudDBInfoStructs;
namespace texts = clouddb::oracle::texts;

namespace {

constexpr char kVersion11[] = "11.2.0.4";
constexpr char kVersion121[] = "12.1.0.2";
constexpr char kVersion122[] = "12.2.0.1";
constexpr char kEditionSE[] = "SE";
constexpr char kEditionEE[] = "EE";
constexpr char kEditionEEEP[] = "EE_EP";
constexpr char kEditionEEHP[] = "EE_HP";
constexpr char kBackupBoth[] = "BOTH";
constexpr char kBackupOss[] = "OSS";
constexpr char kBackupNone[] = "NONE";
constexpr char kYes[] = "yes";
constexpr char kNo[] = "no";
constexpr char kDefaultDescription[] = "DBaaS";
constexpr char kServiceLevel[] = "PAAS";

std::string versionOf(std::int64_t code) {
  switch (code) {
    case 1: return kVersion122;
    case 2: return kVersion121;
    default: return kVersion11;
  }
}

std::int64_t versionCode(const std::string& version) {
  if (version == kVersion122) return 1;
  if (version == kVersion121) return 2;
  return 0;
}

std::string editionOf(std::int64_t code) {
  switch (code) {
    case 1: return kEditionEE;
    case 2: return kEditionEEEP;
    case 3: return kEditionEEHP;
    default: return kEditionSE;
  }
}

std::int64_t editionCode(const std::string& edition) {
  if (edition == kEditionEE) return 1;
  if (edition == kEditionEEEP) return 2;
  if (edition == kEditionEEHP) return 3;
  return 0;
}

std::string backupDestinationOf(std::int64_t code) {
  switch (code) {
    case 1: return kBackupBoth;
    case 2: return kBackupOss;
    default: return kBackupNone;
  }
}

std::int64_t backupDestinationCode(const std::string& destination) {
  if (destination == kBackupBoth) return 1;
  if (destination == kBackupOss) return 2;
  return 3;
}

// The whole text as a decimal 32-bit number; nothing for an empty text, other characters or
// a value out of range.
bool parseInt32(const std::string& text, std::int32_t& value) {
  const char* end = text.data() + text.size();
  auto [stop, failure] = std::from_chars(text.data(), end, value);
  return !text.empty() && failure == std::errc{} && stop == end;
}

std::string plainPassword(const CNMessageBase& owner, int field) {
  std::string clear;
  if (owner.getPlainPassword(field, clear).IsFailure()) clear.clear();
  return clear;
}

// Where a new service takes its data from: a backup, and then cloud storage or a local path.
void readSource(const Dax::CloudDBSourceSettings& source, SOracleDBInstanceInfo& record) {
  using Source = Dax::CloudDBSourceSettings;
  if (source.getint64(Source::kFromBackup) == 0) {
    record.instantiateFromBackup = kNo;
    return;
  }
  record.instantiateFromBackup = kYes;
  if (source.getint64(Source::kFromCloudStorage) == 0) {
    record.useCloudStorageBackup = kNo;
    record.onPremisesBackupPath = source.getstring(Source::kBackupLocation);
    return;
  }
  record.useCloudStorageBackup = kYes;
  record.sourceCloudStorageContainer = source.getstring(Source::kDatabaseId);
  record.sourceServiceName = source.getstring(Source::kBackupTag);
  if (const Security::UserPassword* credentials = source.storageCredentials()) {
    record.sourceCloudStorageUser = credentials->user();
    record.sourceCloudStoragePassword = plainPassword(*credentials, Security::UserPassword::kPassword);
  }
  record.sourceDatabaseId = source.getstring(Source::kDecryptionKey);
  record.backupDecryptionKey = source.getstring(Source::kWalletFile);
}

}  // namespace

bool CloudDBMsgHandler::Serialize(const Dax::CloudDBService* service, SOracleDBInstanceInfo* record) {
  using Service = Dax::CloudDBService;
  using Details = Dax::CloudDBServiceDetails;
  record->serviceName = service->getstring(Service::kServiceName);
  record->description = service->getstring(Service::kDescription);
  if (record->description.empty()) record->description = kDefaultDescription;
  record->meteringFrequency = service->getint64(Service::kSubscriptionType) == 1 ? 1 : 2;
  record->version = versionOf(service->getint64(Service::kVersion));
  record->edition = editionOf(service->getint64(Service::kEdition));
  record->useHighPerformanceStorage = service->getint64(Service::kOptionFlag) == 1;
  record->serviceLevel = kServiceLevel;

  if (const Details* details = service->details()) {
    record->sid = details->getstring(Details::kShape);
    record->adminPassword = plainPassword(*details, Details::kAdminPassword);
    record->connectPort = static_cast<std::int32_t>(details->getint64(Details::kUsableStorage));
    if (const Dax::NamedObjectRef* storage = details->storage(); storage != nullptr && storage->entity() != nullptr) {
      record->shape = storage->entity()->name();
    }
    const std::string capacity = details->getstring(Details::kCapacity);
    // A capacity the cloud cannot take is refused here rather than sent on as 0.
    if (!parseInt32(capacity, record->usableStorageGB)) {
      log_.DebugLvl("Serialize", 0, texts::kInvalidCapacity, capacity.c_str());
      return false;
    }
    record->nationalCharacterSet = details->getstring(Details::kSid);
  }
  if (const Dax::CloudDBBackupSettings* backup = service->backup()) {
    record->backupDestination = backupDestinationOf(backup->destination());
    record->cloudStorageContainer = backup->container();
  }
  if (const Dax::CloudDBSourceSettings* source = service->source()) {
    readSource(*source, *record);
  }
  record->vmPublicKey = publicKey_;
  record->failoverDatabase = false;
  record->isRac = false;
  record->hybridDataGuard = false;
  record->bringYourOwnLicense = false;
  return true;
}

void CloudDBMsgHandler::Serialize(const SOracleDBInstanceInfo* record, Dax::CloudDBService* service) {
  using Service = Dax::CloudDBService;
  using Details = Dax::CloudDBServiceDetails;
  service->setstring(Service::kServiceName, record->serviceName);
  service->setstring(Service::kDescription, record->description);
  service->setint64(Service::kState, 1);
  service->setint64(Service::kSubscriptionType, record->meteringFrequency == 1 ? 1 : 0);
  service->setint64(Service::kVersion, versionCode(record->version));
  service->setint64(Service::kEdition, editionCode(record->edition));
  service->setint64(Service::kOptionFlag, record->useHighPerformanceStorage ? 1 : 0);

  Details& details = service->mutableDetails();
  details.setstring(Details::kShape, record->sid);
  details.setpstringobject(Details::kAdminPassword, msg::PasswordString{record->adminPassword, false});
  details.setint64(Details::kUsableStorage, record->connectPort);
  details.mutableStorage().mutableEntity().setName(record->shape);
  details.setstring(Details::kSid, record->nationalCharacterSet);

  Dax::CloudDBBackupSettings& backup = service->mutableBackup();
  backup.setDestination(backupDestinationCode(record->backupDestination));
  backup.setContainer(record->cloudStorageContainer);
}

void CloudDBMsgHandler::Serialize(const std::vector<SOracleDBComputeNode>& nodes, Dax::CloudDBService* service) {
  static constexpr char kTag[] = "Serialize";
  using Details = Dax::CloudDBServiceDetails;
  Details& details = service->mutableDetails();
  MessageList hosts;
  for (const SOracleDBComputeNode& node : nodes) {
    log_.DebugLvl(kTag, 0, texts::kComputeNodeHost, node.hostName.c_str());
    log_.DebugLvl(kTag, 0, texts::kComputeNodeIp, node.ipAddress.c_str());
    log_.DebugLvl(kTag, 0, texts::kComputeNodePort, node.port);
    // The node fields hold one node; after the loop they describe the last one.
    details.setstring(Details::kNodeText1, node.name);
    details.setstring(Details::kNodeText2, node.status);
    details.setstring(Details::kNodeText3, node.shape);
    details.setstring(Details::kNodeText4, node.availabilityDomain);
    details.setint64(Details::kNodeNumber, node.storageGB);
    details.setstring(Details::kNodeIpAddress, node.ipAddress);
    details.setint64(Details::kNodeFlag, node.reservedIp ? 1 : 0);
    auto host = std::make_unique<KwEntities::VirtualMachineEntity>();
    host->setHostName(node.hostName);
    hosts.push_back(std::move(host));
  }
  details.setlistobject(Details::kComputeNodes, hosts);
}
