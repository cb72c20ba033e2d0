// The XML rendering of host messages: round trips, the hand-written form of content rules,
// refusals of malformed, foreign or hostile text, and masking of passwords.
#include <gtest/gtest.h>

#include <string>

#include "platform/CNMessageBase.h"
#include "platform/messages/All.h"

namespace {

App::CloudDBEntity node(const std::string& name, std::int64_t type, const std::string& region = {},
                        const std::string& identifier = {}) {
  App::CloudDBEntity entity;
  entity.setName(name);
  entity.setEntityType(type);
  if (!region.empty()) {
    entity.setRegion(region);
  }
  if (!identifier.empty()) {
    entity.setIdentifier(identifier);
  }
  return entity;
}

// Compares two entity trees field by field, children in order.
void expectSameTree(const App::CloudDBEntity& expected, const App::CloudDBEntity& actual, const std::string& path) {
  EXPECT_EQ(actual.name(), expected.name()) << path;
  EXPECT_EQ(actual.entityType(), expected.entityType()) << path;
  EXPECT_EQ(actual.region(), expected.region()) << path;
  EXPECT_EQ(actual.identifier(), expected.identifier()) << path;
  EXPECT_EQ(actual.tagValue(), expected.tagValue()) << path;
  EXPECT_EQ(actual.negated(), expected.negated()) << path;
  for (int field : {3, 4, 5, 6, 9, 25}) {
    EXPECT_EQ(actual.isSet(field), expected.isSet(field)) << path << " field " << field;
  }
  ASSERT_EQ(actual.children().size(), expected.children().size()) << path;
  for (std::size_t i = 0; i < expected.children().size(); ++i) {
    expectSameTree(expected.children()[i], actual.children()[i], path + "/" + std::to_string(i));
  }
}

std::string nested(int depth) {
  std::string xml = "<CloudDBEntity>";
  for (int i = 1; i < depth; ++i) {
    xml += "<children>";
  }
  for (int i = 1; i < depth; ++i) {
    xml += "</children>";
  }
  return xml + "</CloudDBEntity>";
}

TEST(MessageXml, DeepEntityTreeSurvivesARoundTrip) {
  App::CloudDBEntity root = node("", 17);
  for (const char* regionName : {"us-east-1", "eu-west-1", "ap-south-1"}) {
    App::CloudDBEntity region = node(regionName, 4, "", std::string("dc-") + regionName);
    for (int i = 0; i < 3; ++i) {
      App::CloudDBEntity cluster = node("cluster-" + std::to_string(i), 48, regionName);
      cluster.addChild(node("member-" + std::to_string(i), 50, regionName));
      region.addChild(cluster);
    }
    App::CloudDBEntity rule = node("team", 34);
    rule.setTagValue("payments");
    rule.setNegated(true);
    region.addChild(rule);
    root.addChild(region);
  }

  App::CloudDBEntity parsed;
  const CLmError result = parsed.unserialize(root.serialize());
  ASSERT_TRUE(result.IsSuccess()) << result.AsString();
  expectSameTree(root, parsed, "root");
  EXPECT_EQ(parsed.serialize(), root.serialize());
}

TEST(MessageXml, ContentRulesReadAsPeopleWriteThem) {
  const std::string written = R"(<?xml version="1.0"?>
<!-- nightly backup set -->
<CloudDBEntity entityType="17">
  <children name="prod*" entityType="51" region="us-east-1" negated="1"/>
  <children name="env" tagValue="prod" entityType="34"/>
  <children name="eu-west-1" entityType="4"/>
</CloudDBEntity>
)";
  App::CloudDBEntity content;
  const CLmError result = content.unserialize(written);
  ASSERT_TRUE(result.IsSuccess()) << result.AsString();
  ASSERT_EQ(content.children().size(), 3u);
  EXPECT_EQ(content.children()[0].name(), "prod*");
  EXPECT_EQ(content.children()[0].entityType(), 51);
  EXPECT_EQ(content.children()[0].getint64ByPosition(25), 1);
  EXPECT_EQ(content.children()[1].tagValue(), "prod");
  EXPECT_FALSE(content.children()[2].isSet(App::CloudDBEntity::kRegion));

