// Field storage of host messages: absent values, typed access by number and by position,
// faults for undeclared fields and wrong kinds, deep copies, and typed sub-messages.
#include <gtest/gtest.h>

#include <optional>

#include "platform/CNMessageBase.h"
#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/messages/All.h"

namespace {

App::CloudDBEntity entity(const std::string& name, std::int64_t type, const std::string& region = {}) {
  App::CloudDBEntity node;
  node.setName(name);
  node.setEntityType(type);
  if (!region.empty()) {
    node.setRegion(region);
  }
  return node;
}

TEST(MessageFields, AbsentFieldsReadAsEmptyValues) {
  App::BrowseInventoryResp response;
  App::CloudDBEntity node;
  Dax::CloudDBServiceReq request;
  App::AccessKeyCredentials credentials;
  App::DocumentDBCluster cluster;

  EXPECT_FALSE(node.isSet(App::CloudDBEntity::kName));
  EXPECT_EQ(node.name(), "");
  EXPECT_EQ(node.entityType(), 0);
  EXPECT_TRUE(node.children().empty());
  EXPECT_FALSE(node.isSet(App::CloudDBEntity::kChildren));
  EXPECT_EQ(response.root(), nullptr);
  EXPECT_TRUE(request.requests().empty());
  EXPECT_EQ(credentials.secretKey().text, "");
  EXPECT_TRUE(cluster.members().empty());
  for (const CNMessageBase* message : std::initializer_list<const CNMessageBase*>{&response, &node, &request}) {
    EXPECT_EQ(message->lastFieldFault(), "") << message->getTagName();
  }
}

TEST(MessageFields, SetValuesAreReadBackAndClearedPerField) {
  App::CloudDBEntity node = entity("prod-db", 50, "us-east-1");
  node.setNegated(true);
  node.setstring(App::CloudDBEntity::kName, "");  // an empty text is still a set field

  EXPECT_TRUE(node.isSet(App::CloudDBEntity::kName));
  EXPECT_EQ(node.region(), "us-east-1");
  EXPECT_TRUE(node.negated());

  node.clear(App::CloudDBEntity::kRegion);
  EXPECT_FALSE(node.isSet(App::CloudDBEntity::kRegion));
  EXPECT_EQ(node.region(), "");
  EXPECT_EQ(node.entityType(), 50);
}

TEST(MessageFields, PairAndPositionAccessorsMatchTheDeclaredFields) {
  App::CloudDBEntity node;
  node.setstring(App::CloudDBEntity::kName, 3, "orders");
  node.setint64ByPosition(App::CloudDBEntity::kEntityTypePosition, 51);
  node.setint64ByPosition(App::CloudDBEntity::kNegatedPosition, 1);

  EXPECT_EQ(node.getstring(3, 3), "orders");
  EXPECT_EQ(node.name(), "orders");
  EXPECT_EQ(node.getint64(App::CloudDBEntity::kEntityType), 51);
  EXPECT_EQ(node.getint64ByPosition(7), 51);
  EXPECT_TRUE(node.negated());
  EXPECT_EQ(node.lastFieldFault(), "");

  // The inventory request is addressed by field ids.
  App::BrowseRDSInventoryReq request;
  request.setint64ByPosition(0xB6226F, 3);
  EXPECT_EQ(request.engineType(), 3);
}

TEST(MessageFields, WrongFieldsAndKindsAreReportedNotApplied) {
  App::CloudDBEntity node = entity("a", 4);

  EXPECT_EQ(node.getstring(7), "");
  EXPECT_EQ(node.lastFieldFault(), "App::CloudDBEntity: no field 7");

  node.setint64(App::CloudDBEntity::kName, 5);
  EXPECT_EQ(node.lastFieldFault(), "App::CloudDBEntity: field 3 (name) is of kind text, not integer");
  EXPECT_EQ(node.name(), "a");

  EXPECT_EQ(node.getstring(3, 4), "");
  EXPECT_EQ(node.lastFieldFault(), "App::CloudDBEntity: field 3 is not at position 4");

  EXPECT_EQ(node.getint64ByPosition(3), 0);  // position 3 holds text, not an integer
  EXPECT_NE(node.lastFieldFault(), "");

  EXPECT_EQ(node.mutableListObject(App::CloudDBEntity::kName), nullptr);
  EXPECT_EQ(node.getObjectAccessor(App::CloudDBEntity::kChildren, true), nullptr);
  EXPECT_FALSE(node.isSet(99));
  EXPECT_EQ(node.lastFieldFault(), "App::CloudDBEntity: no field 99");
}

TEST(MessageFields, SubMessagesOfAnotherTypeAreRefused) {
  App::BrowseInventoryResp response;
  App::ErrorRecord error;
  error.setErrorCode(1);

  response.setObjectAccessor(App::BrowseInventoryResp::kRoot, error);
  EXPECT_EQ(response.root(), nullptr);
  EXPECT_EQ(response.lastFieldFault(), "App::BrowseInventoryResp: field 1 (root) does not take a App::ErrorRecord");

  App::CloudDBEntity root;
  root.appendlistobject(App::CloudDBEntity::kChildren, error);
  EXPECT_TRUE(root.children().empty());

  MessageList mixed;
  mixed.push_back(entity("x", 4).clone());
  mixed.push_back(error.clone());
  root.setlistobject(App::CloudDBEntity::kChildren, mixed);
  EXPECT_FALSE(root.isSet(App::CloudDBEntity::kChildren));
}

TEST(MessageFields, ObjectsAreMadeOnFirstAccessAsTheirTypedClass) {
  App::BrowseInventoryResp response;
  EXPECT_EQ(response.getObjectAccessor(App::BrowseInventoryResp::kError, false), nullptr);

  response.mutableError().setErrorCode(1);
  response.mutableError().setErrorMessage("Failed to fetch credentials");

  const CNMessageBase* made = response.getObjectAccessor(App::BrowseInventoryResp::kError);
  ASSERT_NE(made, nullptr);
  EXPECT_NE(dynamic_cast<const App::ErrorRecord*>(made), nullptr);
  EXPECT_EQ(response.error()->errorCode(), 1);
  EXPECT_EQ(response.error()->errorMessage(), "Failed to fetch credentials");
}

TEST(MessageFields, BareBaseMessagesAppendedBecomeTheirTypedClass) {
  App::CloudDBEntity root;
  auto bare = std::make_unique<CNMessageBase>(App::CloudDBEntity::kType);
  bare->setstring(App::CloudDBEntity::kName, "eu-west-1");
  root.appendlistobject(App::CloudDBEntity::kChildren, std::move(bare));
  root.appendlistobject(App::CloudDBEntity::kChildren, CNMessageBase::create(30, 2718));

  ASSERT_EQ(root.children().size(), 2u);
  for (const auto& child : root.getlistobject(App::CloudDBEntity::kChildren)) {
    EXPECT_NE(dynamic_cast<const App::CloudDBEntity*>(child.get()), nullptr);
  }
  EXPECT_EQ(root.children()[0].name(), "eu-west-1");

  root.appendlistobject(App::CloudDBEntity::kChildren, std::unique_ptr<CNMessageBase>());
  EXPECT_EQ(root.children().size(), 2u);
  EXPECT_NE(root.lastFieldFault(), "");
}

TEST(MessageFields, SubMessagesHandedOverAreTakenNotCopied) {
  App::BrowseInventoryResp response;
  App::CloudDBEntity root = entity("all", 17);
  root.addChild(entity("eu-west-1", 4));
  const CNMessageBase* child = root.getlistobject(App::CloudDBEntity::kChildren).front().get();
  response.setRoot(std::move(root));
  ASSERT_NE(response.root(), nullptr);
  ASSERT_EQ(response.root()->children().size(), 1u);
  EXPECT_EQ(&response.root()->children()[0], child);  // the same node, not a copy of it

  // Handed over as a bare base message, it becomes its typed class; null or another type is refused.
  auto bare = std::make_unique<CNMessageBase>(App::CloudDBEntity::kType);
  response.setObjectAccessor(App::BrowseInventoryResp::kRoot, std::move(bare));
  EXPECT_NE(dynamic_cast<const App::CloudDBEntity*>(response.getObjectAccessor(App::BrowseInventoryResp::kRoot)),
            nullptr);
  response.setObjectAccessor(App::BrowseInventoryResp::kRoot, std::make_unique<App::ErrorRecord>());
  EXPECT_EQ(response.lastFieldFault(), "App::BrowseInventoryResp: field 1 (root) does not take a App::ErrorRecord");
  response.setObjectAccessor(App::BrowseInventoryResp::kRoot, std::unique_ptr<CNMessageBase>());
  EXPECT_NE(response.lastFieldFault().find("null"), std::string::npos);
  EXPECT_NE(response.root(), nullptr);
}

TEST(MessageFields, CopiesAreDeepAndIndependent) {
  App::CloudDBEntity original = entity("root", 17);
  App::CloudDBEntity region = entity("us-east-1", 4);
  region.addChild(entity("db1", 50, "us-east-1"));
  original.addChild(region);

  App::CloudDBEntity copy = original;
  std::unique_ptr<CNMessageBase> cloned = original.clone();
  App::CloudDBEntity assigned;
  assigned = original;

  // Change the original's grandchild through the list it owns.
  auto& grandchild = static_cast<App::CloudDBEntity&>(
      *original.mutableListObject(App::CloudDBEntity::kChildren)->at(0)->mutableListObject(1)->at(0));
  grandchild.setName("renamed");
  original.setName("changed");

  const auto* clonedEntity = dynamic_cast<const App::CloudDBEntity*>(cloned.get());
  for (const App::CloudDBEntity* view : std::initializer_list<const App::CloudDBEntity*>{&copy, &assigned, clonedEntity}) {
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->name(), "root");
    ASSERT_EQ(view->children().size(), 1u);
    ASSERT_EQ(view->children()[0].children().size(), 1u);
    EXPECT_EQ(view->children()[0].children()[0].name(), "db1");
  }
  EXPECT_EQ(original.children()[0].children()[0].name(), "renamed");
}

