// The message registry: the types the host exchanges are found by tag id, by (module, class)
// and by XML element, are made as their typed classes, and every declaration is consistent.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <typeinfo>

#include "platform/CNMessageBase.h"
#include "platform/messages/All.h"

namespace {

template <class T>
void expectMadeFromTag(std::uint32_t tagId, const char* tagName) {
  std::unique_ptr<CNMessageBase> message = CNMessageBase::createFromTag(tagId);
  ASSERT_NE(message, nullptr) << std::hex << tagId;
  const CNMessageBase& made = *message;  // typeid of a plain reference: no expression to evaluate
  EXPECT_EQ(typeid(made), typeid(T)) << tagName;
  EXPECT_EQ(message->getTagID(), tagId) << tagName;
  EXPECT_EQ(message->getTagName(), tagName);
  EXPECT_EQ(CNMessageBase::findType(tagId), &T::kType);
}

TEST(MessageRegistry, RequestTagsMakeTheirTypedClasses) {
  expectMadeFromTag<Session::DisconnectReq>(0x09000102, "Session::DisconnectReq");
  expectMadeFromTag<Session::DisconnectReply>(0x09000103, "Session::DisconnectReply");
  expectMadeFromTag<Session::AbortNotice>(0x09000104, "Session::AbortNotice");
  expectMadeFromTag<App::BrowseRDSInventoryReq>(0x1E7CE4B9, "App::BrowseRDSInventoryReq");
  expectMadeFromTag<App::BrowseInventoryReq>(0x1EA69FE1, "App::BrowseInventoryReq");
  expectMadeFromTag<App::BrowsePreviewReq>(0x1EB16DAF, "App::BrowsePreviewReq");
  expectMadeFromTag<EVGui::OracleCloudTreeReq>(0x0D0F8722, "EVGui::OracleCloudTreeReq");
  expectMadeFromTag<Dax::CloudDBServiceReq>(0x16D7575C, "Dax::CloudDBServiceReq");
  expectMadeFromTag<KwEntities::ClientInstanceEntity>(0x1221ACF8, "KwEntities::ClientInstanceEntity");
  expectMadeFromTag<App::CloudDBEntity>((30u << 24) | 2718u, "App::CloudDBEntity");
}

TEST(MessageRegistry, ModuleAndClassMakeTheirTypedClasses) {
  struct Expected {
    std::uint32_t module;
    std::uint32_t classId;
    const msg::MessageType* type;
  };
  const Expected expected[] = {
      {30, 2718, &App::CloudDBEntity::kType},       {30, 1595, &App::ErrorRecord::kType},
      {30, 624, &App::BrowseRDSInventoryResp::kType}, {30, 2740, &App::BrowseInventoryResp::kType},
      {30, 622, &App::RDSDBInstance::kType},        {30, 2585, &App::DynamoDBTable::kType},
      {30, 2790, &App::DocumentDBCluster::kType},   {30, 2793, &App::RedshiftCluster::kType},
      {30, 3220, &App::GetHTTPProxySettingsReq::kType}, {30, 3219, &App::HTTPProxySettings::kType},
      {30, 257, &App::CloudAppsCredentials::kType}, {30, 3191, &App::SpannerSubclientInfo::kType},
      {18, 10, &KwEntities::InstanceEntity::kType}, {18, 46, &KwEntities::ClientEntity::kType},
      {18, 68, &KwEntities::VirtualMachineEntity::kType}, {18, 83, &KwEntities::CloudInstanceEntity::kType},
      {18, 82, &KwEntities::NamedEntity::kType},    {18, 8, &KwEntities::ClientInstanceEntity::kType},
      {13, 537, &EVGui::OracleCloudTreeResp::kType}, {13, 298, &EVGui::VMInventoryInfo::kType},
      {22, 497, &Dax::CloudDBServiceReq::kType},    {22, 498, &Dax::CloudDBServiceResp::kType},
      {22, 496, &Dax::CloudDBService::kType},       {22, 493, &Dax::CloudDBServiceDetails::kType},
      {22, 494, &Dax::CloudDBBackupSettings::kType}, {22, 495, &Dax::CloudDBSourceSettings::kType},
      {22, 149, &Dax::NamedObjectRef::kType},       {22, 422, &Dax::ResultRecord::kType},
      {20, 0, &Security::UserPassword::kType},      {26, 54, &SubclientContent::OCIDatabaseContent::kType},
  };
  for (const Expected& item : expected) {
    std::unique_ptr<CNMessageBase> message = CNMessageBase::create(item.module, item.classId);
    ASSERT_NE(message, nullptr) << item.module << "," << item.classId;
    EXPECT_EQ(&message->type(), item.type) << item.type->tagName;
    const std::unique_ptr<CNMessageBase> fresh = item.type->make();
    const CNMessageBase& made = *message;
    const CNMessageBase& madeByType = *fresh;
    EXPECT_EQ(typeid(made), typeid(madeByType)) << item.type->tagName;
    EXPECT_NE(typeid(made), typeid(CNMessageBase)) << item.type->tagName;
  }
}

TEST(MessageRegistry, UnknownTypesMakeNothing) {
  EXPECT_EQ(CNMessageBase::create(30, 9999), nullptr);
  EXPECT_EQ(CNMessageBase::create(0, 0), nullptr);
  EXPECT_EQ(CNMessageBase::createFromTag(0x1E00FFFF), nullptr);
  EXPECT_EQ(CNMessageBase::findType(0), nullptr);
  EXPECT_EQ(msg::findTypeByElement("Nothing"), nullptr);
}

TEST(MessageRegistry, IdsTagsAndElementsAreUnique) {
  std::set<std::pair<std::uint32_t, std::uint32_t>> ids;
  std::set<std::uint32_t> tags;
  std::set<std::string> elements;
  std::set<std::string> names;
  for (const msg::MessageType* type : msg::registeredTypes()) {
    EXPECT_TRUE(ids.emplace(type->id.module, type->id.classId).second) << type->tagName;
    EXPECT_TRUE(tags.insert(type->tagId()).second) << type->tagName;
    EXPECT_TRUE(elements.insert(std::string(type->xmlElement)).second) << type->tagName;
    EXPECT_TRUE(names.insert(std::string(type->tagName)).second) << type->tagName;
    EXPECT_EQ(msg::findTypeByElement(type->xmlElement), type);
    EXPECT_EQ(CNMessageBase::findType(type->tagId()), type);
    EXPECT_EQ(msg::findType(type->id), type);
  }
}

TEST(MessageRegistry, EveryDeclarationIsConsistent) {
  for (const msg::MessageType* type : msg::registeredTypes()) {
    std::set<int> numbers;
    std::set<int> positions;
    std::set<std::string> xmlNames;
    EXPECT_EQ(type->xmlElement.data()[type->xmlElement.size()], '\0') << type->tagName;
    for (const msg::FieldDecl& field : type->fields) {
      const std::string where = std::string(type->tagName) + " field " + std::to_string(field.number);
      EXPECT_TRUE(numbers.insert(field.number).second) << where;
      EXPECT_TRUE(positions.insert(field.position).second) << where;
      EXPECT_TRUE(xmlNames.insert(std::string(field.xmlName)).second) << where;
      EXPECT_FALSE(field.xmlName.empty()) << where;
      EXPECT_EQ(field.xmlName.data()[field.xmlName.size()], '\0') << where;
      const bool nested = field.kind == msg::FieldKind::Object || field.kind == msg::FieldKind::ObjectList;
      if (nested && !(field.kind == msg::FieldKind::ObjectList && field.subType == msg::kAnyMessageType)) {
        EXPECT_NE(msg::findType(field.subType), nullptr) << where << " names an unregistered type";
      }
      if (!nested) {
        EXPECT_EQ(field.subType, msg::MessageTypeId{}) << where;
      }
    }
  }
}

// The reader finds fields by XML name through each type's hashed table: every declared name must
// lead to its own field, as an attribute or as an element by its kind, and a name one character
// longer or shorter, or the right name in the other place, to none.
TEST(MessageRegistry, EveryXmlNameFindsItsOwnFieldAndNoOther) {
  for (const msg::MessageType* type : msg::registeredTypes()) {
    std::set<std::string> declared;
    for (const msg::FieldDecl& field : type->fields) {
      declared.insert(std::string(field.xmlName));
    }
    for (std::size_t i = 0; i < type->fields.size(); ++i) {
      const msg::FieldDecl& field = type->fields[i];
      const std::string name(field.xmlName);
      const std::string where = std::string(type->tagName) + " " + name;
      const bool attribute = msg::MessageType::isAttributeKind(field.kind);
      EXPECT_EQ(type->slotOfXml(name.c_str(), attribute), static_cast<int>(i)) << where;
      EXPECT_EQ(type->slotOfXml(name.c_str(), !attribute), -1) << where;
      for (const std::string& near : {name + "x", name.substr(0, name.size() - 1), std::string()}) {
        if (declared.count(near) == 0) {
          EXPECT_EQ(type->slotOfXml(near.c_str(), true), -1) << where << " / '" << near << "'";
          EXPECT_EQ(type->slotOfXml(near.c_str(), false), -1) << where << " / '" << near << "'";
        }
      }
    }
  }
}

TEST(MessageRegistry, EntityFieldsSitAtTheirDeclaredPairs) {
  const std::pair<int, int> pairs[] = {{1, 1}, {3, 3}, {4, 7}, {5, 8}, {6, 12}, {9, 21}, {25, 25}};
  for (const auto& [number, position] : pairs) {
    bool found = false;
    for (const msg::FieldDecl& field : App::CloudDBEntity::kType.fields) {
      found = found || (field.number == number && field.position == position);
    }
    EXPECT_TRUE(found) << number << "/" << position;
  }
  EXPECT_EQ(App::CloudDBEntity::kType.fields.size(), std::size(pairs));
}

}  // namespace
