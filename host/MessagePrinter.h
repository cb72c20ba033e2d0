#pragma once
// Renderings of a message for people and for programs.
//
//  - renderXml: the message's XML rendering, indented one element per line. It is built from
//    AsString, so a password never reaches the screen.
//  - renderTree: one line per message and per set field, children indented by two spaces:
//        App::BrowseRDSInventoryResp
//          error: App::ErrorRecord
//            code = 1
//            message = "Failed to fetch cloud credentials."
//    Lists show their items as "- <type>" lines with the items' fields below them.
//  - writeJson: a JSON object per message, "_type" naming its type and one member per set field
//    under its XML name (lists as arrays, passwords masked).
#include <string>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

class CNMessageBase;

namespace host {

std::string renderXml(const CNMessageBase& message);
std::string renderTree(const CNMessageBase& message);

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;
void writeJson(JsonWriter& json, const CNMessageBase& message);

// The text shown in place of a password.
inline constexpr char kPasswordShown[] = "***NOT SHOWN***";

}  // namespace host
