#include "clouddb/entry/BrowseInventoryHandler.h"

#include "clouddb/entry/Unavailable.h"

namespace clouddb::entry {
namespace {

void answerUnavailable(App::BrowseInventoryResp& response, EvEvent& log, const char* text) {
  App::ErrorRecord& error = response.mutableError();
  error.setErrorCode(1);
  error.setErrorMessage(text);
  log.Error(kBrowseInventoryHandlerTag, "%s", text);
}

}  // namespace

void ProcessBrowseInventoryRequest(const CNMessageBase& received, App::BrowseInventoryResp& response, EvEvent& log) {
  switch (received.getTagID()) {
    case App::BrowseInventoryReq::kTagId:
      answerUnavailable(response, log, unavailable::kBrowse);
      break;
    case App::BrowsePreviewReq::kTagId:
      answerUnavailable(response, log, unavailable::kPreview);
      break;
    default:
      break;
  }
}

}  // namespace clouddb::entry
