// The exported functions: each runs one frame around one operation and keeps every exception in.
#include "clouddb/entry/EntryPoints.h"

#include <memory>

#include "clouddb/aws/CAmazonDocumentDBInfo.h"
#include "clouddb/aws/CAmazonRDSInfo.h"
#include "clouddb/aws/CAmazonRedshiftInfo.h"
#include "clouddb/entry/BrowseInventoryHandler.h"
#include "clouddb/entry/EntryGuard.h"
#include "clouddb/entry/InProcessTexts.h"
#include "clouddb/entry/RequestFrame.h"
#include "clouddb/inventory/InventoryDiscovery.h"
#include "clouddb/oracle/CloudDBMsgHandler.h"
#include "clouddb/oracle/OracleCloudTree.h"
#include "clouddb/oracle/OracleInstanceList.h"
#include "platform/config/vsAppMgr.h"
#include "platform/messages/Dax.h"
#include "platform/messages/EVGui.h"

using clouddb::entry::guardEntry;
using clouddb::entry::RequestFrame;
namespace texts = clouddb::entry::texts;

namespace {

constexpr char kMissingConnection[] = "No host connection was given";
constexpr char kExpansionNotFinished[] = "The content expansion did not finish";
constexpr char kInventoryFailedWithoutReason[] = "The relational inventory discovery failed";

// Puts the discovery's outcome into an inventory response. A success carries the list alone:
// the text a retried rate limit left behind is history, and an error record beside the list
// would make the console take a complete answer for a failure. A failure always carries the
// error record, also when no text came with it, so that it cannot pass for an empty account.
void fillInventoryResponse(App::BrowseRDSInventoryResp& response, bool succeeded,
                           const std::vector<App::RDSDBInstance>& instances, const std::string& errorText) {
  if (succeeded) {
    // The list replaces whatever the caller's response held: a reused response must not carry
    // an earlier answer's instances.
    response.clear(App::BrowseRDSInventoryResp::kInstances);
    for (const App::RDSDBInstance& instance : instances) {
      response.addInstance(instance);
    }
    return;
  }
  App::ErrorRecord& error = response.mutableError();
  error.setErrorCode(1);
  error.setErrorMessage(errorText.empty() ? std::string(kInventoryFailedWithoutReason) : errorText);
}

// The in-process frame: the provider made on the heap for this call, one operation on it, and
// on failure the operation's level-0 line, which logFailure writes; the provider is gone before
// the entry point returns.
template <typename Provider, typename Operation, typename LogFailure>
void runInProcess(const char* tag, Operation operation, LogFailure logFailure) {
  guardEntry(tag, [&] {
    EvEvent log;
    auto provider = std::make_unique<Provider>();
    const CLmError error = operation(*provider);
    if (error.IsFailure()) {
      logFailure(log, error.AsString());
    }
  });
}

}  // namespace