  EXPECT_EQ(content.serialize(),
            "<CloudDBEntity entityType=\"17\">"
            "<children name=\"prod*\" entityType=\"51\" region=\"us-east-1\" negated=\"1\"/>"
            "<children name=\"env\" entityType=\"34\" tagValue=\"prod\"/>"
            "<children name=\"eu-west-1\" entityType=\"4\"/>"
            "</CloudDBEntity>");
}

TEST(MessageXml, TextsWithMarkupCharactersRoundTrip) {
  const std::string awkward = "a\"b'c<d>e&f\tg\nh  \xC3\xA9 ]]> end \r\n\r ";
  App::CloudDBEntity entity = node(awkward, 4, " padded ");
  App::DocumentDBCluster cluster;
  cluster.setMembers({awkward, "   ", "", "\r"});

  App::CloudDBEntity parsedEntity;
  ASSERT_TRUE(parsedEntity.unserialize(entity.serialize()).IsSuccess());
  EXPECT_EQ(parsedEntity.name(), awkward);
  EXPECT_EQ(parsedEntity.region(), " padded ");

  App::DocumentDBCluster parsedCluster;
  ASSERT_TRUE(parsedCluster.unserialize(cluster.serialize()).IsSuccess()) << cluster.serialize();
  EXPECT_EQ(parsedCluster.members(), cluster.members());

  App::BrowsePreviewReq request;
  request.mutableUserCredentials().setPassword({"pa\rss\r\nword\r", false});
  App::BrowsePreviewReq parsedRequest;
  ASSERT_TRUE(parsedRequest.unserialize(request.serialize()).IsSuccess());
  EXPECT_EQ(parsedRequest.userCredentials()->password().text, "pa\rss\r\nword\r");
}

// The rendering is fixed text, character for character: peers and stored content compare it.
TEST(MessageXml, TextsAreEscapedExactlyAsRendered) {
  struct Case {
    std::string text;
    std::string asAttribute;
    std::string asElementText;
  };
  const Case cases[] = {
      {"plain \xC3\xA9", "plain \xC3\xA9", "plain \xC3\xA9"},
      {"a\"b'c", "a&quot;b'c", "a\"b'c"},
      {"<&>", "&lt;&amp;>", "&lt;&amp;&gt;"},
      {"\t\n\r", "&#09;&#10;&#13;", "\t\n\r"},
      {"\x01\x1F", "&#01;&#31;", "&#01;&#31;"},
      {std::string("ab\0cd", 5), "ab", "ab"},  // cut at the NUL, as the XML library's strings are
  };
  for (const Case& c : cases) {
    App::DocumentDBCluster cluster;
    cluster.setClusterIdentifier(c.text);
    cluster.setMembers({c.text, ""});
    EXPECT_EQ(cluster.serialize(), "<DocumentDBCluster clusterIdentifier=\"" + c.asAttribute + "\"><member>" +
                                       c.asElementText + "</member><member/></DocumentDBCluster>");
  }
  App::CloudDBEntity root = node("r", 17);
  App::CloudDBEntity child = node("c", 4, "eu");
  child.setint64(App::CloudDBEntity::kNegated, -7);
  root.addChild(child);
  root.addChild(node("d", 4));
  EXPECT_EQ(root.serialize(), "<CloudDBEntity name=\"r\" entityType=\"17\"><children name=\"c\" entityType=\"4\" "
                              "region=\"eu\" negated=\"-7\"/><children name=\"d\" entityType=\"4\"/></CloudDBEntity>");
}

