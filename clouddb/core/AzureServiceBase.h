#pragma once
// AzureServiceBase: what the Azure storage providers (Table storage, Cosmos DB) share: the
// service principal's credentials read for a backup instance or a client, the cloud client that
// the instance type needs, its connect, the account listing as browse nodes, and the access
// information of one storage account.
//
// Contract:
//  - One object serves one request: made for an instance type, credentials fetched, connected,
//    used, destroyed. Type 32 (Table storage) owns the Azure resource client, type 23 (Cosmos DB)
//    the database account client, any other type neither.
//  - The virtual operations below are the provider table, in slot order; do not reorder them.
//  - Integer results: 1 = success, 0 = failure. Nothing throws; the clear secret never reaches a
//    log line and is wiped when the object dies.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bridges/AzureSDKCppBridge.h"
#include "bridges/CloudSDKCppBridge.h"
#include "platform/EvEvent.h"
#include "platform/config/SHostCredentials.h"
#include "platform/messages/App.h"

class AzureServiceBase {
 public:
  // The instance types these providers serve.
  static constexpr std::int64_t kCosmosSqlInstanceType = 23;
  static constexpr std::int64_t kTableStorageInstanceType = 32;
  // The login joins subscription and tenant with this separator.
  static constexpr char kLoginSeparator[] = "\\";

  explicit AzureServiceBase(std::int64_t instanceType);
  AzureServiceBase(const AzureServiceBase&) = delete;
  AzureServiceBase& operator=(const AzureServiceBase&) = delete;

  // --- The provider table, in slot order. ---
  virtual ~AzureServiceBase();
  // Subscription, application id, secret and tenant of a backup instance, and its proxy entries.
  virtual int FetchCredentials(unsigned long instanceId);
  // The same from a client's cloud-application credentials; the proxy from the global settings.
  virtual int FetchClientCredentials(unsigned long clientId);
  // Names the host's focus, application and job to the clients, once per object.
  virtual int Init();
  virtual int DeInit();
  // Connects with the fetched credentials and proxy entries.
  virtual int Connect();
  virtual int Connect(const std::string& login, const std::string& user, const std::string& password);
  // As above, through the first HTTP proxy entry (kind 3) whose host is not the lone ":".
  virtual int Connect(const std::string& login, const std::string& user, const std::string& password,
                      const std::vector<SHostCredentials>& proxies);

  // The subscription's database accounts (true) or storage accounts (false) as children of
  // parent (type 52 nodes); 1 = listed, 0 = failed.
  int BrowseAccounts(bool databaseAccounts, App::CloudDBEntity& parent);
  int BrowseStorageAccounts(App::CloudDBEntity& parent) { return BrowseAccounts(false, parent); }
  // The storage account's Table endpoint and access key; 1 only when both are filled.
  int GetStorageAccountAuthenticationInfo(const std::string& account, std::string& first, std::string& second);
  // The last error text of the database account client (true) or the resource client (false).
  std::string GetLastErrorString(bool databaseClient) const;

  std::int64_t instanceType() const { return m_instanceType; }
  std::uint64_t instanceId() const { return m_instanceId; }

 protected:
  EvEvent& log() { return m_log; }
  // Null when the object was made for the other kind of account.
  AzureSDKCppBridge::CAzureSDKCppBridge* resourceClient() { return m_azureClient.get(); }
  CloudSDKCppBridge::CCloudSDKCppBridge* databaseClient() { return m_databaseClient.get(); }
  // Keeps the given credentials as the connection's and logs the connect line (no secret).
  void rememberConnection(const std::string& login, const std::string& user, const std::string& password);
  // The first HTTP proxy entry (kind 3) whose host is not the lone ":", logged as the one the
  // connect goes through; null when there is none.
  const SHostCredentials* firstUsableProxy(const std::vector<SHostCredentials>& proxies);
  // Logs the cloud's reason for a refused connect, with the secret masked.
  void logRefusal(const std::string& reason);
  // After a client was handed the proxy (taken: its answer, reason: its last error): true when
  // it refused it, with the refusal and the connect's failure and end lines logged. The connect
  // must then not go on: made without the proxy, it would go around it.
  bool proxyRefused(bool taken, const std::string& reason, const SHostCredentials& proxy);

  EvEvent m_log;
  std::string m_subscriptionId;
  std::string m_login;  // subscription, backslash, tenant: as the last connect signed in
  std::string m_tenantId;
  std::string m_applicationId;
  std::string m_secret;           // as stored (encrypted)
  std::string m_decryptedSecret;  // in clear text
  std::vector<SHostCredentials> m_proxyCredentials;
  std::int64_t m_instanceType;
  std::uint64_t m_instanceId = 0;

 private:
  // The clear text of the stored secret; false (logged) when a configured secret does not open.
  bool openSecret(const char* tag, const char* entryKind, std::uint64_t entryId, const char* setting);
  // The reads of FetchCredentials, stopping at the first that fails (after logging it).
  bool fetchInstanceCredentials(unsigned long instanceId);

  std::unique_ptr<AzureSDKCppBridge::CAzureSDKCppBridge> m_azureClient;
  std::unique_ptr<CloudSDKCppBridge::CCloudSDKCppBridge> m_databaseClient;
  bool m_initialised = false;
};