TEST(MessageFields, MovedMessagesKeepTheirValuesAndLeaveAnEmptyMessage) {
  App::CloudDBEntity original = entity("root", 17);
  original.addChild(entity("a", 4));
  App::CloudDBEntity moved = std::move(original);
  EXPECT_EQ(moved.name(), "root");
  EXPECT_EQ(moved.children().size(), 1u);

  // What was moved from reads as new and takes values again.
  EXPECT_FALSE(original.isSet(App::CloudDBEntity::kName));  // NOLINT(bugprone-use-after-move)
  EXPECT_TRUE(original.children().empty());
  original.setName("again");
  EXPECT_EQ(original.name(), "again");

  // Assigning over a message with values replaces all of them.
  App::CloudDBEntity target = entity("old", 5, "eu-west-1");
  target = std::move(moved);
  EXPECT_EQ(target.name(), "root");
  EXPECT_FALSE(target.isSet(App::CloudDBEntity::kRegion));
  EXPECT_EQ(target.children().size(), 1u);
}

TEST(MessageFields, ValuesMoveBetweenMessagesMadeWithAndWithoutTheirStorage) {
  std::unique_ptr<App::CloudDBEntity> made = CNMessageBase::makeWithStorage<App::CloudDBEntity>();
  made->setName("made");
  made->addChild(entity("child", 4));

  App::CloudDBEntity plain = std::move(*made);  // one by one out of the object's own block
  EXPECT_EQ(plain.name(), "made");
  EXPECT_EQ(plain.children().size(), 1u);
  EXPECT_FALSE(made->isSet(App::CloudDBEntity::kName));

  made->setRegion("stale");
  *made = std::move(plain);  // one by one into it
  EXPECT_EQ(made->name(), "made");
  EXPECT_FALSE(made->isSet(App::CloudDBEntity::kRegion));
  ASSERT_EQ(made->children().size(), 1u);
  EXPECT_EQ(made->children()[0].name(), "child");

  const std::unique_ptr<CNMessageBase> copy = made->clone();
  made->setName("changed");
  EXPECT_EQ(static_cast<const App::CloudDBEntity&>(*copy).name(), "made");

  // A message given another type's values leaves its own block for storage of the right size.
  std::unique_ptr<App::CloudDBEntity> other = CNMessageBase::makeWithStorage<App::CloudDBEntity>();
  App::RDSDBInstance instance;
  instance.setName("db-1");
  instance.setRegion("us-east-1");
  static_cast<CNMessageBase&>(*other) = std::move(instance);
  EXPECT_EQ(other->getTagName(), "App::RDSDBInstance");
  EXPECT_EQ(other->getstring(App::RDSDBInstance::kName), "db-1");
}

