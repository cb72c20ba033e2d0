#include "clouddb/entry/BrowseInventoryHandler.h"

#include <exception>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "clouddb/aws/ContentRuleWalk.h"
#include "clouddb/entry/AwsBrowseServices.h"
#include "clouddb/entry/AzureBrowse.h"
#include "clouddb/entry/BrowseTexts.h"
#include "clouddb/entry/RegionsForInstance.h"
#include "clouddb/google/CGoogleSpannerInfo.h"
#include "platform/FXString.h"
#include "platform/config/CloudAppsInstance.h"

namespace clouddb::entry {
namespace {

constexpr const char* kTag = kBrowseInventoryHandlerTag;
constexpr std::int64_t kRootType = aws::rule::kAll;
constexpr std::int64_t kRegionType = aws::rule::kRegion;
constexpr std::int64_t kPreviewParametersCode = -1;

constexpr std::int64_t kSpannerType = 37;

bool isAzure(std::int64_t instanceType) {
  return instanceType == 23 || instanceType == 32;
}

// The instance id of a request's instance reference: a missing reference and -1 both read as 0.
std::uint64_t instanceIdOf(const KwEntities::InstanceEntity* reference) {
  if (reference == nullptr) {
    return 0;
  }
  const std::int64_t id = reference->instanceId();
  return id < 0 ? 0 : static_cast<std::uint64_t>(id);
}

std::uint64_t clientIdOf(const KwEntities::ClientReference* reference) {
  if (reference == nullptr || reference->clientId() <= 0) {
    return 0;
  }
  return static_cast<std::uint64_t>(reference->clientId());
}

std::int64_t configuredInstanceType(std::uint64_t instanceId) {
  std::uint64_t type = 0;
  const CloudAppsInstance instance(instanceId);
  return instance.getInstanceType(type) == 0 ? static_cast<std::int64_t>(type) : 0;
}

// One request's answer: the response with its error record, and the root that goes into it on
// success.
class BrowseAnswer {
  static constexpr std::size_t kMaxErrorMessageBytes = 16 * 1024;

 public:
  BrowseAnswer(App::BrowseInventoryResp& response, EvEvent& log) : response_(response), log_(log) {
    root_.setEntityType(kRootType);
  }

  App::CloudDBEntity& root() { return root_; }
  EvEvent& log() { return log_; }

  // A failure that ends the request: code and message for the peer. A message can quote the
  // request (a content document, a rule's name), so it is cut as a log line is: quoted whole and
  // escaped, it could outgrow the frame of the answer, and the peer would get none.
  void fail(std::int64_t code, std::string message) {
    FXString::LimitLength(message, kMaxErrorMessageBytes);
    App::ErrorRecord& error = response_.mutableError();
    error.setErrorCode(code);
    error.setErrorMessage(std::move(message));
  }
  // Hands the tree to the response; the answer is done with it.
  void succeed() { response_.setRoot(std::move(root_)); }

