// The Google bridge's project and Spanner listings over the signed-in account.
#include <algorithm>

#include "GoogleBridgeState.h"
#include "bridges/GoogleCloudSDKCppBridge.h"

namespace GoogleCloudSDKCppBridge {
namespace {

constexpr const char* kResourceManagerHost = "cloudresourcemanager.googleapis.com";
constexpr const char* kSpannerHost = "spanner.googleapis.com";
constexpr const char* kInstanceState = "READY";
constexpr const char* kDatabaseState = "READY";
constexpr const char* kVersionRetentionPeriod = "1h";
constexpr const char* kDatabaseDialect = "GOOGLE_STANDARD_SQL";

bool hasProject(const cloudsim::GoogleAccount& account, const std::string& project) {
  return std::any_of(account.projects.begin(), account.projects.end(),
                     [&](const cloudsim::NamedItem& item) { return item.name == project; });
}

cloudsim::CallFailure projectNotFound(const std::string& project) {
  return "NOT_FOUND: Project not found: projects/" + project;
}

GoogleCloudSDKWrapper::SSpannerInstanceInfoLib instanceRecord(const cloudsim::GoogleSpannerInstance& instance) {
  GoogleCloudSDKWrapper::SSpannerInstanceInfoLib record;
  record.name = instance.name;
  record.project = instance.project;
  record.config = instance.config;
  record.state = kInstanceState;
  record.nodeCount = instance.nodeCount;
  record.displayName = instance.displayName;
  record.processingUnits = std::to_string(instance.nodeCount * 1000);
  return record;
}

GoogleCloudSDKWrapper::SSpannerDatabaseInfoLib databaseRecord(const cloudsim::GoogleSpannerInstance& instance,
                                                              const std::string& database) {
  GoogleCloudSDKWrapper::SSpannerDatabaseInfoLib record;
  record.name = database;
  record.state = kDatabaseState;
  record.project = instance.project;
  record.instance = instance.name;
  record.versionRetentionPeriod = kVersionRetentionPeriod;
  record.databaseDialect = kDatabaseDialect;
  return record;
}

}  // namespace

bool CGoogleCloudSDKCppBridge::ListProjects(std::vector<GoogleCloudSDKWrapper::SProjectInfoLib>& out) {
  out.clear();
  return state_->callService("ListProjects", {}, kResourceManagerHost,
                             [&](const cloudsim::GoogleAccount& account) -> cloudsim::CallFailure {
                               for (const cloudsim::NamedItem& project : account.projects) {
                                 // The fixture does not model project numbers.
                                 out.push_back({project.name, project.detail, {}});
                               }
                               return std::nullopt;
                             });
}

bool CGoogleCloudSDKCppBridge::GetSpannerInstancesList(
    const std::string& project, std::vector<GoogleCloudSDKWrapper::SSpannerInstanceInfoLib>& out) {
  out.clear();
  return state_->callService("GetSpannerInstancesList", {project}, kSpannerHost,
                             [&](const cloudsim::GoogleAccount& account) -> cloudsim::CallFailure {
                               if (!project.empty() && !hasProject(account, project)) return projectNotFound(project);
                               for (const cloudsim::GoogleSpannerInstance& instance : account.spannerInstances) {
                                 if (project.empty() || instance.project == project)
                                   out.push_back(instanceRecord(instance));
                               }
                               return std::nullopt;
                             });
}

bool CGoogleCloudSDKCppBridge::GetSpannerDatabasesList(
    const std::string& project, const std::string& instance,
    std::vector<GoogleCloudSDKWrapper::SSpannerDatabaseInfoLib>& out) {
  out.clear();
  return state_->callService("GetSpannerDatabasesList", {project, instance}, kSpannerHost,
                             [&](const cloudsim::GoogleAccount& account) -> cloudsim::CallFailure {
                               if (project.empty() || instance.empty()) {
                                 return std::string("INVALID_ARGUMENT: a project and an instance must be named");
                               }
                               if (!hasProject(account, project)) return projectNotFound(project);
                               const auto found =
                                   std::find_if(account.spannerInstances.begin(), account.spannerInstances.end(),
                                                [&](const cloudsim::GoogleSpannerInstance& item) {
                                                  return item.project == project && item.name == instance;
                                                });
                               if (found == account.spannerInstances.end()) {
                                 return "NOT_FOUND: Instance not found: projects/" + project + "/instances/" + instance;
                               }
                               for (const std::string& database : found->databases)
                                 out.push_back(databaseRecord(*found, database));
                               return std::nullopt;
                             });
}

}  // namespace GoogleCloudSDKCppBridge
