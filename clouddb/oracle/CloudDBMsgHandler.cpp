// The database-service request: dispatch, the account's connection and the creation.
#include "clouddb/oracle/CloudDBMsgHandler.h"

#include "clouddb/entry/RequestFrame.h"
#include "clouddb/oracle/OracleTexts.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/vsAppMgr.h"

using namespace CloudDBInfoStructs;
namespace texts = clouddb::oracle::texts;

namespace {

constexpr std::int64_t kCreateOperation = 2;
constexpr std::int64_t kFailedStatus = 1;
// The instance reference of a request names a configured Oracle Cloud instance with this kind.
constexpr std::int64_t kConfiguredInstanceKind = 11;
constexpr char kEmptyRequestList[] = "The received message holds no request";
constexpr char kNoConnection[] = "No host connection was given";
constexpr char kNotAServiceRequest[] = "The received request [%u] is not a database service request";
constexpr char kOperationNotServed[] = "Operation [%lld] is not served";

}  // namespace

void CloudDBMsgHandler::setApiAccount(std::string host, std::string user, std::string password) {
  apiHost_ = std::move(host);
  apiUser_ = std::move(user);
  apiPassword_ = std::move(password);
}

void CloudDBMsgHandler::setKeyRequestTimeouts(long connectSeconds, long totalSeconds) {
  keyConnectTimeoutSeconds_ = connectSeconds;
  keyTotalTimeoutSeconds_ = totalSeconds;
}

void CloudDBMsgHandler::ProcessMessage(CKwNetwork* connection) {
  static constexpr char kTag[] = "ProcessMessage";
  if (connection == nullptr) {
    log_.Error(kTag, kNoConnection);
    return;
  }
  clouddb::entry::RequestFrame frame(*connection, log_, kTag);
  const CNMessageBase* received = frame.receiveLenient();
  if (received == nullptr) {
    return;
  }
  Dax::CloudDBServiceResp response;
  const MessageList& requests = received->getlistobject(Dax::CloudDBServiceReq::kRequests);
  if (requests.empty()) {
    // An envelope without a request is refused with a failed result rather than read past.
    log_.Error(kTag, kEmptyRequestList);
    response.mutableResult().setStatus(kFailedStatus);
  } else if (requests.front()->getTagID() == Dax::CloudDBServiceReq::kTagId) {
    // The registry makes every message as its typed class, so the tag id tells the class.
    const auto& request = static_cast<const Dax::CloudDBServiceReq&>(*requests.front());
    if (!Connect(request, response)) {
      log_.Debug(kTag, texts::kConnectFailedShort);
      // The peer must not read a failed connection as an empty success.
      response.mutableResult().setStatus(kFailedStatus);
    } else if (request.operation() == kCreateOperation) {
      CreateDB(request, response);
    } else {
      // Only creation is served; a request for anything else must not read as done.
      log_.Error(kTag, kOperationNotServed, static_cast<long long>(request.operation()));
      response.mutableResult().setStatus(kFailedStatus);
    }
  } else {
    log_.Error(kTag, kNotAServiceRequest, static_cast<unsigned>(requests.front()->getTagID()));
    response.mutableResult().setStatus(kFailedStatus);
  }
  frame.sendLenient(response);
}

bool CloudDBMsgHandler::Connect(const Dax::CloudDBServiceReq& request, Dax::CloudDBServiceResp& /*response*/) {
  static constexpr char kTag[] = "Connect";
  const Dax::CloudDBService* service = request.service();
  const Dax::CloudDBServiceDetails* details = service != nullptr ? service->details() : nullptr;
  const KwEntities::CloudInstanceEntity* instance = details != nullptr ? details->instance() : nullptr;

  std::string endpoint = service != nullptr ? service->getstring(Dax::CloudDBService::kEndpoint) : std::string();
  if (endpoint.empty()) endpoint = kDefaultServiceEndpoint;

  if (instance != nullptr && instance->kind() == kConfiguredInstanceKind && instance->instanceId() != 0) {
    vsAppMgr settings;
    if (settings.querySettingsForInstance(static_cast<std::uint64_t>(instance->instanceId())) != config::kOk) {
      log_.Debug(kTag, texts::kQuerySettingsFailed);
      return false;
    }
    std::vector<SHostCredentials> credentials;
    settings.getCredentials(credentials);
    if (!credentials.empty()) {
      if (apiUser_.empty()) apiUser_ = credentials.front().user;
      if (apiPassword_.empty()) apiPassword_ = credentials.front().password;
      apiHost_ = credentials.front().host;
    }
  }
  return provider_.Connect(endpoint, apiUser_, apiPassword_, ORACLE_DATABASE_CLASSIC);
}

int CloudDBMsgHandler::CreateDB(const Dax::CloudDBServiceReq& request, Dax::CloudDBServiceResp& response) {
  static constexpr char kTag[] = "CreateDB";
  const Dax::CloudDBService* requested = request.service();
  if (requested == nullptr || requested->details() == nullptr) {
    log_.DebugLvl(kTag, 0, texts::kNoDbConfiguration);
    response.mutableResult().setStatus(kFailedStatus);
    return 0;
  }
  const std::string keyName = requested->details()->publicKeyName();
  if (!GetPublicKey(keyName)) {
    log_.DebugLvl(kTag, 0, texts::kGetPublicKeyFailed, keyName.c_str());
    response.mutableResult().setStatus(kFailedStatus);
    return 0;
  }
  SOracleDBInstanceInfo record;
  if (!Serialize(requested, &record)) {
    response.mutableResult().setStatus(kFailedStatus);
    return 0;
  }
  const bool created = provider_.CreateDBInstance(record) == 1;
  if (!created) {
    log_.DebugLvl(kTag, 0, texts::kCreateDbInstanceFailed);
  }
  // The nodes are asked for even after a failed create: the log then shows what the cloud has.
  const std::string serviceName = requested->serviceName();
  std::vector<SOracleDBComputeNode> nodes;
  if (provider_.GetComputeNodeList(serviceName, nodes) != 1) {
    log_.DebugLvl(kTag, 0, texts::kComputeNodesFailed, serviceName.c_str());
    response.mutableResult().setStatus(kFailedStatus);
    return 0;
  }
  if (!created) {
    // A service of that name may exist already; its nodes are no proof that this request made it.
    response.mutableResult().setStatus(kFailedStatus);
    return 0;
  }
  Dax::CloudDBService answer(*requested);
  Serialize(nodes, &answer);
  response.addService(answer);
  return 1;
}
