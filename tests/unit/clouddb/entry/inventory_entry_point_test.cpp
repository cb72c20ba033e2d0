// DiscoverRDSInventoryLocal as the agent calls it, from the built library: what the response
// carries after a rate limit the discovery outlasted, after one it did not, and when reused.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "../inventory/InventoryTestWorld.h"
#include "platform/messages/App.h"

namespace {

using namespace inventorytest;
using LocalDiscovery = void(App::BrowseRDSInventoryReq*, App::BrowseRDSInventoryResp*, std::string, std::string);

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

class InventoryEntryPoint : public ::testing::Test {
 protected:
  void SetUp() override {
    library_.reset(dlopen((std::string(CLOUDDB_BINARY_DIR) + "/clouddb/libclouddb.so").c_str(), RTLD_NOW | RTLD_LOCAL));
    ASSERT_NE(library_, nullptr) << dlerror();
    // POSIX guarantees that a function's address survives the round trip through void*.
    discover_ = reinterpret_cast<LocalDiscovery*>(dlsym(library_.get(), "DiscoverRDSInventoryLocal"));
    ASSERT_NE(discover_, nullptr) << dlerror();
  }

  // Discovers into response, which may hold an earlier answer.
  void discoverInto(unsigned long clientId, App::BrowseRDSInventoryResp& response) {
    App::BrowseRDSInventoryReq request;
    request.mutableInstance().setClientId(static_cast<std::int64_t>(clientId));
    discover_(&request, &response, "", "");
  }

  App::BrowseRDSInventoryResp discoverFor(unsigned long clientId) {
    App::BrowseRDSInventoryResp response;
    discoverInto(clientId, response);
    return response;
  }

  InventoryTestWorld world_;

 private:
  std::unique_ptr<void, LibraryCloser> library_;
  LocalDiscovery* discover_ = nullptr;
};

TEST_F(InventoryEntryPoint, OutlastedRateLimitAnswersWithTheListAlone) {
  ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Azure, "RefreshDBInstanceInfoList", 2, "Rate exceeded"));
  const App::BrowseRDSInventoryResp response = discoverFor(kAzureClient);
  EXPECT_EQ(response.instances().size(), 3u);
  EXPECT_EQ(response.error(), nullptr) << "a complete answer must not read as a failure";
  EXPECT_EQ(world_.clock().sleeps().size(), 2u);
}

TEST_F(InventoryEntryPoint, TheListReplacesWhatAReusedResponseHeld) {
  App::BrowseRDSInventoryResp response;
  discoverInto(kAzureClient, response);
  discoverInto(kAzureClient, response);
  EXPECT_EQ(response.instances().size(), 3u);
}

TEST_F(InventoryEntryPoint, EndlessRateLimitAnswersWithTheCloudsText) {
  ASSERT_TRUE(world_.simulator().failNext(CloudBridgeKind::Google, "RefreshDBInstanceInfoList", 9, "Rate exceeded"));
  const App::BrowseRDSInventoryResp response = discoverFor(kGoogleClient);
  EXPECT_EQ(response.instances().size(), 0u);
  ASSERT_NE(response.error(), nullptr);
  EXPECT_EQ(response.error()->errorCode(), 1);
  EXPECT_EQ(response.error()->errorMessage(), "Rate exceeded");
  EXPECT_EQ(world_.clock().sleeps(), std::vector<std::chrono::milliseconds>(4, std::chrono::milliseconds(1000)));
}

}  // namespace
