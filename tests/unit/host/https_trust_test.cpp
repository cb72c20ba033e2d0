// The extra CA the host's HTTPS client trusts: the option first, else the configuration's
// setting (relative to the configuration file), else none.
#include <gtest/gtest.h>

#include <memory>

#include "HttpsTrust.h"
#include "platform/PlatformConfiguration.h"

namespace {

std::unique_ptr<const PlatformConfiguration> configurationWith(std::optional<std::string> setting) {
  config::ConfigurationContents contents;
  if (setting) contents.globalParameters.push_back(config::GlobalParameterRecord{host::kHttpsCaSetting, *setting});
  std::unique_ptr<const PlatformConfiguration> configuration;
  EXPECT_TRUE(PlatformConfiguration::FromContents(std::move(contents), "test", configuration).IsSuccess());
  return configuration;
}

}  // namespace

TEST(HttpsTrust, OptionThenSettingThenNone) {
  const auto withSetting = configurationWith("certs/ca.pem");
  EXPECT_EQ(host::extraCaFile("/tmp/given.pem", *withSetting, "/etc/clouddb/platform.json"), "/tmp/given.pem");
  EXPECT_EQ(host::extraCaFile(std::nullopt, *withSetting, "/etc/clouddb/platform.json"), "/etc/clouddb/certs/ca.pem");
  EXPECT_EQ(host::extraCaFile(std::nullopt, *configurationWith("/srv/ca.pem"), "platform.json"), "/srv/ca.pem");
  EXPECT_EQ(host::extraCaFile(std::nullopt, *configurationWith(std::nullopt), "platform.json"), "");
}
