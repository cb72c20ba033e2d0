#pragma once
// CGoogleSpannerInfo: one level of a Google Cloud account's Spanner inventory for the browse
// handler, leaving out what the platform already protects.
//
// Contract:
//  - One object serves one request: construct, PreviewGoogleSpanner, destroy. The preview runs
//    Init, GetCloudInfo, FetchCredentials and Connect itself; the bridge is released with the
//    object (the preview does not disconnect).
//  - The account is the virtual server that the client's properties name. Its key-file setting
//    holds a ".p12" file name, used as it stands with the stored password, or a wrapped key,
//    which is unwrapped into the key material; a wrapped key that does not unwrap ends the
//    credential fetch with a 774 failure and never reaches the cloud client.
//  - The path chooses the level: "" the Spanner instances of every project (type 50), "projects"
//    the projects (type 52), "project/instance" the databases of that instance (type 44). An
//    instance that a Spanner backup instance of the client already carries by name is left out,
//    whatever its project; so is a database that a subclient of the given backup instance
//    names. Any other path is a 774 failure.
//  - Failures are CLmError values of the Win32 kind: 774 for cloud and configuration failures,
//    13 for a client without a usable cloud account, 14 for an object that cannot be made.
//    Entities appended before a failure stay in the caller's entity.
#include <cstdint>
#include <memory>
#include <string>

#include "bridges/GoogleCloudSDKCppBridge.h"
#include "platform/CLmError.h"
#include "platform/messages/App.h"

class CGoogleSpannerInfo {
 public:
  CGoogleSpannerInfo() = default;
  virtual ~CGoogleSpannerInfo() = default;
  CGoogleSpannerInfo(const CGoogleSpannerInfo&) = delete;
  CGoogleSpannerInfo& operator=(const CGoogleSpannerInfo&) = delete;

  // Makes the cloud client.
  CLmError Init();
  // Finds the client's Google Cloud account (its virtual server); client 0 names none.
  CLmError GetCloudInfo(unsigned long clientId);
  // Reads the account's service account and key, unwrapping a wrapped key.
  CLmError FetchCredentials();
  CLmError Connect(const std::string& keyFile, const std::string& serviceAccountId, const std::string& keyPass);
  CLmError Connect();
  CLmError Disconnect();
  // Appends one level of the account's Spanner inventory, chosen by path, to entity's children.
  // instanceId is the Spanner backup instance whose subclients' databases are left out (0: none).
  CLmError PreviewGoogleSpanner(unsigned long clientId, unsigned long instanceId, const std::string& path,
                                App::CloudDBEntity& entity);

  // The account's virtual-server instance id (0 until GetCloudInfo finds one).
  std::uint64_t instanceId() const { return m_instanceId; }
  // The key file name, empty when the key came wrapped.
  const std::string& keyFile() const { return m_keyFile; }
  const std::string& serviceAccountId() const { return m_serviceAccountId; }
  // The key file's password, or the unwrapped key material.
  const std::string& keyPass() const { return m_keyPass; }

 private:
  // The levels of the preview; signature is the preview's, which its lines and errors carry.
  CLmError listProjects(App::CloudDBEntity& entity, const char* signature);
  CLmError listInstances(unsigned long clientId, App::CloudDBEntity& entity, const char* signature);
  CLmError listDatabases(unsigned long clientId, unsigned long instanceId, const std::string& project,
                         const std::string& instance, App::CloudDBEntity& entity, const char* signature);

  std::uint64_t m_instanceId = 0;
  std::string m_keyFile;
  std::string m_serviceAccountId;
  std::string m_keyPass;
  std::shared_ptr<GoogleCloudSDKCppBridge::CGoogleCloudSDKCppBridge> m_bridge;
};