extern "C" {

void DiscoverRDSInventory(CKwNetwork* connection, ULONGLONG /*unused*/) {
  static constexpr char kTag[] = "DiscoverRDSInventory";
  guardEntry(kTag, [&] {
    EvEvent log;
    if (connection == nullptr) {
      log.Error(kTag, kMissingConnection);
      return;
    }
    App::BrowseRDSInventoryResp response;
    RequestFrame frame(*connection, log, kTag);
    CNMessageBase* received = frame.receiveStrict(App::BrowseRDSInventoryReq::kTagId);
    if (received == nullptr) {
      return;
    }
    // The frame checked the tag id, and the registry makes every message as its typed class.
    auto* request = static_cast<App::BrowseRDSInventoryReq*>(received);
    std::vector<App::RDSDBInstance> instances;
    std::string errorText;
    std::string firstQualifier;
    std::string secondQualifier;
    const bool succeeded = clouddb::inventory::DiscoverRDSInventoryCommon(request, instances, log, errorText,
                                                                          firstQualifier, secondQualifier);
    fillInventoryResponse(response, succeeded, instances, errorText);
    frame.sendStrict(response, true);
  });
}

void DiscoverRDSInventoryLocal(App::BrowseRDSInventoryReq* request, App::BrowseRDSInventoryResp* response,
                               std::string firstFilter, std::string secondFilter) {
  static constexpr char kTag[] = "DiscoverRDSInventoryLocal";
  guardEntry(kTag, [&] {
    // The host's application manager stays up for the whole call; the providers use it.
    vsAppMgr applicationManager;
    EvEvent log;
    if (request == nullptr || response == nullptr) {
      log.Error(kTag, texts::kNullInventoryRequest);
      return;
    }
    std::vector<App::RDSDBInstance> instances;
    std::string errorText;
    const bool succeeded =
        clouddb::inventory::DiscoverRDSInventoryCommon(request, instances, log, errorText, firstFilter, secondFilter);
    fillInventoryResponse(*response, succeeded, instances, errorText);
  });
}

void BrowseInventoryHandler(CKwNetwork* connection, ULONGLONG /*unused*/) {
  static constexpr const char* kTag = clouddb::entry::kBrowseInventoryHandlerTag;
  guardEntry(kTag, [&] {
    EvEvent log;
    if (connection == nullptr) {
      log.Error(kTag, kMissingConnection);
      return;
    }
    RequestFrame frame(*connection, log, kTag);
    const CNMessageBase* received = frame.receiveLenient();
    if (received == nullptr) {
      return;
    }
    App::BrowseInventoryResp response;
    response.mutableError().setErrorCode(0);
    clouddb::entry::ProcessBrowseInventoryRequest(*received, response, log);
    frame.sendLenient(response);
  });
}

void GetOracleCloudInstanceTree(CKwNetwork* connection, ULONGLONG /*unused*/) {
  static constexpr char kTag[] = "GetOracleCloudInstanceTree";
  guardEntry(kTag, [&] {
    EvEvent log;
    if (connection == nullptr) {
      log.Error(kTag, kMissingConnection);
      return;
    }
    EVGui::OracleCloudTreeResp response;
    RequestFrame frame(*connection, log, kTag);
    const CNMessageBase* received = frame.receiveStrict(EVGui::OracleCloudTreeReq::kTagId);
    if (received == nullptr) {
      return;
    }
    // The frame checked the tag id; the tree response has no error record, the log says why.
    clouddb::oracle::BuildOracleCloudTree(static_cast<const EVGui::OracleCloudTreeReq&>(*received), response, log);
    frame.sendStrict(response, false);
  });
}

void CloudDBRemoteEntryPoint(CKwNetwork* connection) {
  static constexpr char kTag[] = "CloudDBRemoteEntryPoint";
  guardEntry(kTag, [&] {
    EvEvent log;
    if (connection == nullptr) {
      log.Error(kTag, kMissingConnection);
      return;
    }
    CloudDBMsgHandler handler;
    handler.ProcessMessage(connection);
  });
}

void GetOracleCloudInstanceList(ULONGLONG instanceId, std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>& services) {
  guardEntry(clouddb::oracle::kOracleInstanceListTag, [&] {
    EvEvent log;
    clouddb::oracle::ListOracleCloudServices(instanceId, services, log);
  });
}

void DiscoverRDSNewInventory(const ULONGLONG& appId, std::vector<std::string>& regions,
                             std::vector<App::RDSDBInstance>& instances, CLmError& error) {
  static constexpr char kTag[] = "DiscoverRDSNewInventory";
  // Stays a failure if the expansion cannot finish.
  error = CLmError(-1, kExpansionNotFinished);
  runInProcess<CAmazonRDSInfo>(
      kTag,
      [&](CAmazonRDSInfo& provider) {
        return error = provider.ExpandRdsSubclientContent(static_cast<unsigned long>(appId), regions, instances, true);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kRdsExpansionFailed, reason.c_str());
      });
}

void DiscoverDocumentDBInventory(const ULONGLONG& appId, std::vector<std::string>& regions,
                                 std::vector<App::DocumentDBCluster>& clusters, CLmError& error) {
  static constexpr char kTag[] = "DiscoverDocumentDBInventory";
  // Stays a failure if the expansion cannot finish.
  error = CLmError(-1, kExpansionNotFinished);
  runInProcess<CAmazonDocumentDBInfo>(
      kTag,
      [&](CAmazonDocumentDBInfo& provider) {
        return error = provider.ExpandDocumentDBSubclientContent(static_cast<unsigned long>(appId), regions, clusters,
                                                                 true);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kDocumentDBExpansionFailed, reason.c_str());
      });
}

void DiscoverRedshiftInventory(const ULONGLONG& appId, std::vector<std::string>& regions,
                               std::vector<App::RedshiftCluster>& clusters, CLmError& error) {
  static constexpr char kTag[] = "DiscoverRedshiftInventory";
  // Stays a failure if the expansion cannot finish.
  error = CLmError(-1, kExpansionNotFinished);
  runInProcess<CAmazonRedshiftInfo>(
      kTag,
      [&](CAmazonRedshiftInfo& provider) {
        return error =
                   provider.ExpandRedshiftSubclientContent(static_cast<unsigned long>(appId), regions, clusters, true);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kRedshiftExpansionFailed, reason.c_str());
      });
}

void DescribeRDSInstanceSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second,
                                 std::vector<RDSInfoStructs::SDBSnapshotInfo>& snapshots) {
  static constexpr char kTag[] = "DescribeRDSInstanceSnapshot";
  runInProcess<CAmazonRDSInfo>(
      kTag,
      [&](CAmazonRDSInfo& provider) {
        return provider.DescribeDBInstanceSnapshot(static_cast<unsigned long>(appId), first, second, snapshots);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kDescribeRdsInstanceSnapshotFailed, first.c_str(), second.c_str(), reason.c_str());
      });
}

void DescribeRDSClusterSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second,
                                std::vector<RDSInfoStructs::SRDSClusterSnapshotInfo>& snapshots) {
  static constexpr char kTag[] = "DescribeRDSClusterSnapshot";
  runInProcess<CAmazonRDSInfo>(
      kTag,
      [&](CAmazonRDSInfo& provider) {
        return provider.DescribeDBClusterSnapshot(static_cast<unsigned long>(appId), first, second, snapshots);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kDescribeRdsClusterSnapshotFailed, first.c_str(), second.c_str(), reason.c_str());
      });
}

void DeleteRDSInstanceSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second) {
  static constexpr char kTag[] = "DeleteRDSInstanceSnapshot";
  runInProcess<CAmazonRDSInfo>(
      kTag,
      [&](CAmazonRDSInfo& provider) {
        return provider.DeleteDBInstanceSnapshot(static_cast<unsigned long>(appId), first, second);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kDeleteRdsInstanceSnapshotFailed, first.c_str(), second.c_str(), reason.c_str());
      });
}

void DeleteRDSClusterSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second) {
  static constexpr char kTag[] = "DeleteRDSClusterSnapshot";
  runInProcess<CAmazonRDSInfo>(
      kTag,
      [&](CAmazonRDSInfo& provider) {
        return provider.DeleteDBClusterSnapshot(static_cast<unsigned long>(appId), first, second);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kDeleteRdsClusterSnapshotFailed, first.c_str(), second.c_str(), reason.c_str());
      });
}

void DescribeDocDBClusterSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second,
                                  std::vector<DocDBInfoStructs::SDocDBClusterSnapshotInfo>& snapshots) {
  static constexpr char kTag[] = "DescribeDocDBClusterSnapshot";
  runInProcess<CAmazonDocumentDBInfo>(
      kTag,
      [&](CAmazonDocumentDBInfo& provider) {
        return provider.DescribeDocDBClusterSnapshot(static_cast<unsigned long>(appId), first, second, snapshots);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kDescribeDocDBSnapshotFailed, first.c_str(), second.c_str(), reason.c_str());
      });
}

void DeleteDocDBClusterSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second) {
  static constexpr char kTag[] = "DeleteDocDBClusterSnapshot";
  runInProcess<CAmazonDocumentDBInfo>(
      kTag,
      [&](CAmazonDocumentDBInfo& provider) {
        return provider.DeleteDocDBClusterSnapshot(static_cast<unsigned long>(appId), first, second);
      },
      [&](EvEvent& log, const std::string& reason) {
        log.DebugLvl(kTag, 0, texts::kDeleteDocDBSnapshotFailed, first.c_str(), second.c_str(), reason.c_str());
      });
}

void DescribeRedshiftSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second,
                              std::vector<RedshiftInfoStructs::SRedshiftClusterSnapshotInfo>& snapshots) {
  static constexpr char kTag[] = "DescribeRedshiftSnapshot";
  runInProcess<CAmazonRedshiftInfo>(
      kTag,
      [&](CAmazonRedshiftInfo& provider) {
        return provider.DescribeRedshiftSnapshot(static_cast<unsigned long>(appId), first, second, snapshots);
      },
      // This operation's failure line is the error's text alone.
      [&](EvEvent& log, const std::string& reason) { log.DebugLvl(kTag, 0, "%s", reason.c_str()); });
}

void DeleteRedshiftSnapshot(const ULONGLONG& appId, const std::string& first, const std::string& second) {
  static constexpr char kTag[] = "DeleteRedshiftSnapshot";
  runInProcess<CAmazonRedshiftInfo>(
      kTag,
      [&](CAmazonRedshiftInfo& provider) {
        return provider.DeleteRedshiftSnapshot(static_cast<unsigned long>(appId), first, second);
      },
      // This operation's failure line names the second identifier only.
      [&](EvEvent& log, const std::string&) {
        log.DebugLvl(kTag, 0, texts::kDeleteRedshiftSnapshotFailed, second.c_str());
      });
}

}  // extern "C"
