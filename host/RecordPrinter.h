#pragma once
// Prints a record adapted in RecordReflection.h (or any Boost.Fusion-adapted structure): every
// member by name, as JSON members or as indented "name = value" lines. Secrets stay hidden.
#include <boost/fusion/include/adapt_struct.hpp>
#include <boost/fusion/include/at_c.hpp>
#include <boost/fusion/include/is_sequence.hpp>
#include <boost/fusion/include/size.hpp>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "MessagePrinter.h"

namespace host::records {

template <typename Record>
constexpr bool kIsRecord = boost::fusion::traits::is_sequence<Record>::value;

template <typename Record, std::size_t Index>
const char* memberName() {
  return boost::fusion::extension::struct_member_name<Record, Index>::call();
}

// Members that hold a secret (passwords, keys) are shown as "***NOT SHOWN***" when set.
inline bool isSecretMember(std::string_view name) {
  return name.find("assword") != std::string_view::npos || name.find("ecryptionKey") != std::string_view::npos ||
         name.find("ecretKey") != std::string_view::npos;
}
inline std::string shownText(std::string_view member, const std::string& text) {
  return isSecretMember(member) && !text.empty() ? std::string(kPasswordShown) : text;
}
template <typename Value>
const Value& shownValue(std::string_view, const Value& value) {
  return value;
}
inline std::string shownValue(std::string_view member, const std::string& text) { return shownText(member, text); }

inline void writeJsonValue(JsonWriter& json, const std::string& text) {
  json.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
}
inline void writeJsonValue(JsonWriter& json, bool flag) { json.Bool(flag); }
inline void writeJsonValue(JsonWriter& json, double number) { json.Double(number); }
template <typename Number, std::enable_if_t<std::is_integral_v<Number> && !std::is_same_v<Number, bool>, int> = 0>
void writeJsonValue(JsonWriter& json, Number number) {
  json.Int64(static_cast<std::int64_t>(number));
}
template <typename Record, std::enable_if_t<kIsRecord<Record>, int> = 0>
void writeJsonValue(JsonWriter& json, const Record& record);
template <typename Item>
void writeJsonValue(JsonWriter& json, const std::vector<Item>& items) {
  json.StartArray();
  for (const Item& item : items) {
    writeJsonValue(json, item);
  }
  json.EndArray();
}

template <typename Record, std::size_t... Index>
void writeJsonMembers(JsonWriter& json, const Record& record, std::index_sequence<Index...>) {
  ((json.Key(memberName<Record, Index>()),
    writeJsonValue(json, shownValue(memberName<Record, Index>(), boost::fusion::at_c<Index>(record)))),
   ...);
}

template <typename Record, std::enable_if_t<kIsRecord<Record>, int>>
void writeJsonValue(JsonWriter& json, const Record& record) {
  json.StartObject();
  writeJsonMembers(json, record, std::make_index_sequence<boost::fusion::result_of::size<Record>::value>{});
  json.EndObject();
}

inline void writeTreeValue(std::ostream& out, const std::string& text) { out << '"' << text << '"'; }
inline void writeTreeValue(std::ostream& out, bool flag) { out << (flag ? "true" : "false"); }
inline void writeTreeValue(std::ostream& out, double number) { out << number; }
// Widened first, so that one-byte flags print as numbers, not as characters.
template <typename Number, std::enable_if_t<std::is_integral_v<Number> && !std::is_same_v<Number, bool>, int> = 0>
void writeTreeValue(std::ostream& out, Number number) {
  out << static_cast<std::int64_t>(number);
}

template <typename Record, std::size_t... Index>
void writeTreeMembers(std::ostream& out, const Record& record, const std::string& indent,
                      std::index_sequence<Index...>) {
  ((out << indent << memberName<Record, Index>() << " = ",
    writeTreeValue(out, shownValue(memberName<Record, Index>(), boost::fusion::at_c<Index>(record))), out << "\n"),
   ...);
}

// One "- <title>" line per record, then its members indented below it.
template <typename Record>
void writeTree(std::ostream& out, const std::string& title, const std::vector<Record>& list) {
  for (const Record& record : list) {
    out << "- " << title << "\n";
    writeTreeMembers(out, record, "    ",
                     std::make_index_sequence<boost::fusion::result_of::size<Record>::value>{});
  }
}

}  // namespace host::records