// The parser's strings end at a NUL, so a text holding one would arrive shortened.
TEST(MessageXml, TextsThatWouldHoldANulAreRefused) {
  using namespace std::string_literals;
  for (const std::string& bad :
       {R"(<CloudDBEntity name="prod&#0;-hidden"/>)"s, R"(<CloudDBEntity name="a&#x0;"/>)"s,
        R"(<CloudDBEntity name="a&#0000;"/>)"s, R"(<CloudDBEntity name="a&#4294967296;"/>)"s,
        R"(<CloudDBEntity name="a&#x100000000;"/>)"s, "<CloudDBEntity name=\"a\0b\"/>"s,
        R"(<DocumentDBCluster><member>a&#0;b</member></DocumentDBCluster>)"s}) {
    const msg::MessageType* type = msg::findTypeByElement(bad.substr(1, bad.find_first_of(" >") - 1));
    ASSERT_NE(type, nullptr) << bad;
    const CLmError result = type->make()->unserialize(bad);
    ASSERT_TRUE(result.IsFailure()) << bad;
    EXPECT_NE(result.message().find("NUL"), std::string::npos) << result.message();
  }
  App::CloudDBEntity entity;
  EXPECT_TRUE(entity.unserialize(R"(<CloudDBEntity name="&#10;&#x10FFFF;&#65;"/>)").IsSuccess());
  EXPECT_EQ(entity.name(), "\n\xF4\x8F\xBF\xBF" "A");
}

TEST(MessageXml, IntegersKeepTheirFullRange) {
  App::ErrorRecord record;
  record.setErrorCode(INT64_MIN);
  App::ErrorRecord parsed;
  ASSERT_TRUE(parsed.unserialize(record.serialize()).IsSuccess());
  EXPECT_EQ(parsed.errorCode(), INT64_MIN);

  EXPECT_TRUE(parsed.unserialize(R"(<ErrorRecord errorCode="9223372036854775807"/>)").IsSuccess());
  EXPECT_EQ(parsed.errorCode(), INT64_MAX);
  EXPECT_TRUE(parsed.unserialize(R"(<ErrorRecord errorCode="9223372036854775808"/>)").IsFailure());
}

TEST(MessageXml, NestedResponsesRoundTripWithTypedSubMessages) {
  App::BrowseInventoryResp response;
  response.mutableError().setErrorCode(0);
  App::CloudDBEntity root = node("", 17);
  root.addChild(node("us-east-1", 4));
  response.setRoot(root);

  App::BrowseInventoryResp parsed;
  ASSERT_TRUE(parsed.unserialize(response.serialize()).IsSuccess());
  ASSERT_NE(parsed.root(), nullptr);
  EXPECT_NE(dynamic_cast<const App::CloudDBEntity*>(parsed.getObjectAccessor(App::BrowseInventoryResp::kRoot)),
            nullptr);
  EXPECT_EQ(parsed.root()->children()[0].name(), "us-east-1");
  ASSERT_NE(parsed.error(), nullptr);
  EXPECT_TRUE(parsed.error()->isSet(App::ErrorRecord::kErrorCode));
  EXPECT_EQ(parsed.serialize(),
            "<BrowseInventoryResp><root name=\"\" entityType=\"17\"><children name=\"us-east-1\" entityType=\"4\"/>"
            "</root><error errorCode=\"0\"/></BrowseInventoryResp>");
}

TEST(MessageXml, ListsOfAnyMessageNameEachElementByItsType) {
  Dax::CloudDBServiceReq inner;
  inner.setOperation(2);
  inner.mutableService().setServiceName("orcl");
  inner.mutableService().mutableDetails().setPublicKeyName("ssh-key");
  Dax::CloudDBServiceReq outer;
  outer.addRequest(inner);

  const std::string xml = outer.serialize();
  EXPECT_EQ(xml,
            "<CloudDBServiceReq><requests><CloudDBServiceReq operation=\"2\"><service serviceName=\"orcl\">"
            "<details publicKeyName=\"ssh-key\"/></service></CloudDBServiceReq></requests></CloudDBServiceReq>");

  Dax::CloudDBServiceReq parsed;
  ASSERT_TRUE(parsed.unserialize(xml).IsSuccess());
  ASSERT_EQ(parsed.requests().size(), 1u);
  const auto* first = dynamic_cast<const Dax::CloudDBServiceReq*>(parsed.requests()[0].get());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->getTagID(), 0x16D7575Cu);
  EXPECT_EQ(first->operation(), 2);
  EXPECT_EQ(first->service()->details()->publicKeyName(), "ssh-key");

  EXPECT_TRUE(parsed.unserialize("<CloudDBServiceReq><requests><NoSuchType/></requests></CloudDBServiceReq>")
                  .IsFailure());
}

TEST(MessageXml, PasswordsCarryTheirAnnotationAndAreMaskedForLogs) {
  App::BrowsePreviewReq request;
  request.mutableAccessKey().setAccessKeyId("AKIAEXAMPLE");
  request.mutableAccessKey().setSecretKey({"enc:v1:c2VjcmV0", true});
  request.mutableUserCredentials().setUser("admin");
  request.mutableUserCredentials().setPassword({"plain-text", false});

  const std::string xml = request.serialize();
  EXPECT_NE(xml.find("<secretKey encrypted=\"true\">enc:v1:c2VjcmV0</secretKey>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<password encrypted=\"false\">plain-text</password>"), std::string::npos) << xml;

  const std::string shown = request.AsString();
  EXPECT_EQ(shown.find("c2VjcmV0"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("plain-text"), std::string::npos) << shown;
  EXPECT_NE(shown.find("<secretKey encrypted=\"true\">***NOT SHOWN***</secretKey>"), std::string::npos) << shown;
  EXPECT_NE(shown.find("AKIAEXAMPLE"), std::string::npos);

  App::BrowsePreviewReq parsed;
  ASSERT_TRUE(parsed.unserialize(xml).IsSuccess());
  EXPECT_EQ(parsed.accessKey()->secretKey(), (msg::PasswordString{"enc:v1:c2VjcmV0", true}));
  EXPECT_EQ(parsed.userCredentials()->password(), (msg::PasswordString{"plain-text", false}));

  // Without the annotation a stored secret counts as encrypted.
  ASSERT_TRUE(parsed.unserialize("<BrowsePreviewReq><accessKey><secretKey>x</secretKey></accessKey></BrowsePreviewReq>")
                  .IsSuccess());
  EXPECT_TRUE(parsed.accessKey()->secretKey().encrypted);
  EXPECT_TRUE(parsed.unserialize(R"(<BrowsePreviewReq><accessKey><secretKey encrypted="yes">x</secretKey>)"
                                 R"(</accessKey></BrowsePreviewReq>)")
                  .IsFailure());
}

TEST(MessageXml, MalformedTextIsRefusedAndLeavesTheMessageEmpty) {
  for (const char* bad : {"", "   ", "<CloudDBEntity", "<CloudDBEntity name=\"a></CloudDBEntity>",
                          "<CloudDBEntity></Other>", "not xml at all", "<!-- only a comment -->",
                          "<CloudDBEntity/><CloudDBEntity/>", "<CloudDBEntity/>trailing"}) {
    App::CloudDBEntity entity = node("kept?", 4);
    const CLmError result = entity.unserialize(bad);
    EXPECT_TRUE(result.IsFailure()) << bad;
    EXPECT_LT(result.code(), 0) << bad;
    EXPECT_FALSE(result.message().empty()) << bad;
    EXPECT_FALSE(entity.isSet(App::CloudDBEntity::kName)) << bad;
    EXPECT_EQ(entity.serialize(), "<CloudDBEntity/>") << bad;
  }
}

TEST(MessageXml, ForeignRootsAreRefused) {
  App::CloudDBEntity entity;
  const CLmError result = entity.unserialize(R"(<ErrorRecord errorCode="1"/>)");
  ASSERT_TRUE(result.IsFailure());
  EXPECT_NE(result.message().find("'ErrorRecord' is not 'CloudDBEntity'"), std::string::npos) << result.message();

  App::ErrorRecord record;
  EXPECT_TRUE(record.unserialize("<CloudDBEntity/>").IsFailure());
}

TEST(MessageXml, MisspeltOrMisplacedContentIsRefusedWithItsName) {
  struct Case {
    const char* xml;
    const char* reason;
  };
  const Case cases[] = {
      {R"(<CloudDBEntity><children name="x" negate="1"/></CloudDBEntity>)", "unknown attribute 'negate'"},
      {R"(<CloudDBEntity n="x"/>)", "unknown attribute 'n'"},
      {R"(<CloudDBEntity entityType="seventeen"/>)", "'entityType' is not a 64-bit integer: 'seventeen'"},
      {R"(<CloudDBEntity entityType="17 "/>)", "'entityType' is not a 64-bit integer"},
      {R"(<CloudDBEntity entityType=""/>)", "'entityType' is not a 64-bit integer"},
      {R"(<CloudDBEntity><child name="x"/></CloudDBEntity>)", "unknown element 'child'"},
      {R"(<CloudDBEntity><name>x</name></CloudDBEntity>)", "unknown element 'name'"},
      {R"(<CloudDBEntity children="x"/>)", "unknown attribute 'children'"},
      {R"(<CloudDBEntity names="x"/>)", "unknown attribute 'names'"},
      {R"(<CloudDBEntity name="x" region="y" name="z"/>)", "attribute 'name' given twice"},
      {R"(<RDSDBInstance field12="a" field1="b" field13="c"/>)", "unknown attribute 'field13'"},
      {R"(<CloudDBEntity name="a" name="b"/>)", "attribute 'name' given twice"},
      {R"(<CloudDBEntity>stray words</CloudDBEntity>)", "holds text"},
      {R"(<BrowseInventoryResp><error/><error/></BrowseInventoryResp>)", "element 'error' given twice"},
      {R"(<DocumentDBCluster><member kind="x">a</member></DocumentDBCluster>)", "takes no attributes"},
      {R"(<DocumentDBCluster><member><b/></member></DocumentDBCluster>)", "takes text only"},
  };
  for (const Case& item : cases) {
    const msg::MessageType* type = msg::findTypeByElement(
        std::string_view(item.xml).substr(1, std::string_view(item.xml).find_first_of(" >/") - 1));
    ASSERT_NE(type, nullptr) << item.xml;
    std::unique_ptr<CNMessageBase> message = type->make();
    const CLmError result = message->unserialize(item.xml);
    ASSERT_TRUE(result.IsFailure()) << item.xml;
    EXPECT_NE(result.message().find(item.reason), std::string::npos) << result.message();
    EXPECT_NE(result.message().find("at offset"), std::string::npos) << result.message();
  }
}

TEST(MessageXml, HostileNestingIsRefusedWithoutCrashing) {
  App::CloudDBEntity entity;
  EXPECT_TRUE(entity.unserialize(nested(msg::kMaxXmlDepth)).IsSuccess());

  const CLmError tooDeep = entity.unserialize(nested(msg::kMaxXmlDepth + 1));
  ASSERT_TRUE(tooDeep.IsFailure());
  EXPECT_NE(tooDeep.message().find("nested deeper than 256 levels"), std::string::npos) << tooDeep.message();

  // Far beyond any stack: the parser must refuse, not overflow.
  EXPECT_TRUE(entity.unserialize(nested(200000)).IsFailure());
  EXPECT_TRUE(entity.children().empty());

  std::string unclosed;
  for (int i = 0; i < 100000; ++i) {
    unclosed += "<children>";
  }
  EXPECT_TRUE(entity.unserialize("<CloudDBEntity>" + unclosed).IsFailure());
}

TEST(MessageXml, HugeTextsAreCarriedWhole) {
  const std::string huge(8 * 1024 * 1024, 'x');
  App::CloudDBEntity entity = node(huge, 4);
  App::CloudDBEntity parsed;
  ASSERT_TRUE(parsed.unserialize(entity.serialize()).IsSuccess());
  EXPECT_EQ(parsed.name().size(), huge.size());
}

TEST(MessageXml, CreateFromXmlMakesTheTypeTheRootNames) {
  CLmError error;
  std::unique_ptr<CNMessageBase> message =
      CNMessageBase::createFromXml(R"(<BrowseInventoryReq path="us-east-1" instanceType="4">)"
                                   R"(<instance instanceId="1001"/></BrowseInventoryReq>)",
                                   error);
  ASSERT_TRUE(error.IsSuccess()) << error.AsString();
  const auto* request = dynamic_cast<const App::BrowseInventoryReq*>(message.get());
  ASSERT_NE(request, nullptr);
  EXPECT_EQ(request->getTagID(), 0x1EA69FE1u);
  EXPECT_EQ(request->instance()->instanceId(), 1001);
  EXPECT_EQ(request->path(), "us-east-1");

  EXPECT_EQ(CNMessageBase::createFromXml("<Unheard/>", error), nullptr);
  EXPECT_TRUE(error.IsFailure());
  EXPECT_EQ(CNMessageBase::createFromXml("<BrowseInventoryReq bogus=\"1\"/>", error), nullptr);
  EXPECT_TRUE(error.IsFailure());
}

}  // namespace