 private:
  App::BrowseInventoryResp& response_;
  EvEvent& log_;
  App::CloudDBEntity root_;
};

// The regions the instance allows, as a sorted set; empty allows every region.
std::set<std::string> allowedRegions(std::int64_t instanceType, std::uint64_t instanceId, EvEvent& log) {
  if (instanceId == 0) {
    return {};
  }
  std::vector<std::string> regions;
  readInstanceRegions(instanceType, instanceId, regions, log, kTag);
  return {regions.begin(), regions.end()};
}

void browseAws(AwsBrowseService& service, std::int64_t instanceType, std::uint64_t instanceId,
               std::uint64_t clientId, const std::string& path, BrowseAnswer& answer) {
  EvEvent& log = answer.log();
  if (instanceId != 0) {
    if (!service.fetchInstanceCredentials(instanceId)) {
      log.Error(kTag, texts::kFetchCredentialsFailedForInstance, static_cast<unsigned long>(instanceId));
      answer.fail(1, texts::kFetchCredentialsFailed);
      return;
    }
  } else if (clientId != 0 && !service.fetchClientCredentials(clientId)) {
    log.Error(kTag, texts::kFetchCredentialsFailedForClient, static_cast<unsigned long>(clientId));
    answer.fail(1, texts::kFetchCredentialsFailed);
    return;
  }
  const std::set<std::string> allowed = allowedRegions(instanceType, instanceId, log);
  const auto disallowed = [&](const std::string& region) {
    if (allowed.empty() || allowed.contains(region)) {
      return false;
    }
    log.Debug(kTag, texts::kDisallowedRegion, region.c_str(), static_cast<unsigned long>(instanceId));
    return true;
  };
  const auto connect = [&] {
    if (service.connect()) {
      return true;
    }
    log.Error(kTag, texts::kAwsConnectFailedForInstance, static_cast<unsigned long>(instanceId));
    answer.fail(1, texts::kAwsConnectFailed);
    return false;
  };

  if (!path.empty()) {
    if (!disallowed(path)) {
      service.useRegion(path);
      if (!connect()) {
        return;
      }
      service.addRegionObjects(path, answer.root(), log, kTag);
    }
    answer.succeed();
    return;
  }
  if (!connect()) {
    return;
  }
  std::vector<VMInfoStructs::SDataCenterInfo> regions;
  if (service.listRegions(regions)) {
    for (const VMInfoStructs::SDataCenterInfo& region : regions) {
      if (disallowed(region.name)) {
        continue;
      }
      App::CloudDBEntity child;
      child.setName(region.name);
      child.setIdentifier(region.identifier);
      child.setEntityType(kRegionType);
      answer.root().addChild(child);
    }
  }
  answer.succeed();
}

// A failed preview: its error line, and its own code and text in the answer.
void answerPreviewFailure(const CLmError& result, BrowseAnswer& answer) {
  answer.log().Error(kTag, texts::kPreviewFailed, result.AsString().c_str());
  answer.fail(result.code(), result.message());
}

CLmError invalidPreviewParameters(int line) {
  return CLmError(kPreviewParametersCode, texts::kInvalidPreviewParameters,
                  CLmLocation{"MessageHandler", "void BrowseInventoryHandler(CKwNetwork*, ULONGLONG)", line});
}

// A Spanner browse or preview: one level of the client's Google Cloud account, chosen by path.
void answerSpanner(CGoogleSpannerInfo& spanner, std::uint64_t clientId, std::uint64_t instanceId,
                   const std::string& path, BrowseAnswer& answer) {
  if (clientId == 0) {
    answer.log().Error(kTag, "%s", texts::kNoClientIdInRequest);
    answer.fail(1, texts::kNoGoogleCloudClient);
    return;
  }
  const CLmError result = spanner.PreviewGoogleSpanner(clientId, instanceId, path, answer.root());
  if (result.IsFailure()) {
    answerPreviewFailure(result, answer);
    return;
  }
  answer.succeed();
}

void browse(const App::BrowseInventoryReq& request, BrowseAnswer& answer) {
  const std::uint64_t instanceId = instanceIdOf(request.instance());
  std::uint64_t clientId = clientIdOf(request.client());
  std::int64_t instanceType = request.instanceType();
  if (instanceType == 0 && instanceId != 0) {
    instanceType = configuredInstanceType(instanceId);
    clientId = 0;
  }
  AwsBrowseServices services;
  CGoogleSpannerInfo spanner;
  if (AwsBrowseService* service = services.forInstanceType(instanceType)) {
    browseAws(*service, instanceType, instanceId, clientId, request.path(), answer);
    return;
  }
  if (instanceType == kSpannerType) {
    answerSpanner(spanner, clientId, instanceId, request.path(), answer);
    return;
  }
  if (isAzure(instanceType)) {
    if (const auto stop = browseAzure(instanceType, instanceId, clientId, request.path(), answer.root(), answer.log())) {
      answer.fail(1, *stop);
      return;
    }
    answer.succeed();
    return;
  }
  answer.log().Debug(kTag, texts::kUnknownInstanceType, static_cast<unsigned long>(instanceType));
}

CLmError previewAws(AwsBrowseService& service, const App::BrowsePreviewReq& request, std::int64_t instanceType,
                    std::uint64_t instanceId, const std::string& contentXml, App::CloudDBEntity& root, EvEvent& log) {
  std::vector<std::string> regions;
  if (instanceId != 0) {
    readInstanceRegions(instanceType, instanceId, regions, log, kTag);
    return service.preview(instanceId, regions, contentXml, root);
  }
  if (const std::uint64_t clientId = clientIdOf(request.client()); clientId != 0) {
    return service.previewForClient(regions, contentXml, root, clientId);
  }
  if (const App::AccessKeyCredentials* keys = request.accessKey()) {
    service.useKeys(keys->accessKeyId(), keys->secretKey().text);
    return service.previewForClient(regions, contentXml, root, 0);
  }
  if (const App::UserCredentials* user = request.userCredentials()) {
    service.useKeys(user->user(), user->password().text);
    return service.previewForClient(regions, contentXml, root, 0);
  }
  return invalidPreviewParameters(__LINE__);
}

void preview(const App::BrowsePreviewReq& request, BrowseAnswer& answer) {
  // The preview's instance id travels as a 32-bit value. A larger one is refused rather than cut
  // down, which would name another instance and preview it with that instance's keys.
  const std::uint64_t requestedId = instanceIdOf(request.instance());
  if (requestedId > std::numeric_limits<std::uint32_t>::max()) {
    answerPreviewFailure(invalidPreviewParameters(__LINE__), answer);
    return;
  }
  const auto instanceId = static_cast<std::uint32_t>(requestedId);
  const App::CloudDBEntity emptyContent;
  const std::string contentXml = (request.content() != nullptr ? *request.content() : emptyContent).serialize();
  std::int64_t instanceType = request.instanceType();
  if (instanceType == 0) {
    if (instanceId == 0) {
      return;
    }
    instanceType = configuredInstanceType(instanceId);
  }
  AwsBrowseServices services;
  CGoogleSpannerInfo spanner;
  if (instanceType == kSpannerType) {
    answerSpanner(spanner, clientIdOf(request.client()), instanceId, request.spannerPath(), answer);
    return;
  }
  AwsBrowseService* service = services.forInstanceType(instanceType);
  if (service == nullptr) {
    return;
  }
  const CLmError result =
      previewAws(*service, request, instanceType, instanceId, contentXml, answer.root(), answer.log());
  if (result.IsFailure()) {
    answerPreviewFailure(result, answer);
    return;
  }
  answer.succeed();
}

}  // namespace

void ProcessBrowseInventoryRequest(const CNMessageBase& received, App::BrowseInventoryResp& response, EvEvent& log) {
  BrowseAnswer answer(response, log);
  try {
    switch (received.getTagID()) {
      case App::BrowseInventoryReq::kTagId:
        browse(static_cast<const App::BrowseInventoryReq&>(received), answer);
        break;
      case App::BrowsePreviewReq::kTagId:
        preview(static_cast<const App::BrowsePreviewReq&>(received), answer);
        break;
      default:
        break;
    }
  } catch (const std::exception& failure) {
    // Every request is answered, even one that a hard failure cut short.
    log.Error(kTag, texts::kRequestAbandoned, failure.what());
    answer.fail(1, failure.what());
  }
}

}  // namespace clouddb::entry