TEST(MessageFields, EveryKindIsReplacedClearedAndCopied) {
  constexpr int kClusterCount = 14;  // an integer field of the cluster
  App::DocumentDBCluster cluster;
  cluster.setMembers({"inst-1/writer"});
  cluster.setMembers({"inst-2/reader", "inst-3/reader"});
  cluster.setint64(kClusterCount, 1);
  cluster.setint64(kClusterCount, 2);
  App::UserCredentials user;
  user.setPassword({"first", false});
  user.setPassword({"second", true});
  App::BrowseInventoryResp response;
  response.setRoot(entity("first", 1));
  response.setRoot(entity("second", 2));

  const App::DocumentDBCluster clusterCopy = cluster;
  const App::UserCredentials userCopy = user;
  const App::BrowseInventoryResp responseCopy = response;
  cluster.clear(App::DocumentDBCluster::kMembers);
  cluster.clear(kClusterCount);
  user.clear(App::UserCredentials::kPassword);
  response.clear(App::BrowseInventoryResp::kRoot);

  EXPECT_EQ(clusterCopy.members(), (std::vector<std::string>{"inst-2/reader", "inst-3/reader"}));
  EXPECT_EQ(clusterCopy.getint64(kClusterCount), 2);
  EXPECT_EQ(userCopy.password(), (msg::PasswordString{"second", true}));
  ASSERT_NE(responseCopy.root(), nullptr);
  EXPECT_EQ(responseCopy.root()->name(), "second");
  EXPECT_FALSE(cluster.isSet(App::DocumentDBCluster::kMembers));
  EXPECT_FALSE(cluster.isSet(kClusterCount));
  EXPECT_FALSE(user.isSet(App::UserCredentials::kPassword));
  EXPECT_EQ(response.root(), nullptr);
}

