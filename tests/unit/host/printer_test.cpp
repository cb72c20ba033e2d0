// The host's renderings of messages and records for people and programs.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <sstream>
#include <string>

#include "MessagePrinter.h"
#include "RecordPrinter.h"
#include "RecordReflection.h"
#include "platform/messages/App.h"

namespace host {
namespace {

App::BrowseRDSInventoryResp sampleResponse() {
  App::BrowseRDSInventoryResp response;
  App::RDSDBInstance first;
  first.setName("orders");
  first.setEngine("mysql");
  App::RDSDBInstance second;
  second.setName("billing \"eu\"");
  second.setRegion("eu-west-1");
  response.addInstance(first);
  response.addInstance(second);
  response.mutableError().setErrorCode(1);
  response.mutableError().setErrorMessage("Failed to fetch cloud credentials.");
  return response;
}

std::string jsonOf(const CNMessageBase& message) {
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  writeJson(json, message);
  return buffer.GetString();
}

TEST(MessageTree, ShowsOneLinePerSetFieldWithChildrenIndented) {
  EXPECT_EQ(renderTree(sampleResponse()),
            "App::BrowseRDSInventoryResp\n"
            "  instance: 2 items\n"
            "    - App::RDSDBInstance\n"
            "      name = \"orders\"\n"
            "      engine = \"mysql\"\n"
            "    - App::RDSDBInstance\n"
            "      name = \"billing \\\"eu\\\"\"\n"
            "      region = \"eu-west-1\"\n"
            "  error: App::ErrorRecord\n"
            "    errorCode = 1\n"
            "    errorMessage = \"Failed to fetch cloud credentials.\"\n");
}

TEST(MessageTree, AnEmptyMessageIsItsTypeAlone) {
  EXPECT_EQ(renderTree(App::BrowseInventoryResp()), "App::BrowseInventoryResp\n");
}

TEST(MessageJson, NamesTheTypeAndEverySetFieldAndNothingElse) {
  rapidjson::Document json;
  json.Parse(jsonOf(sampleResponse()).c_str());
  ASSERT_FALSE(json.HasParseError());
  EXPECT_STREQ(json["_type"].GetString(), "App::BrowseRDSInventoryResp");
  ASSERT_EQ(json["instance"].Size(), 2u);
  EXPECT_STREQ(json["instance"][1]["name"].GetString(), "billing \"eu\"");
  EXPECT_FALSE(json["instance"][0].HasMember("region"));
  EXPECT_EQ(json["error"]["errorCode"].GetInt64(), 1);
}

TEST(MessagePasswords, NeverReachTheScreen) {
  App::AccessKeyCredentials credentials;
  credentials.setAccessKeyId("AKIADEMO");
  credentials.setSecretKey(msg::PasswordString{"enc:v1:c2VjcmV0", true});
  for (const std::string& shown : {renderTree(credentials), renderXml(credentials), jsonOf(credentials)}) {
    EXPECT_EQ(shown.find("c2VjcmV0"), std::string::npos) << shown;
    EXPECT_NE(shown.find(kPasswordShown), std::string::npos) << shown;
    EXPECT_NE(shown.find("AKIADEMO"), std::string::npos) << shown;
  }
}

TEST(MessageXml, IsIndentedAndParsesBackToTheSameMessage) {
  const App::BrowseRDSInventoryResp response = sampleResponse();
  const std::string xml = renderXml(response);
  EXPECT_NE(xml.find("\n  <instance"), std::string::npos) << xml;
  App::BrowseRDSInventoryResp parsed;
  ASSERT_FALSE(parsed.unserialize(xml).IsFailure());
  EXPECT_EQ(parsed.serialize(), response.serialize());
}

TEST(RecordPrinting, EveryMemberOfASnapshotRecordIsShownByName) {
  RDSInfoStructs::SDBSnapshotInfo snapshot;
  snapshot.snapshotIdentifier = "orders-2026-01-01";
  snapshot.percentProgress = 40;
  snapshot.encrypted = true;
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  records::writeJsonValue(json, std::vector<RDSInfoStructs::SDBSnapshotInfo>{snapshot});
  rapidjson::Document parsed;
  parsed.Parse(buffer.GetString());
  ASSERT_TRUE(parsed.IsArray() && parsed.Size() == 1);
  EXPECT_EQ(parsed[0].MemberCount(), 15u);
  EXPECT_STREQ(parsed[0]["snapshotIdentifier"].GetString(), "orders-2026-01-01");
  EXPECT_EQ(parsed[0]["percentProgress"].GetInt(), 40);
  EXPECT_TRUE(parsed[0]["encrypted"].GetBool());
  EXPECT_STREQ(parsed[0]["kmsKeyId"].GetString(), "");
}

TEST(RecordPrinting, SecretMembersAreHiddenAndTheRestShown) {
  CloudDBInfoStructs::SOracleDBInstanceInfo service;
  service.serviceName = "sales";
  service.adminPassword = "Welcome#1";
  service.cloudStoragePassword = "Storage#2";
  service.isRac = true;
  service.listenerPort = 1521;
  std::ostringstream tree;
  records::writeTree(tree, "service", std::vector<CloudDBInfoStructs::SOracleDBInstanceInfo>{service});
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  records::writeJsonValue(json, service);
  for (const std::string& shown : {tree.str(), std::string(buffer.GetString())}) {
    EXPECT_EQ(shown.find("Welcome#1"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("Storage#2"), std::string::npos) << shown;
    EXPECT_NE(shown.find("sales"), std::string::npos) << shown;
  }
  EXPECT_NE(tree.str().find("    adminPassword = \"***NOT SHOWN***\"\n"), std::string::npos) << tree.str();
  EXPECT_NE(tree.str().find("    listenerPort = 1521\n"), std::string::npos);
  EXPECT_NE(tree.str().find("    isRac = true\n"), std::string::npos);
  // An unset secret stays visibly empty: nothing is hidden where there is nothing.
  EXPECT_NE(tree.str().find("    sourceCloudStoragePassword = \"\"\n"), std::string::npos);
  EXPECT_EQ(tree.str().rfind("- service\n", 0), 0u);
}

}  // namespace
}  // namespace host
