#pragma once
// What previews and backup-set expansions do with the records the content rules select: drop
// the duplicates (two records with the same key are the same database), show the rest as
// preview nodes, and find a backup set's content in the configuration.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "clouddb/aws/RdsListedRecord.h"
#include "clouddb/core/AwsTexts.h"
#include "platform/CLmError.h"
#include "platform/messages/App.h"

namespace clouddb::aws {

const std::string& recordName(const App::RDSDBInstance& record);
const std::string& recordName(const App::DynamoDBTable& record);
const std::string& recordName(const App::DocumentDBCluster& record);
const std::string& recordName(const App::RedshiftCluster& record);

const std::string& recordRegion(const App::RDSDBInstance& record);
const std::string& recordRegion(const App::DynamoDBTable& record);
const std::string& recordRegion(const App::DocumentDBCluster& record);
const std::string& recordRegion(const App::RedshiftCluster& record);

const std::string& recordName(const RdsListedRecord& record);
const std::string& recordRegion(const RdsListedRecord& record);

// What makes two records the same database, viewed in the record: region, name and, for RDS,
// engine (the third is empty where the key has two parts); and the same for a preview node: its
// type, region and name.
struct RecordKeyView {
  std::int64_t type = 0;
  std::string_view first;
  std::string_view second;
  std::string_view third;
  bool operator==(const RecordKeyView&) const = default;
};
struct RecordKeyViewHash;
// A set of keys that lives for one call: its entries come from one arena rather than one
// allocation each, and go with it.
using RecordKeyViewSet = std::pmr::unordered_set<RecordKeyView, RecordKeyViewHash>;
inline std::size_t arenaBytesFor(std::size_t keys) {
  return std::max<std::size_t>(keys, 1) * (sizeof(RecordKeyView) + 3 * sizeof(void*));
}

struct RecordKeyViewHash {
  std::size_t operator()(const RecordKeyView& key) const {
    const std::hash<std::string_view> hash;
    std::size_t seed = std::hash<std::int64_t>()(key.type);
    for (const std::string_view part : {key.first, key.second, key.third}) {
      seed ^= hash(part) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    }
    return seed;
  }
};
RecordKeyView duplicateKeyView(const App::RDSDBInstance& record);
template <typename Record>
RecordKeyView duplicateKeyView(const Record& record) {
  return {0, recordRegion(record), recordName(record), {}};
}

// Moves each record of found whose key was not seen earlier in this call into out, in order.
template <typename Record>
void appendUnique(std::vector<Record>& found, std::vector<Record>& out) {
  // The keys view the records of found, so every record is judged before any is moved.
  std::pmr::monotonic_buffer_resource arena(arenaBytesFor(found.size()));
  RecordKeyViewSet seen(&arena);
  seen.reserve(found.size());
  std::vector<bool> first(found.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    first[i] = seen.insert(duplicateKeyView(found[i])).second;
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (first[i]) {
      out.push_back(std::move(found[i]));
    }
  }
}

// Appends one node (type, name, region) per distinct record to the entity's children. A node
// shows only its type, name and region, so two records that differ in nothing else (a named
// entry of a preview, which is not looked up, and the same database found by another rule)
// are shown once. A node's type follows from what makes two records the same database (its
// duplicate key), so records that are duplicates always make the same node, and one set of
// shown nodes drops both kinds of repeat.
template <typename Record, typename NodeTypeOf>
void appendPreviewNodes(const std::vector<Record>& found, App::CloudDBEntity& entity, NodeTypeOf nodeTypeOf) {
  if (found.empty()) {
    return;  // the entity's children stay as they were, unset when they were
  }
  // The keys view the records of found, which stay in place while the nodes are made.
  std::pmr::monotonic_buffer_resource arena(arenaBytesFor(found.size()));
  RecordKeyViewSet shown(&arena);
  shown.reserve(found.size());
  MessageList& children = *entity.mutableListObject(App::CloudDBEntity::kChildren);
  children.reserve(children.size() + found.size());
  for (const Record& record : found) {
    const std::int64_t type = nodeTypeOf(record);
    if (!shown.insert(RecordKeyView{type, recordRegion(record), recordName(record), {}}).second) {
      continue;
    }
    auto node = CNMessageBase::makeWithStorage<App::CloudDBEntity>();
    node->setEntityType(type);
    node->setName(recordName(record));
    node->setRegion(recordRegion(record));
    children.push_back(std::move(node));
  }
}

// The preview wrapper: expand into a private list (expand(found) gives the result), then show
// the distinct records as nodes; a failure comes back with where pushed and the entity unchanged.
template <typename Record, typename Expand, typename NodeTypeOf>
CLmError previewExpansion(Expand expand, App::CloudDBEntity& entity, NodeTypeOf nodeTypeOf, const CLmLocation& where) {
  std::vector<Record> found;
  CLmError result = expand(found);
  if (result.IsFailure()) {
    return result.Push(where);
  }
  appendPreviewNodes(found, entity, nodeTypeOf);
  return {};
}

// The outer backup-set wrapper: the inner expansion into a private list, then the distinct
// records appended to out; a failure comes back with where pushed and out unchanged.
template <typename Record, typename ExpandInner>
CLmError expandWithoutDuplicates(ExpandInner expandInner, std::vector<Record>& out, const CLmLocation& where) {
  std::vector<Record> found;
  CLmError result = expandInner(found);
  if (result.IsFailure()) {
    return result.Push(where);
  }
  appendUnique(found, out);
  return {};
}

inline constexpr char kNoDynamicContent[] = "No dynamic content found for appId %ld";

// The owning instance and the dynamic content of the backup set with this subclient id.
CLmError readBackupSetContent(unsigned long appId, std::uint64_t& instanceId, std::string& content,
                              const CLmLocation& where);

}  // namespace clouddb::aws
