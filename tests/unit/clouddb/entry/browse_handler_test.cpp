// The browse handler's answer to a request whose failure quotes the request.
#include <gtest/gtest.h>

#include <string>

#include "../core/RdsTestWorld.h"
#include "clouddb/entry/BrowseInventoryHandler.h"
#include "platform/EvEvent.h"
#include "platform/messages/App.h"

namespace {

// A failure text quotes the content document; quoted whole and escaped once more, a large one
// would outgrow the frame of the answer and the console would get none. It is cut instead.
TEST(BrowseHandlerPreview, AFailureQuotingALargeContentIsCutToFitTheAnswer) {
  rdstest::RdsTestWorld world;
  App::BrowsePreviewReq request;
  request.mutableInstance().setInstanceId(static_cast<std::int64_t>(rdstest::kRdsInstanceId));
  request.setInstanceType(4);
  App::CloudDBEntity content;
  content.setEntityType(17);
  App::CloudDBEntity unexpected;
  unexpected.setEntityType(999);
  unexpected.setName(std::string(40000, 'n'));
  content.addChild(unexpected);
  request.setContent(content);

  App::BrowseInventoryResp response;
  EvEvent log;
  clouddb::entry::ProcessBrowseInventoryRequest(request, response, log);
  ASSERT_NE(response.error(), nullptr);
  const std::string message = response.error()->errorMessage();
  EXPECT_EQ(message.rfind("Unexpected first level type 999 for RDS XML '", 0), 0u) << message.substr(0, 80);
  EXPECT_LE(message.size(), 16 * 1024 + 40u);
  EXPECT_NE(message.find("... [cut: "), std::string::npos);
  EXPECT_EQ(response.root(), nullptr);
}

}  // namespace
