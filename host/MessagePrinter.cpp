#include "MessagePrinter.h"

#include <pugixml.hpp>

#include <sstream>
#include <type_traits>

#include "platform/CNMessageBase.h"

namespace host {
namespace {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

void writeTree(std::ostringstream& out, const CNMessageBase& message, int depth);

void writeTreeField(std::ostringstream& out, const CNMessageBase& message, std::size_t slot, int depth) {
  const msg::FieldDecl& field = message.type().fields[slot];
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  const std::string name(field.xmlName);
  message.visitSlot(slot, [&](const auto& held) {
    using Held = std::decay_t<decltype(held)>;
    if constexpr (std::is_same_v<Held, std::monostate>) {
      // Unset fields are not shown.
    } else if constexpr (std::is_same_v<Held, std::string>) {
      out << indent << name << " = " << quoted(held) << "\n";
    } else if constexpr (std::is_same_v<Held, std::int64_t>) {
      out << indent << name << " = " << held << "\n";
    } else if constexpr (std::is_same_v<Held, msg::PasswordString>) {
      out << indent << name << " = " << kPasswordShown << "\n";
    } else if constexpr (std::is_same_v<Held, std::vector<std::string>>) {
      out << indent << name << " = [";
      for (std::size_t i = 0; i < held.size(); ++i) {
        out << (i == 0 ? "" : ", ") << quoted(held[i]);
      }
      out << "]\n";
    } else if constexpr (std::is_same_v<Held, std::unique_ptr<CNMessageBase>>) {
      if (held) {
        out << indent << name << ": " << held->getTagName() << "\n";
        writeTree(out, *held, depth + 1);
      }
    } else {
      out << indent << name << ": " << held.size() << (held.size() == 1 ? " item" : " items") << "\n";
      for (const auto& item : held) {
        out << indent << "  - " << item->getTagName() << "\n";
        writeTree(out, *item, depth + 2);
      }
    }
  });
}

void writeTree(std::ostringstream& out, const CNMessageBase& message, int depth) {
  for (std::size_t slot = 0; slot < message.type().fields.size(); ++slot) {
    writeTreeField(out, message, slot, depth);
  }
}

void writeJsonString(JsonWriter& json, const std::string& text) {
  json.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
}

void writeJsonField(JsonWriter& json, const CNMessageBase& message, std::size_t slot) {
  if (!message.slotIsSet(slot)) {
    return;
  }
  const msg::FieldDecl& field = message.type().fields[slot];
  json.Key(field.xmlName.data(), static_cast<rapidjson::SizeType>(field.xmlName.size()));
  message.visitSlot(slot, [&](const auto& held) {
    using Held = std::decay_t<decltype(held)>;
    if constexpr (std::is_same_v<Held, std::monostate>) {
    } else if constexpr (std::is_same_v<Held, std::string>) {
      writeJsonString(json, held);
    } else if constexpr (std::is_same_v<Held, std::int64_t>) {
      json.Int64(held);
    } else if constexpr (std::is_same_v<Held, msg::PasswordString>) {
      json.String(kPasswordShown);
    } else if constexpr (std::is_same_v<Held, std::vector<std::string>>) {
      json.StartArray();
      for (const auto& text : held) {
        writeJsonString(json, text);
      }
      json.EndArray();
    } else if constexpr (std::is_same_v<Held, std::unique_ptr<CNMessageBase>>) {
      if (held) {
        writeJson(json, *held);
      } else {
        json.Null();
      }
    } else {
      json.StartArray();
      for (const auto& item : held) {
        writeJson(json, *item);
      }
      json.EndArray();
    }
  });
}

}  // namespace

std::string renderXml(const CNMessageBase& message) {
  const std::string flat = message.AsString();
  pugi::xml_document document;
  if (!document.load_buffer(flat.data(), flat.size())) {
    return flat;  // shown as it came rather than not at all
  }
  std::ostringstream out;
  document.save(out, "  ", pugi::format_indent | pugi::format_no_declaration);
  return out.str();
}

std::string renderTree(const CNMessageBase& message) {
  std::ostringstream out;
  out << message.getTagName() << "\n";
  writeTree(out, message, 1);
  return out.str();
}

void writeJson(JsonWriter& json, const CNMessageBase& message) {
  json.StartObject();
  json.Key("_type");
  writeJsonString(json, message.getTagName());
  for (std::size_t slot = 0; slot < message.type().fields.size(); ++slot) {
    writeJsonField(json, message, slot);
  }
  json.EndObject();
}

}  // namespace host
