#include "clouddb/google/CGoogleSpannerInfo.h"

#include <algorithm>
#include <new>
#include <set>
#include <vector>

#include "clouddb/core/WrappedServiceKey.h"
#include "platform/FXErrorUtil.h"
#include "platform/FXString.h"
#include "platform/LogWriter.h"
#include "platform/config/ClientApplicationList.h"
#include "platform/config/ClientProperties.h"
#include "platform/config/CloudAppsInstance.h"
#include "platform/config/InstanceTypeVirtualServer.h"
#include "platform/config/Subclient.h"

namespace {

constexpr char kSourceUnit[] = "GoogleSpannerInfo";

// The operations' signatures, which tag their log lines and name their error locations; written
// out so that they read the same whatever compiler built the library.
namespace signatures {
constexpr char kInit[] = "CLmError CGoogleSpannerInfo::Init()";
constexpr char kGetCloudInfo[] = "CLmError CGoogleSpannerInfo::GetCloudInfo(long unsigned int)";
constexpr char kFetchCredentials[] = "CLmError CGoogleSpannerInfo::FetchCredentials()";
constexpr char kConnect[] = "CLmError CGoogleSpannerInfo::Connect(const string&, const string&, const string&)";
constexpr char kDisconnect[] = "CLmError CGoogleSpannerInfo::Disconnect()";
constexpr char kPreview[] =
    "CLmError CGoogleSpannerInfo::PreviewGoogleSpanner(long unsigned int, long unsigned int, const string&, "
    "App::CloudDBEntity&)";
}  // namespace signatures

constexpr std::int64_t kCloudFailure = 774;
constexpr std::int64_t kNoCloudAccount = 13;
constexpr std::int64_t kNotMade = 14;

constexpr std::uint64_t kCloudAppsApplicationType = 134;
constexpr std::uint64_t kSpannerInstanceType = 37;

constexpr std::int64_t kProjectEntity = 52;
constexpr std::int64_t kInstanceEntity = 50;
constexpr std::int64_t kDatabaseEntity = 44;

constexpr char kProjectsPath[] = "projects";
constexpr char kPathSeparator[] = "/";

constexpr int kDetailLevel = 3;
constexpr int kAlarmLevel = -1;

constexpr char kBridgeNotMade[] = "Failed to create the Google Cloud client";
constexpr char kVsIdFailed[] = "ClientProperties::getCloudVSInstanceID failed for client [%lu]";
constexpr char kGotVsId[] = "Got Client ID [%lu] VS instance id [%d], instance type not yet known";
constexpr char kTypeNotKnown[] = "Error, instance type not yet known";
constexpr char kTypeFailed[] = "Failed to get instance type for instance id [%d]";
constexpr char kAccountNotMade[] = "Failed to open the Google Cloud account of instance id [%lu]";
constexpr char kFetched[] = "Fetched P12Key [%s], UserId [%s]";
constexpr char kConnecting[] = "Connecting to P12Key [%s], UserId [%s], KeyPass [***NOT SHOWN***]";
constexpr char kConnected[] = "Google Cloud Connection Successful";
constexpr char kConnectFailed[] = "Google Cloud Connect Failed";
constexpr char kBridgeFailed[] = "%s failed, error [%s]";
constexpr char kDisconnectFailed[] = "Disconnect from Google Cloud failed";
constexpr char kInvalidPath[] = "Invalid content given for browse";
constexpr char kProjectsFailed[] = "Failed to retrieve project list";
constexpr char kInstancesFailed[] = "Failed to retrieve spanner instances list";
constexpr char kNoInstanceList[] = "Couldn't retrieve cloud apps instance list for the clientId : %ld";
constexpr char kInstanceListFailed[] = "Failed to retrieve cloud apps instance list for the clientId : %ld";
constexpr char kInstanceTypeFailed[] = "Failed to retrieve instanceType from the InstanceId : %ld";
constexpr char kInstanceNameFailed[] = "Failed to retrieve instance Name for InstanceId : %ld";
constexpr char kConfiguredInstance[] = "Configured Instance [%s] Id : [%ld]";
constexpr char kSkippingInstance[] = "Skipping Instance [%s] as it has been already configured for this client";
constexpr char kDatabasesFailed[] = "Failed to retrieve spanner database list";
constexpr char kBackupSetsFailed[] = "ClientApplicationList::getBackupSetList failed";
constexpr char kBackupSetId[] = "BackupSet ID: [%lu]";
constexpr char kSubclientsFailed[] = "ClientApplicationList::getSubclientList failed";
constexpr char kNoSubclientInfo[] = "Unable to obtain Spanner subclientInfo for SubclientID [%ld]";
constexpr char kUnserializeFailed[] = "unserialize failed for[%s]";
constexpr char kSkippingDatabase[] = "Skipping Database [%s] as it has been already configured for this Instance.";

CLmLocation at(const char* signature, int line) {
  return CLmLocation{kSourceUnit, signature, line};
}

long asLong(std::uint64_t id) {
  return static_cast<long>(id);
}

App::CloudDBEntity entityOf(std::int64_t type, std::string name, std::string detail) {
  App::CloudDBEntity entity;
  entity.setEntityType(type);
  entity.setName(std::move(name));
  entity.setRegion(std::move(detail));
  return entity;
}

// The names of the client's Spanner backup instances.
CLmError configuredInstanceNames(unsigned long clientId, std::set<std::string>& names, const char* signature) {
  std::vector<std::uint64_t> ids;
  std::vector<std::string> listedNames;
  if (ClientApplicationList(clientId, kCloudAppsApplicationType).getInstanceList(ids, listedNames) != config::kOk) {
    g_ptrLogWriter->LogMessage(kAlarmLevel, signature, __LINE__, kNoInstanceList, static_cast<long>(clientId));
    return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, kInstanceListFailed,
                                   static_cast<long>(clientId));
  }
  for (const std::uint64_t id : ids) {
    const CloudAppsInstance instance(id);
    std::uint64_t type = 0;
    if (instance.getInstanceType(type) != config::kOk) {
      return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, kInstanceTypeFailed, asLong(id));
    }
    if (type != kSpannerInstanceType) {
      continue;
    }
    std::string name;
    if (instance.getInstanceName(name) != config::kOk) {
      return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, kInstanceNameFailed, asLong(id));
    }
    g_ptrLogWriter->LogMessage(kDetailLevel, signature, __LINE__, kConfiguredInstance, name.c_str(), asLong(id));
    names.insert(std::move(name));
  }
  return {};
}

