#pragma once
// The records of the platform configuration, as loaded from the configuration file
// (docs/platform-configuration.md gives the file format). Plain values; an optional member that
// is empty was not given in the file, which the configuration objects report as "not set".
//
// Secrets (every member commented "secret") hold the stored text "enc:v1:..." sealed with the
// host key; the loader refuses a secret that is not in that form, so clear text never sits in a
// configuration file unnoticed.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace config {

enum class InstanceKind { CloudApps, VirtualServer, OracleCloud, OracleCloudInfra };

// One instance of any kind. The loader accepts only the members of the record's kind.
struct InstanceRecord {
  std::uint64_t id = 0;
  InstanceKind kind = InstanceKind::CloudApps;
  std::string name;
  std::optional<std::uint64_t> instanceType;
  std::optional<std::uint64_t> clientId;         // the client the instance belongs to
  std::optional<std::uint64_t> applicationType;  // the agent type it is configured under (134: cloud apps)

  // Cloud-application instances (RDS, DynamoDB, DocumentDB, Redshift, Azure, Spanner).
  std::optional<std::string> accessKey;
  std::optional<std::string> secretKey;  // secret
  std::optional<std::vector<std::string>> regionEndPoints;
  std::optional<std::string> azureSubscriptionId;
  std::optional<std::string> azureTenantId;
  std::optional<std::string> azureUserName;  // the service principal's application id
  std::optional<std::string> azurePassword;  // secret

  // Virtual servers (the cloud accounts of relational inventory: Amazon, Azure, Google, Alibaba).
  std::optional<std::string> host;
  std::optional<std::string> user;
  std::optional<std::string> password;  // secret
  std::optional<std::string> amazonAccessKey;
  std::optional<std::string> amazonSecretKey;  // secret
  std::optional<std::string> alibabaAccessKey;
  std::optional<std::string> alibabaSecretKey;  // secret
  std::optional<std::string> googleServiceAccountId;
  // azureSubscriptionId and azureTenantId above serve virtual servers too.

  // Oracle Cloud classic instances.
  std::optional<std::string> endpointUrl;
  std::optional<std::string> userName;
  std::optional<std::string> userPassword;  // secret

  // Oracle Cloud Infrastructure instances.
  std::optional<std::string> tenancyId;
  std::optional<std::string> privateKeyPassword;  // secret
  std::optional<std::string> userId;
  std::optional<std::string> privateKeyFileName;
  std::optional<std::string> fingerprint;
  std::optional<std::string> regionName;
};

// The service-principal credentials of a client, handed out as the credentials message.
struct CloudAppsCredentialsRecord {
  std::optional<std::string> subscriptionId;
  std::optional<std::string> tenantId;
  std::optional<std::string> applicationId;
  std::optional<std::string> secret;  // secret
};

// The HTTP proxy the platform answers for a client.
struct ClientProxyRecord {
  bool enabled = false;
  std::optional<std::string> host;
  std::int64_t port = 0;
  bool authentication = false;
  std::optional<std::string> user;
  std::optional<std::string> password;  // secret
};

struct ClientRecord {
  std::uint64_t id = 0;
  std::string name;
  std::optional<std::string> accessKey;
  std::optional<std::string> secretKey;  // secret
  std::optional<std::uint64_t> cloudVirtualServerId;
  std::optional<CloudAppsCredentialsRecord> cloudAppsCredentials;
  std::optional<ClientProxyRecord> httpProxy;
};

struct BackupSetRecord {
  std::uint64_t id = 0;
  std::string name;
  std::optional<std::uint64_t> instanceId;  // the instance that owns the backup set
};

struct SubclientRecord {
  std::uint64_t id = 0;
  std::string name;
  std::uint64_t backupSetId = 0;
  std::optional<std::string> dynamicContent;  // content rules: one CloudDBEntity as XML
  std::optional<std::string> contentXml;      // Oracle content message as XML
  std::optional<std::string> subclientInfo;   // Spanner subclient settings as XML
};

// A host credential record as stored: the password is a secret (or empty).
struct StoredHostCredential {
  std::string name;
  std::string host;
  std::string user;
  std::string password;  // secret or empty
  int kind = 1;
};

struct AppManagerSettingsRecord {
  std::uint64_t instanceId = 0;
  std::vector<StoredHostCredential> credentials;
};

using GlobalValue = std::variant<std::string, std::int64_t>;

struct GlobalParameterRecord {
  std::string name;
  GlobalValue value;
};

// Everything one configuration file holds, in file order.
struct ConfigurationContents {
  std::optional<std::string> machineName;
  std::vector<InstanceRecord> instances;  // all kinds, virtual servers included
  std::vector<ClientRecord> clients;
  std::vector<BackupSetRecord> backupSets;
  std::vector<SubclientRecord> subclients;
  std::vector<GlobalParameterRecord> globalParameters;
  std::vector<AppManagerSettingsRecord> appManagerSettings;
};

}  // namespace config
