#pragma once
// CloudDBMsgHandler: serves one Oracle Cloud database-service request (CloudDBRemoteEntryPoint).
//
// ProcessMessage receives the request envelope, connects the classic provider with the account
// of the request's instance, and for operation 2 creates the service: it fetches the account's
// SSH public key over HTTPS (GetPublicKey), turns the request's service into the provider's
// record, creates it and answers with the request's service completed by its compute nodes.
// Any failure answers with the response's result status 1; the log says why. The handler lives
// for one call and keeps nothing afterwards.
#include <string>
#include <vector>

#include "bridges/CloudDBInfoStructs.h"
#include "clouddb/oracle/COracleCloudDBInfo.h"
#include "platform/CKwNetwork.h"
#include "platform/EvEvent.h"
#include "platform/messages/Dax.h"

class CloudDBMsgHandler {
 public:
  // The end point used when the request names none: the public database-service host.
  static constexpr char kDefaultServiceEndpoint[] = "dbaas.oraclecloud.com";
  // The key request gives up after these many seconds (connecting, and the whole exchange).
  static constexpr long kKeyConnectTimeoutSeconds = 15;
  static constexpr long kKeyTotalTimeoutSeconds = 60;

  CloudDBMsgHandler() = default;
  CloudDBMsgHandler(const CloudDBMsgHandler&) = delete;
  CloudDBMsgHandler& operator=(const CloudDBMsgHandler&) = delete;

  void ProcessMessage(CKwNetwork* connection);
  bool Connect(const Dax::CloudDBServiceReq& request, Dax::CloudDBServiceResp& response);
  int CreateDB(const Dax::CloudDBServiceReq& request, Dax::CloudDBServiceResp& response);
  // Fetches the public key of that name into publicKey(); true when it is not empty.
  bool GetPublicKey(std::string keyName);

  // Request to record; false (logged) when the service's capacity is not a 32-bit number.
  bool Serialize(const Dax::CloudDBService* service, CloudDBInfoStructs::SOracleDBInstanceInfo* record);
  // Record to message.
  void Serialize(const CloudDBInfoStructs::SOracleDBInstanceInfo* record, Dax::CloudDBService* service);
  // The compute nodes into the service's details.
  void Serialize(const std::vector<CloudDBInfoStructs::SOracleDBComputeNode>& nodes, Dax::CloudDBService* service);

  // The account the key is fetched from; Connect fills these from the instance's settings.
  void setApiAccount(std::string host, std::string user, std::string password);
  void setKeyRequestTimeouts(long connectSeconds, long totalSeconds);
  const std::string& publicKey() const { return publicKey_; }
  const std::string& authCookie() const { return authCookie_; }

 private:
  EvEvent log_;
  COracleCloudDBInfo provider_;
  std::string apiUser_;
  std::string apiPassword_;
  std::string apiHost_;
  std::string publicKey_;
  std::string authCookie_;
  long keyConnectTimeoutSeconds_ = kKeyConnectTimeoutSeconds;
  long keyTotalTimeoutSeconds_ = kKeyTotalTimeoutSeconds;
};
