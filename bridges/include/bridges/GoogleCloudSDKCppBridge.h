#pragma once
// CGoogleCloudSDKCppBridge: the Google Cloud client (Cloud SQL, projects, Spanner).
//
// One object serves one provider and one thread. Connect signs in to one Google account of the
// installed cloud simulator with a service account and its key (a ".p12" key file and its
// password, or no file and the key material itself); the listings then see that account's
// projects, Spanner instances and Cloud SQL instances (RefreshDBInstanceInfoList runs the query
// and keeps its result, GetDBInstanceInfoList appends a slice of it). Operations answer true on success; GetLastError gives the
// text of the last call's failure (empty after a success). The list operations replace the
// caller's list, and leave it empty when they fail. Arguments and texts are described in
// docs/cloud-fixture.md.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bridges/RDSInfoStructs.h"

namespace GoogleCloudSDKWrapper {

// One project.
struct SProjectInfoLib {
  std::string projectId;     // text 1
  std::string displayName;   // text 2
  std::string projectNumber;
};

// One Spanner instance.
struct SSpannerInstanceInfoLib {
  std::string name;           // text 1
  std::string project;
  std::string config;         // "regional-us-central1"
  std::string state;          // "READY"
  std::int64_t nodeCount = 0;
  std::string displayName;    // the text after the four texts and the number
  std::string processingUnits;
};

// One Spanner database.
struct SSpannerDatabaseInfoLib {
  std::string name;  // text 1
  std::string state;
  std::string createTime;
  std::string project;   // text 4
  std::string instance;  // text 5
  std::string versionRetentionPeriod;
  std::string earliestVersionTime;
  std::string databaseDialect;
  std::string defaultLeader;
};

}  // namespace GoogleCloudSDKWrapper

namespace GoogleCloudSDKCppBridge {

class CGoogleCloudSDKCppBridge {
 public:
  CGoogleCloudSDKCppBridge();
  ~CGoogleCloudSDKCppBridge();
  CGoogleCloudSDKCppBridge(const CGoogleCloudSDKCppBridge&) = delete;
  CGoogleCloudSDKCppBridge& operator=(const CGoogleCloudSDKCppBridge&) = delete;

  // keyFile: a ".p12" file name, or empty when keyPassword holds the key material.
  bool Connect(const std::string& keyFile, const std::string& serviceAccountId, const std::string& keyPassword);
  bool Disconnect();
  std::string GetLastError() const;

  bool RefreshDBInstanceInfoList(unsigned long long first, int count);
  bool GetDBInstanceInfoList(std::vector<RDSInfoStructs::SDBInstanceInfo>& out, unsigned long long first, int count);

  bool ListProjects(std::vector<GoogleCloudSDKWrapper::SProjectInfoLib>& out);
  // An empty project lists the instances of every project of the account.
  bool GetSpannerInstancesList(const std::string& project, std::vector<GoogleCloudSDKWrapper::SSpannerInstanceInfoLib>& out);
  bool GetSpannerDatabasesList(const std::string& project, const std::string& instance,
                               std::vector<GoogleCloudSDKWrapper::SSpannerDatabaseInfoLib>& out);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace GoogleCloudSDKCppBridge