TEST(MessageFields, TextListsAndPasswordsKeepTheirContent) {
  App::DocumentDBCluster cluster;
  cluster.setMembers({"inst-1/writer", "inst-2/reader"});
  EXPECT_EQ(cluster.members(), (std::vector<std::string>{"inst-1/writer", "inst-2/reader"}));

  App::UserCredentials user;
  user.setPassword({"enc:v1:abc", true});
  EXPECT_EQ(user.password(), (msg::PasswordString{"enc:v1:abc", true}));
}

class PlainPasswordTest : public ::testing::Test {
 protected:
  static HostKey makeKey() {
    HostKey::KeyBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    return HostKey(bytes);
  }
};

TEST_F(PlainPasswordTest, ClearTextPasswordsNeedNoKey) {
  App::UserCredentials user;
  user.setPassword({"hunter2", false});
  std::string clear = "untouched";
  EXPECT_TRUE(user.getPlainPassword(App::UserCredentials::kPassword, clear).IsSuccess());
  EXPECT_EQ(clear, "hunter2");
}

TEST_F(PlainPasswordTest, EncryptedPasswordsAreDecryptedWithTheHostKey) {
  const HostKey key = makeKey();
  std::string sealed;
  ASSERT_TRUE(key.encrypt("s3cret", sealed).IsSuccess());
  HostEnvironment environment;
  environment.hostKey = &key;
  const HostEnvironment::Installation installed(environment);

  App::AccessKeyCredentials credentials;
  credentials.setSecretKey({sealed, true});
  std::string clear;
  const CLmError result = credentials.getPlainPassword(App::AccessKeyCredentials::kSecretKey, clear);
  EXPECT_TRUE(result.IsSuccess()) << result.AsString();
  EXPECT_EQ(clear, "s3cret");

  credentials.setSecretKey({sealed.substr(0, sealed.size() - 2), true});
  clear = "untouched";
  EXPECT_TRUE(credentials.getPlainPassword(App::AccessKeyCredentials::kSecretKey, clear).IsFailure());
  EXPECT_EQ(clear, "untouched");
}

TEST_F(PlainPasswordTest, EncryptedPasswordsFailWithoutAHostKey) {
  App::AccessKeyCredentials credentials;
  credentials.setSecretKey({"enc:v1:AAAA", true});
  std::string clear;
  const CLmError result = credentials.getPlainPassword(App::AccessKeyCredentials::kSecretKey, clear);
  EXPECT_TRUE(result.IsFailure());
  EXPECT_NE(result.message().find("no host key"), std::string::npos) << result.message();
  EXPECT_EQ(clear, "");

  EXPECT_TRUE(credentials.getPlainPassword(App::AccessKeyCredentials::kAccessKeyId, clear).IsFailure());
}

}  // namespace