// The databases that the subclients of one Spanner backup instance of the client name. A
// subclient whose settings cannot be read names none; settings that do not parse are a failure.
CLmError configuredDatabaseNames(unsigned long clientId, unsigned long instanceId, std::set<std::string>& names,
                                 const char* signature) {
  const ClientApplicationList applications(clientId, kCloudAppsApplicationType);
  std::vector<std::uint64_t> backupSets;
  std::vector<std::string> backupSetNames;
  if (applications.getBackupSetList(instanceId, backupSets, backupSetNames) != config::kOk) {
    return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, "%s", kBackupSetsFailed);
  }
  for (const std::uint64_t backupSet : backupSets) {
    g_ptrLogWriter->LogMessage(kDetailLevel, signature, __LINE__, kBackupSetId, static_cast<unsigned long>(backupSet));
    std::vector<std::uint64_t> subclients;
    std::vector<std::string> subclientNames;
    if (applications.getSubclientList(backupSet, subclients, subclientNames) != config::kOk) {
      return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, "%s", kSubclientsFailed);
    }
    for (const std::uint64_t subclient : subclients) {
      std::string info;
      if (GoogleCloudSpannerSubclient(subclient).getSubclientInfo(info) != config::kOk) {
        g_ptrLogWriter->LogMessage(0, signature, __LINE__, kNoSubclientInfo, asLong(subclient));
        continue;
      }
      App::SpannerSubclientInfo settings;
      if (settings.unserialize(info).IsFailure()) {
        return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, kUnserializeFailed, info.c_str());
      }
      for (const App::SpannerContentEntry& entry : settings.entries()) {
        names.insert(entry.databaseName());
      }
    }
  }
  return {};
}

}  // namespace

CLmError CGoogleSpannerInfo::Init() {
  try {
    m_bridge = std::make_shared<GoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge>();
  } catch (const std::bad_alloc&) {
    return FXErrorUtil::ErrorWin32(at(signatures::kInit, __LINE__), kNotMade, "%s", kBridgeNotMade);
  }
  return {};
}

