// Reads the platform configuration file (docs/platform-configuration.md) into its records.
// Each section has one reader; JsonFields keeps the first problem with its place in the file.
#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include "JsonFields.h"
#include "platform/HostKey.h"
#include "platform/config/KWGlobalParam.h"
#include "platform/PlatformConfiguration.h"

namespace {

using config::detail::elementPath;
using config::detail::JsonFields;
using config::detail::Problem;

// The members every instance has, whatever its kind.
void readInstanceIdentity(JsonFields& fields, config::InstanceRecord& record) {
  fields.requiredId("id", record.id);
  fields.requiredText("name", record.name);
  fields.optionalUnsigned("instanceType", record.instanceType);
  fields.optionalId("clientId", record.clientId);
  fields.optionalUnsigned("applicationType", record.applicationType);
}

void readCloudAppsMembers(JsonFields& fields, config::InstanceRecord& record) {
  if (!record.instanceType) fields.fail("instanceType", "is required for a cloudApps instance");
  fields.optionalText("accessKey", record.accessKey);
  fields.optionalSecret("secretKey", record.secretKey);
  fields.optionalTextList("regionEndPoints", record.regionEndPoints);
  fields.optionalText("azureSubscriptionId", record.azureSubscriptionId);
  fields.optionalText("azureTenantId", record.azureTenantId);
  fields.optionalText("azureUserName", record.azureUserName);
  fields.optionalSecret("azurePassword", record.azurePassword);
}

void readOracleCloudMembers(JsonFields& fields, config::InstanceRecord& record) {
  fields.optionalText("endpointUrl", record.endpointUrl);
  fields.optionalText("userName", record.userName);
  fields.optionalSecret("userPassword", record.userPassword);
}

void readOracleCloudInfraMembers(JsonFields& fields, config::InstanceRecord& record) {
  fields.optionalText("tenancyId", record.tenancyId);
  fields.optionalSecret("privateKeyPassword", record.privateKeyPassword);
  fields.optionalText("userId", record.userId);
  fields.optionalText("privateKeyFileName", record.privateKeyFileName);
  fields.optionalText("fingerprint", record.fingerprint);
  fields.optionalText("regionName", record.regionName);
}

config::InstanceRecord readInstance(const rapidjson::Value& value, std::string path, Problem& problem) {
  config::InstanceRecord record;
  JsonFields fields(value, std::move(path), problem);
  std::string kind;
  fields.requiredText("kind", kind);
  readInstanceIdentity(fields, record);
  if (fields.failed()) return record;
  if (kind == "cloudApps") {
    record.kind = config::InstanceKind::CloudApps;
    readCloudAppsMembers(fields, record);
  } else if (kind == "oracleCloud") {
    record.kind = config::InstanceKind::OracleCloud;
    readOracleCloudMembers(fields, record);
  } else if (kind == "oracleCloudInfra") {
    record.kind = config::InstanceKind::OracleCloudInfra;
    readOracleCloudInfraMembers(fields, record);
  } else {
    fields.fail("kind", "must be \"cloudApps\", \"oracleCloud\" or \"oracleCloudInfra\" (virtual servers have a section of their own)");
  }
  fields.finish();
  return record;
}

config::InstanceRecord readVirtualServer(const rapidjson::Value& value, std::string path, Problem& problem) {
  config::InstanceRecord record;
  record.kind = config::InstanceKind::VirtualServer;
  JsonFields fields(value, std::move(path), problem);
  readInstanceIdentity(fields, record);
  if (!fields.failed() && !record.instanceType) fields.fail("instanceType", "is required for a virtual server");
  fields.optionalText("host", record.host);
  fields.optionalText("user", record.user);
  fields.optionalSecret("password", record.password);
  fields.optionalText("amazonAccessKey", record.amazonAccessKey);
  fields.optionalSecret("amazonSecretKey", record.amazonSecretKey);
  fields.optionalText("alibabaAccessKey", record.alibabaAccessKey);
  fields.optionalSecret("alibabaSecretKey", record.alibabaSecretKey);
  fields.optionalText("azureSubscriptionId", record.azureSubscriptionId);
  fields.optionalText("azureTenantId", record.azureTenantId);
  fields.optionalText("googleServiceAccountId", record.googleServiceAccountId);
  fields.finish();
  return record;
}

config::CloudAppsCredentialsRecord readCloudAppsCredentials(const rapidjson::Value& value, std::string path,
                                                            Problem& problem) {
  config::CloudAppsCredentialsRecord record;
  JsonFields fields(value, std::move(path), problem);
  fields.optionalText("subscriptionId", record.subscriptionId);
  fields.optionalText("tenantId", record.tenantId);
  fields.optionalText("applicationId", record.applicationId);
  fields.optionalSecret("secret", record.secret);
  fields.finish();
  return record;
}

config::ClientProxyRecord readClientProxy(const rapidjson::Value& value, std::string path, Problem& problem) {
  config::ClientProxyRecord record;
  JsonFields fields(value, std::move(path), problem);
  fields.optionalBool("enabled", record.enabled);
  fields.optionalText("host", record.host);
  fields.optionalInteger("port", record.port);
  if (!fields.failed() && (record.port < 0 || record.port > 65535)) fields.fail("port", "must be between 0 and 65535");
  fields.optionalBool("authentication", record.authentication);
  fields.optionalText("user", record.user);
  fields.optionalSecret("password", record.password);
  fields.finish();
  return record;
}

config::ClientRecord readClient(const rapidjson::Value& value, std::string path, Problem& problem) {
  config::ClientRecord record;
  JsonFields fields(value, path, problem);
  fields.requiredId("id", record.id);
  fields.requiredText("name", record.name);
  fields.optionalText("accessKey", record.accessKey);
  fields.optionalSecret("secretKey", record.secretKey);
  fields.optionalId("cloudVirtualServerId", record.cloudVirtualServerId);
  if (const rapidjson::Value* credentials = fields.optionalMember("cloudAppsCredentials")) {
    record.cloudAppsCredentials = readCloudAppsCredentials(*credentials, path + ".cloudAppsCredentials", problem);
  }
  if (const rapidjson::Value* proxy = fields.optionalMember("httpProxy")) {
    record.httpProxy = readClientProxy(*proxy, path + ".httpProxy", problem);
  }
  fields.finish();
  return record;
}

config::SubclientRecord readSubclient(const rapidjson::Value& value, std::string path, std::uint64_t backupSetId,
                                      Problem& problem) {
  config::SubclientRecord record;
  record.backupSetId = backupSetId;
  JsonFields fields(value, std::move(path), problem);
  fields.requiredId("id", record.id);
  fields.requiredText("name", record.name);
  fields.optionalLines("dynamicContent", record.dynamicContent);
  fields.optionalLines("contentXml", record.contentXml);
  fields.optionalLines("subclientInfo", record.subclientInfo);
  fields.finish();
  return record;
}

// Reads one array section, element by element, with the element reader given.
template <typename Reader>
void readArray(JsonFields& parent, const char* name, Problem& problem, Reader readElement) {
  const rapidjson::Value* array = parent.optionalMember(name);
  if (array == nullptr || problem.found()) return;
  if (!array->IsArray()) return parent.fail(name, "must be an array");
  const std::string path = parent.path().empty() ? name : parent.path() + "." + name;
  for (rapidjson::SizeType i = 0; i < array->Size() && !problem.found(); ++i) {
    readElement((*array)[i], elementPath(path, i));
  }
}

void readBackupSet(const rapidjson::Value& value, const std::string& path, config::ConfigurationContents& contents,
                   Problem& problem) {
  config::BackupSetRecord record;
  JsonFields fields(value, path, problem);
  fields.requiredId("id", record.id);
  fields.requiredText("name", record.name);
  fields.optionalId("instanceId", record.instanceId);
  readArray(fields, "subclients", problem, [&](const rapidjson::Value& element, std::string elementPathText) {
    contents.subclients.push_back(readSubclient(element, std::move(elementPathText), record.id, problem));
  });
  fields.finish();
  contents.backupSets.push_back(std::move(record));
}

config::StoredHostCredential readHostCredential(const rapidjson::Value& value, std::string path, Problem& problem) {
  config::StoredHostCredential record;
  JsonFields fields(value, std::move(path), problem);
  std::optional<std::string> text;
  fields.optionalText("name", text);
  record.name = text.value_or("");
  text.reset();
  fields.optionalText("host", text);
  record.host = text.value_or("");
  text.reset();
  fields.optionalText("user", text);
  record.user = text.value_or("");
  fields.optionalSecret("password", record.password);
  std::int64_t kind = 0;
  fields.optionalInteger("kind", kind);
  if (!fields.failed() && kind <= 0) fields.fail("kind", "is required: a positive whole number (3 = HTTP proxy)");
  record.kind = static_cast<int>(kind);
  fields.finish();
  return record;
}

config::AppManagerSettingsRecord readAppManagerSettings(const rapidjson::Value& value, const std::string& path,
                                                        Problem& problem) {
  config::AppManagerSettingsRecord record;
  JsonFields fields(value, path, problem);
  fields.requiredId("instanceId", record.instanceId);
  readArray(fields, "credentials", problem, [&](const rapidjson::Value& element, std::string elementPathText) {
    record.credentials.push_back(readHostCredential(element, std::move(elementPathText), problem));
  });
  fields.finish();
  return record;
}

void readGlobalParameters(JsonFields& top, config::ConfigurationContents& contents) {
  const rapidjson::Value* parameters = top.optionalMember("globalParameters");
  if (parameters == nullptr) return;
  if (!parameters->IsObject()) return top.fail("globalParameters", "must be an object of names and values");
  for (auto member = parameters->MemberBegin(); member != parameters->MemberEnd(); ++member) {
    config::GlobalParameterRecord record;
    record.name.assign(member->name.GetString(), member->name.GetStringLength());
    if (member->value.IsString()) {
      std::string text(member->value.GetString(), member->value.GetStringLength());
      // The proxy password is a secret like the others: a clear one is refused, unrepeated.
      if (record.name == SENDLOGS_HTTP_PROXY_PASSWORD && !text.empty() && !text.starts_with(HostKey::kSecretPrefix)) {
        return top.fail("globalParameters." + record.name, config::detail::kSecretMustBeEncrypted);
      }
      record.value = std::move(text);
    } else if (member->value.IsInt64()) {
      record.value = member->value.GetInt64();
    } else {
      return top.fail("globalParameters." + record.name, "must be a text or a whole number");
    }
    contents.globalParameters.push_back(std::move(record));
  }
}

void readTopLevel(const rapidjson::Value& document, config::ConfigurationContents& contents, Problem& problem) {
  JsonFields top(document, "", problem);
  std::optional<std::string> description;
  top.optionalText("description", description);
  top.optionalText("machineName", contents.machineName);
  readArray(top, "instances", problem, [&](const rapidjson::Value& element, std::string path) {
    contents.instances.push_back(readInstance(element, std::move(path), problem));
  });
  readArray(top, "virtualServers", problem, [&](const rapidjson::Value& element, std::string path) {
    contents.instances.push_back(readVirtualServer(element, std::move(path), problem));
  });
  readArray(top, "clients", problem, [&](const rapidjson::Value& element, std::string path) {
    contents.clients.push_back(readClient(element, std::move(path), problem));
  });
  readArray(top, "backupSets", problem, [&](const rapidjson::Value& element, const std::string& path) {
    readBackupSet(element, path, contents, problem);
  });
  readGlobalParameters(top, contents);
  readArray(top, "appManagerSettings", problem, [&](const rapidjson::Value& element, const std::string& path) {
    contents.appManagerSettings.push_back(readAppManagerSettings(element, path, problem));
  });
  top.finish();
}

// "line 4, column 7" of a byte offset, for parse errors people can find.
std::string placeOf(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

CLmError PlatformConfiguration::LoadText(std::string_view json, std::string_view origin,
                                         std::unique_ptr<const PlatformConfiguration>& out) {
  rapidjson::Document document;
  // Iterative parsing: a hostile file of deep nesting cannot exhaust the stack.
  document.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag>(json.data(), json.size());
  if (document.HasParseError()) {
    return CLmError(kLoadFailureCode, std::string(origin) + ": " + placeOf(json, document.GetErrorOffset()) +
                                          ": " + rapidjson::GetParseError_En(document.GetParseError()));
  }
  if (!document.IsObject()) return CLmError(kLoadFailureCode, std::string(origin) + ": the file must hold one JSON object");

  config::ConfigurationContents contents;
  Problem problem;
  readTopLevel(document, contents, problem);
  if (problem.found()) return CLmError(kLoadFailureCode, std::string(origin) + ": " + problem.text);
  return FromContents(std::move(contents), origin, out);
}
