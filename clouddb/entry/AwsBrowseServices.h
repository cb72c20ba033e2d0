#pragma once
// The four AWS services the browse handler serves, behind one face: credentials, the region to
// work in, the connect, the region list, one region's objects as tree nodes, and the preview.
// The handler makes all four once per request and drives whichever the instance type names.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bridges/VMInfoStructs.h"
#include "platform/CLmError.h"
#include "platform/EvEvent.h"
#include "platform/messages/App.h"

class CAmazonRDSInfo;
class CAmazonDynamoDBInfo;
class CAmazonRedshiftInfo;
class CAmazonDocumentDBInfo;

namespace clouddb::entry {

class AwsBrowseService {
 public:
  virtual ~AwsBrowseService() = default;
  virtual bool fetchInstanceCredentials(std::uint64_t instanceId) = 0;
  virtual bool fetchClientCredentials(std::uint64_t clientId) = 0;
  // Keys given with a preview request: the access key (or user) and the secret as stored.
  virtual void useKeys(const std::string& accessKey, const std::string& encryptedSecret) = 0;
  virtual void useRegion(const std::string& region) = 0;
  virtual bool connect() = 0;
  virtual bool listRegions(std::vector<VMInfoStructs::SDataCenterInfo>& out) = 0;
  // Appends one node per object of the region; a failed listing adds none.
  virtual void addRegionObjects(const std::string& region, App::CloudDBEntity& root, EvEvent& log,
                                const char* tag) = 0;
  virtual CLmError preview(std::uint64_t instanceId, std::vector<std::string>& regions, const std::string& contentXml,
                           App::CloudDBEntity& root) = 0;
  virtual CLmError previewForClient(std::vector<std::string>& regions, const std::string& contentXml,
                                    App::CloudDBEntity& root, std::uint64_t clientId) = 0;
};

class AwsBrowseServices {
 public:
  AwsBrowseServices();
  ~AwsBrowseServices();
  AwsBrowseServices(const AwsBrowseServices&) = delete;
  AwsBrowseServices& operator=(const AwsBrowseServices&) = delete;

  // The service of an AWS instance type (4, 22, 26, 27), or null for any other type.
  AwsBrowseService* forInstanceType(std::int64_t instanceType);

 private:
  std::unique_ptr<AwsBrowseService> rds_;
  std::unique_ptr<AwsBrowseService> dynamo_;
  std::unique_ptr<AwsBrowseService> redshift_;
  std::unique_ptr<AwsBrowseService> documentDB_;
};

}  // namespace clouddb::entry