CLmError CGoogleSpannerInfo::GetCloudInfo(unsigned long clientId) {
  if (clientId == 0) {
    m_instanceId = 0;
    return {};
  }
  std::int64_t serverId = 0;
  if (ClientProperties(clientId).getCloudVSInstanceID(serverId) != config::kOk) {
    return FXErrorUtil::ErrorWin32(at(signatures::kGetCloudInfo, __LINE__), kNoCloudAccount, kVsIdFailed, clientId);
  }
  g_ptrLogWriter->LogMessage(0, signatures::kGetCloudInfo, __LINE__, kGotVsId, clientId, static_cast<int>(serverId));
  if (serverId < 1) {
    return FXErrorUtil::ErrorWin32(at(signatures::kGetCloudInfo, __LINE__), kNoCloudAccount, "%s", kTypeNotKnown);
  }
  std::uint64_t type = 0;
  if (InstanceTypeVirtualServer(static_cast<std::uint64_t>(serverId)).getInstanceType(type) != config::kOk) {
    return FXErrorUtil::ErrorWin32(at(signatures::kGetCloudInfo, __LINE__), kNoCloudAccount, kTypeFailed,
                                   static_cast<int>(serverId));
  }
  m_instanceId = static_cast<std::uint64_t>(serverId);
  return {};
}

CLmError CGoogleSpannerInfo::FetchCredentials() {
  const InstanceTypeVirtualServer server(m_instanceId);
  if (server.status() != config::kOk) {
    return FXErrorUtil::ErrorWin32(at(signatures::kFetchCredentials, __LINE__), kNotMade, kAccountNotMade,
                                   static_cast<unsigned long>(m_instanceId));
  }
  m_serviceAccountId.clear();
  m_keyFile.clear();
  m_keyPass.clear();
  // A setting that is not there leaves its value empty; the cloud then refuses the sign-in.
  server.getGoogleCloudServiceAccountId(m_serviceAccountId);
  server.getVirtualServerUser(m_keyFile);
  server.getVirtualServerPassword(m_keyPass, false);
  if (!clouddb::namesKeyFile(m_keyFile)) {
    // The setting holds the key itself, wrapped: it never travels on as it is.
    const std::string wrapped = std::move(m_keyFile);
    m_keyFile.clear();
    if (CLmError unwrapped = clouddb::unwrapServiceKey(wrapped, m_keyPass); unwrapped.IsFailure()) {
      return unwrapped.Push(at(signatures::kFetchCredentials, __LINE__));
    }
  }
  g_ptrLogWriter->LogMessage(0, signatures::kFetchCredentials, __LINE__, kFetched, m_keyFile.c_str(),
                             m_serviceAccountId.c_str());
  return {};
}

CLmError CGoogleSpannerInfo::Connect(const std::string& keyFile, const std::string& serviceAccountId,
                                     const std::string& keyPass) {
  m_keyFile = keyFile;
  m_serviceAccountId = serviceAccountId;
  m_keyPass = keyPass;
  g_ptrLogWriter->LogMessage(0, signatures::kConnect, __LINE__, kConnecting, m_keyFile.c_str(),
                             m_serviceAccountId.c_str());
  if (!m_bridge) {
    if (CLmError made = Init(); made.IsFailure()) {
      return made.Push(at(signatures::kConnect, __LINE__));
    }
  }
  if (!m_bridge->Connect(m_keyFile, m_serviceAccountId, m_keyPass)) {
    g_ptrLogWriter->LogMessage(0, signatures::kConnect, __LINE__, kBridgeFailed, "CGoogleCloudSDKCppBridge::Connect",
                               m_bridge->GetLastError().c_str());
    return FXErrorUtil::ErrorWin32(at(signatures::kConnect, __LINE__), kCloudFailure, "%s", kConnectFailed);
  }
  g_ptrLogWriter->LogMessage(0, signatures::kConnect, __LINE__, "%s", kConnected);
  return {};
}

CLmError CGoogleSpannerInfo::Connect() {
  return Connect(m_keyFile, m_serviceAccountId, m_keyPass);
}

CLmError CGoogleSpannerInfo::Disconnect() {
  if (m_bridge && !m_bridge->Disconnect()) {
    return FXErrorUtil::ErrorWin32(at(signatures::kDisconnect, __LINE__), kCloudFailure, "%s", kDisconnectFailed);
  }
  return {};
}

CLmError CGoogleSpannerInfo::PreviewGoogleSpanner(unsigned long clientId, unsigned long instanceId,
                                                  const std::string& path, App::CloudDBEntity& entity) {
  const char* const signature = signatures::kPreview;
  CLmError result = Init();
  if (result.IsSuccess()) result = GetCloudInfo(clientId);
  if (result.IsSuccess()) result = FetchCredentials();
  if (result.IsSuccess()) result = Connect();
  if (result.IsFailure()) {
    return result.Push(at(signature, __LINE__));
  }

  if (path.empty()) {
    return listInstances(clientId, entity, signature);
  }
  if (path == kProjectsPath) {
    return listProjects(entity, signature);
  }
  // Only "project/instance" names an instance. The separators are counted before anything is
  // split, so that a path of many of them costs no more than its own length.
  if (std::count(path.begin(), path.end(), kPathSeparator[0]) != 1) {
    return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, "%s", kInvalidPath);
  }
  return listDatabases(clientId, instanceId, std::string(*FXString::Segment(path, kPathSeparator[0], 0)),
                       std::string(*FXString::Segment(path, kPathSeparator[0], 1)), entity, signature);
}

CLmError CGoogleSpannerInfo::listProjects(App::CloudDBEntity& entity, const char* signature) {
  std::vector<GoogleCloudSDKWrapper::SProjectInfoLib> projects;
  if (!m_bridge->ListProjects(projects)) {
    g_ptrLogWriter->LogMessage(0, signature, __LINE__, kBridgeFailed, "ListProjects", m_bridge->GetLastError().c_str());
    return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, "%s", kProjectsFailed);
  }
  for (const GoogleCloudSDKWrapper::SProjectInfoLib& project : projects) {
    entity.addChild(entityOf(kProjectEntity, project.projectId, project.displayName));
  }
  return {};
}

CLmError CGoogleSpannerInfo::listInstances(unsigned long clientId, App::CloudDBEntity& entity, const char* signature) {
  std::vector<GoogleCloudSDKWrapper::SSpannerInstanceInfoLib> instances;
  if (!m_bridge->GetSpannerInstancesList("", instances)) {
    g_ptrLogWriter->LogMessage(0, signature, __LINE__, kBridgeFailed, "GetSpannerInstancesList",
                               m_bridge->GetLastError().c_str());
    return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, "%s", kInstancesFailed);
  }
  std::set<std::string> configured;
  if (CLmError error = configuredInstanceNames(clientId, configured, signature); error.IsFailure()) {
    return error;
  }
  for (const GoogleCloudSDKWrapper::SSpannerInstanceInfoLib& instance : instances) {
    if (configured.contains(instance.name)) {
      g_ptrLogWriter->LogMessage(0, signature, __LINE__, kSkippingInstance, instance.name.c_str());
      continue;
    }
    entity.addChild(entityOf(kInstanceEntity, instance.name, instance.displayName));
  }
  return {};
}

CLmError CGoogleSpannerInfo::listDatabases(unsigned long clientId, unsigned long instanceId, const std::string& project,
                                           const std::string& instance, App::CloudDBEntity& entity,
                                           const char* signature) {
  std::vector<GoogleCloudSDKWrapper::SSpannerDatabaseInfoLib> databases;
  if (!m_bridge->GetSpannerDatabasesList(project, instance, databases)) {
    g_ptrLogWriter->LogMessage(0, signature, __LINE__, kBridgeFailed, "GetSpannerDatabasesList",
                               m_bridge->GetLastError().c_str());
    return FXErrorUtil::ErrorWin32(at(signature, __LINE__), kCloudFailure, "%s", kDatabasesFailed);
  }
  std::set<std::string> configured;
  if (instanceId != 0) {
    if (CLmError error = configuredDatabaseNames(clientId, instanceId, configured, signature); error.IsFailure()) {
      return error;
    }
  }
  for (const GoogleCloudSDKWrapper::SSpannerDatabaseInfoLib& database : databases) {
    if (configured.contains(database.name)) {
      g_ptrLogWriter->LogMessage(0, signature, __LINE__, kSkippingDatabase, database.name.c_str());
      continue;
    }
    entity.addChild(entityOf(kDatabaseEntity, database.name, database.project + kPathSeparator + database.instance));
  }
  return {};
}
