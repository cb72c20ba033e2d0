// The XML rendering of host messages, over pugixml.
//
// A message is an element named by its type's xmlElement. Text and integer fields are
// attributes; a sub-message is a child element named by its field's XML name that holds the
// sub-message's own attributes and children; a list repeats that child element once per
// element; a list of messages of any type is one child element, named by the field, around
// complete message elements named by their types' xmlElement; a text list repeats a child
// element holding text; a password is a child element holding the text, with
// encrypted="true|false".
//
// Reading is strict, because people write content rules by hand and a misspelt attribute
// silently ignored would turn a rule into another rule: unknown attributes and elements, a field
// given twice, stray text, an integer that is not one, and nesting deeper than msg::kMaxXmlDepth
// are refused with the reason and the offset in the text. Comments, the XML declaration and
// whitespace between elements are allowed.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>

#include <pugixml.hpp>

#include "platform/CNMessageBase.h"

namespace {

using msg::FieldDecl;
using msg::FieldKind;

// Whitespace-only text is kept only where it is an element's sole content, so a text list entry
// of spaces survives a round trip while indentation between elements does not count as text.
// Line ends are not normalised: the writer leaves a carriage return in element text as it is, and
// reading it back as a line feed would change a password or a name in transit.
constexpr unsigned kParseOptions =
    (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata_single | pugi::parse_fragment;
constexpr const char* kEncryptedAttribute = "encrypted";

// ---- writing ----
//
// The text is written directly, the way pugixml prints a document of the same shape in raw
// format: attributes in double quotes, an element without children closed as <name/>, and its
// escapes (below). A text is cut at its first NUL, as pugixml's own strings end there.

// Control characters (1 to 31) become two-digit character references; in element text, tab,
// line feed and carriage return stay as they are.
void appendCharacterReference(std::string& out, unsigned char c) {
  out += "&#";
  out += static_cast<char>('0' + c / 10);
  out += static_cast<char>('0' + c % 10);
  out += ';';
}

// The escape of one character that needs one, or null when it is written as it is.
const char* escapeOf(unsigned char c, bool attribute) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return attribute ? nullptr : "&gt;";
    case '"':
      return attribute ? "&quot;" : nullptr;
    default:
      return nullptr;
  }
}

void appendEscaped(std::string& out, std::string_view text, bool attribute) {
  std::size_t run = 0;  // where the characters written as they are begin
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    const bool control = c < 32 && (attribute || (c != '\t' && c != '\n' && c != '\r'));
    const char* escape = control ? nullptr : escapeOf(c, attribute);
    if (!control && escape == nullptr) {
      continue;
    }
    out.append(text.data() + run, at - run);
    run = at + 1;
    if (c == 0) {
      return;
    }
    if (control) {
      appendCharacterReference(out, c);
    } else {
      out += escape;
    }
  }
  out.append(text.data() + run, text.size() - run);
}

class XmlText {
 public:
  explicit XmlText(std::string& out) : out_(out) {}

  void open(std::string_view name) {
    out_ += '<';
    out_ += name;
  }
  void attribute(std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    appendEscaped(out_, value, true);
    out_ += '"';
  }
  void attribute(std::string_view name, std::int64_t value) {
    char digits[24];
    const auto [end, status] = std::to_chars(std::begin(digits), std::end(digits), value);
    attribute(name, std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  // Ends the start tag: children follow, or the element ends here.
  void endStart(bool withChildren) { out_ += withChildren ? ">" : "/>"; }
  void close(std::string_view name) {
    out_ += "</";
    out_ += name;
    out_ += '>';
  }
  void text(std::string_view value) { appendEscaped(out_, value, false); }

  // An element holding only a text (none when empty).
  void textElement(std::string_view name, std::string_view value) {
    open(name);
    endStart(!value.empty());
    if (!value.empty()) {
      text(value);
      close(name);
    }
  }

 private:
  std::string& out_;
};

bool isAttributeKind(FieldKind kind) { return kind == FieldKind::String || kind == FieldKind::Int64; }

// Whether a child field writes at least one element.
bool writesChildren(const CNMessageBase::Value& value) {
  if (const auto* object = std::get_if<std::unique_ptr<CNMessageBase>>(&value)) {
    return *object != nullptr;
  }
  if (const auto* list = std::get_if<MessageList>(&value)) {
    return !list->empty();
  }
  if (const auto* texts = std::get_if<std::vector<std::string>>(&value)) {
    return !texts->empty();
  }
  return std::holds_alternative<msg::PasswordString>(value);
}

void writeMessage(XmlText& out, std::string_view element, const CNMessageBase& message, bool maskPasswords);

void writeChild(XmlText& out, const FieldDecl& decl, const CNMessageBase::Value& value, bool maskPasswords) {
  if (const auto* object = std::get_if<std::unique_ptr<CNMessageBase>>(&value)) {
    writeMessage(out, decl.xmlName, **object, maskPasswords);
  } else if (const auto* list = std::get_if<MessageList>(&value)) {
    if (decl.subType == msg::kAnyMessageType) {
      out.open(decl.xmlName);
      out.endStart(true);
      for (const auto& item : *list) {
        writeMessage(out, item->type().xmlElement, *item, maskPasswords);
      }
      out.close(decl.xmlName);
      return;
    }
    for (const auto& item : *list) {
      writeMessage(out, decl.xmlName, *item, maskPasswords);
    }
  } else if (const auto* texts = std::get_if<std::vector<std::string>>(&value)) {
    for (const auto& item : *texts) {
      out.textElement(decl.xmlName, item);
    }
  } else if (const auto* password = std::get_if<msg::PasswordString>(&value)) {
    const std::string_view text = maskPasswords ? msg::kPasswordMask : std::string_view(password->text);
    out.open(decl.xmlName);
    out.attribute(kEncryptedAttribute, password->encrypted ? "true" : "false");
    out.endStart(!text.empty());
    if (!text.empty()) {
      out.text(text);
      out.close(decl.xmlName);
    }
  }
}

// Attributes in declaration order, then the child elements in declaration order.
void writeMessage(XmlText& out, std::string_view element, const CNMessageBase& message, bool maskPasswords) {
  const auto& fields = message.type().fields;
  const auto& values = message.values();
  out.open(element);
  bool withChildren = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (const auto* text = std::get_if<std::string>(&values[i])) {
      out.attribute(fields[i].xmlName, *text);
    } else if (const auto* number = std::get_if<std::int64_t>(&values[i])) {
      out.attribute(fields[i].xmlName, *number);
    } else if (!isAttributeKind(fields[i].kind) && writesChildren(values[i])) {
      withChildren = true;
    }
  }
  out.endStart(withChildren);
  if (!withChildren) {
    return;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!isAttributeKind(fields[i].kind) && writesChildren(values[i])) {
      writeChild(out, fields[i], values[i], maskPasswords);
    }
  }
  out.close(element);
}

std::string render(const CNMessageBase& message, bool maskPasswords) {
  std::string text;
  XmlText out(text);
  writeMessage(out, message.type().xmlElement, message, maskPasswords);
  return text;
}

// ---- reading ----

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

bool isTextNode(pugi::xml_node node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

class Reader {
 public:
  explicit Reader(std::string_view what) : what_(what) {}

  CLmError readMessage(pugi::xml_node element, CNMessageBase& message, int depth) const;

  CLmError fail(pugi::xml_node at, const std::string& reason) const {
    return CLmError(CLmError::Kind::ErrNo, EINVAL,
                    "XML of " + what_ + " refused at offset " + std::to_string(at.offset_debug()) + ": " + reason,
                    CLM_HERE);
  }

 private:
  CLmError readAttribute(pugi::xml_node element, pugi::xml_attribute attribute, CNMessageBase& message) const;
  CLmError readChild(pugi::xml_node child, CNMessageBase& message, int depth) const;
  CLmError readAnyList(pugi::xml_node wrapper, MessageList& list, int depth) const;
  CLmError readText(pugi::xml_node element, std::string& text) const;
  CLmError readPassword(pugi::xml_node element, msg::PasswordString& password) const;

  // The declared sub-message type, remembered: a list asks for the same one again and again.
  const msg::MessageType* subTypeOf(const FieldDecl& decl) const {
    if (lastSubTypeId_ != decl.subType || lastSubType_ == nullptr) {
      lastSubTypeId_ = decl.subType;
      lastSubType_ = msg::findType(decl.subType);
    }
    return lastSubType_;
  }

  std::string what_;
  mutable msg::MessageTypeId lastSubTypeId_{};
  mutable const msg::MessageType* lastSubType_ = nullptr;
};

// Whether a declared name equals a NUL-terminated name from the parser. The parser's name may be
// shorter than the declared one, so it is compared character by character up to its own end.
bool sameName(std::string_view declared, const char* name) {
  std::size_t i = 0;
  for (; i < declared.size(); ++i) {
    if (name[i] != declared[i]) {
      return false;  // also stops at the parser's terminator, which no declared name holds
    }
  }
  return name[i] == '\0';
}

// The offset of the first thing in the raw text that would put a NUL into a parsed text: a NUL
// byte, or a character reference to code point 0. The parser's strings end at a NUL, so such a
// text would arrive cut short. References beyond Unicode are caught too: the parser's arithmetic
// wraps them, and &#4294967296; would decode to 0. npos when there is none.
std::size_t findNulCharacter(std::string_view xml) {
  for (std::size_t at = 0; at < xml.size(); ++at) {
    if (xml[at] == '\0') {
      return at;
    }
    if (xml[at] != '&' || at + 2 >= xml.size() || xml[at + 1] != '#') {
      continue;
    }
    const bool hex = xml[at + 2] == 'x';
    std::size_t digit = at + (hex ? 3 : 2);
    std::uint64_t value = 0;
    bool any = false;
    for (; digit < xml.size(); ++digit) {
      const char c = xml[digit];
      int v = -1;
      if (c >= '0' && c <= '9') {
        v = c - '0';
      } else if (hex && c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
      } else if (hex && c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
      }
      if (v < 0) {
        break;
      }
      any = true;
      value = std::min<std::uint64_t>(value * (hex ? 16 : 10) + static_cast<unsigned>(v), 0x110000);
    }
    if (any && (value == 0 || value > 0x10FFFF)) {
      return at;
    }
  }
  return std::string_view::npos;
}

int findField(const CNMessageBase& message, const char* xmlName, bool attribute) {
  const auto& fields = message.type().fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const bool isAttribute = fields[i].kind == FieldKind::String || fields[i].kind == FieldKind::Int64;
    if (isAttribute == attribute && sameName(fields[i].xmlName, xmlName)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// The number of siblings from this element on with its name: the length of the list it starts.
std::size_t countRun(pugi::xml_node first) {
  std::size_t count = 0;
  for (pugi::xml_node node = first; node; node = node.next_sibling(first.name())) {
    ++count;
  }
  return count;
}

CLmError Reader::readMessage(pugi::xml_node element, CNMessageBase& message, int depth) const {
  if (depth > msg::kMaxXmlDepth) {
    return fail(element, "messages nested deeper than " + std::to_string(msg::kMaxXmlDepth) + " levels");
  }
  for (pugi::xml_attribute attribute : element.attributes()) {
    if (CLmError error = readAttribute(element, attribute, message); error.IsFailure()) {
      return error;
    }
  }
  for (pugi::xml_node child : element.children()) {
    if (child.type() == pugi::node_element) {
      if (CLmError error = readChild(child, message, depth); error.IsFailure()) {
        return error;
      }
    } else if (isTextNode(child) && !isBlank(child.value())) {
      return fail(child, "element '" + std::string(element.name()) + "' holds text; a message takes none");
    }
  }
  return {};
}

CLmError Reader::readAttribute(pugi::xml_node element, pugi::xml_attribute attribute, CNMessageBase& message) const {
  const int index = findField(message, attribute.name(), true);
  if (index < 0) {
    return fail(element, "unknown attribute '" + std::string(attribute.name()) + "' on element '" +
                             std::string(element.name()) + "' (" + std::string(message.type().tagName) + ")");
  }
  CNMessageBase::Value& slot = message.mutableValues()[static_cast<std::size_t>(index)];
  if (!std::holds_alternative<std::monostate>(slot)) {
    return fail(element, "attribute '" + std::string(attribute.name()) + "' given twice");
  }
  const std::string_view text = attribute.value();
  if (message.type().fields[static_cast<std::size_t>(index)].kind == FieldKind::String) {
    slot = std::string(text);
    return {};
  }
  std::int64_t number = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || status != std::errc() || end != text.data() + text.size()) {
    return fail(element, "attribute '" + std::string(attribute.name()) + "' is not a 64-bit integer: '" +
                             std::string(text) + "'");
  }
  slot = number;
  return {};
}

CLmError Reader::readChild(pugi::xml_node child, CNMessageBase& message, int depth) const {
  const int index = findField(message, child.name(), false);
  if (index < 0) {
    return fail(child, "unknown element '" + std::string(child.name()) + "' in " + std::string(message.type().tagName));
  }
  const FieldDecl& decl = message.type().fields[static_cast<std::size_t>(index)];
  CNMessageBase::Value& slot = message.mutableValues()[static_cast<std::size_t>(index)];
  const bool repeatable = decl.kind == FieldKind::ObjectList || decl.kind == FieldKind::StringList;
  if (!repeatable && !std::holds_alternative<std::monostate>(slot)) {
    return fail(child, "element '" + std::string(child.name()) + "' given twice");
  }
  if (decl.kind == FieldKind::Password) {
    msg::PasswordString password;
    CLmError error = readPassword(child, password);
    slot = std::move(password);
    return error;
  }
  if (decl.kind == FieldKind::StringList) {
    if (!std::holds_alternative<std::vector<std::string>>(slot)) {
      slot = std::vector<std::string>{};
    }
    std::string text;
    CLmError error = readText(child, text);
    std::get<std::vector<std::string>>(slot).push_back(std::move(text));
    return error;
  }
  if (decl.kind == FieldKind::ObjectList && !std::holds_alternative<MessageList>(slot)) {
    slot = MessageList{};
    std::get<MessageList>(slot).reserve(countRun(child));
  }
  if (decl.kind == FieldKind::ObjectList && decl.subType == msg::kAnyMessageType) {
    return readAnyList(child, std::get<MessageList>(slot), depth);
  }
  const msg::MessageType* subType = subTypeOf(decl);
  if (subType == nullptr) {
    return fail(child, "field '" + std::string(decl.xmlName) + "' names an unregistered type");
  }
  std::unique_ptr<CNMessageBase> sub = subType->make();
  CLmError error = readMessage(child, *sub, depth + 1);
  if (decl.kind == FieldKind::Object) {
    slot = std::move(sub);
  } else {
    std::get<MessageList>(slot).push_back(std::move(sub));
  }
  return error;
}

CLmError Reader::readAnyList(pugi::xml_node wrapper, MessageList& list, int depth) const {
  if (wrapper.first_attribute()) {
    return fail(wrapper, "element '" + std::string(wrapper.name()) + "' takes no attributes");
  }
  for (pugi::xml_node item : wrapper.children()) {
    if (isTextNode(item)) {
      if (!isBlank(item.value())) {
        return fail(item, "element '" + std::string(wrapper.name()) + "' holds text; it takes messages");
      }
      continue;
    }
    if (item.type() != pugi::node_element) {
      continue;
    }
    const msg::MessageType* type = msg::findTypeByElement(item.name());
    if (type == nullptr) {
      return fail(item, "unknown message element '" + std::string(item.name()) + "'");
    }
    list.push_back(type->make());
    if (CLmError error = readMessage(item, *list.back(), depth + 1); error.IsFailure()) {
      return error;
    }
  }
  return {};
}

CLmError Reader::readText(pugi::xml_node element, std::string& text) const {
  if (element.first_attribute()) {
    return fail(element, "element '" + std::string(element.name()) + "' takes no attributes");
  }
  for (pugi::xml_node part : element.children()) {
    if (isTextNode(part)) {
      text += part.value();
    } else if (part.type() == pugi::node_element) {
      return fail(part, "element '" + std::string(element.name()) + "' takes text only");
    }
  }
  return {};
}

CLmError Reader::readPassword(pugi::xml_node element, msg::PasswordString& password) const {
  password.encrypted = true;  // a stored secret is encrypted unless it says otherwise
  for (pugi::xml_attribute attribute : element.attributes()) {
    const std::string_view name = attribute.name();
    const std::string_view value = attribute.value();
    if (name != kEncryptedAttribute) {
      return fail(element, "unknown attribute '" + std::string(name) + "' on password element '" +
                               std::string(element.name()) + "'");
    }
    if (value != "true" && value != "false") {
      return fail(element, "attribute 'encrypted' must be true or false, not '" + std::string(value) + "'");
    }
    password.encrypted = value == "true";
  }
  for (pugi::xml_node part : element.children()) {
    if (isTextNode(part)) {
      password.text += part.value();
    } else if (part.type() == pugi::node_element) {
      return fail(part, "password element '" + std::string(element.name()) + "' takes text only");
    }
  }
  return {};
}

// Parses the text and finds its one root element.
CLmError loadRoot(pugi::xml_document& document, std::string_view xml, const Reader& reader, pugi::xml_node& root) {
  if (const std::size_t nul = findNulCharacter(xml); nul != std::string_view::npos) {
    return CLmError(CLmError::Kind::ErrNo, EINVAL,
                    "XML refused at offset " + std::to_string(nul) +
                        ": a NUL character (a text would arrive cut short)",
                    CLM_HERE);
  }
  const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size(), kParseOptions, pugi::encoding_utf8);
  if (!parsed) {
    return CLmError(CLmError::Kind::ErrNo, EINVAL,
                    std::string("XML does not parse: ") + parsed.description() + " at offset " +
                        std::to_string(parsed.offset),
                    CLM_HERE);
  }
  for (pugi::xml_node node : document.children()) {
    if (node.type() == pugi::node_element) {
      if (root) {
        return reader.fail(node, "more than one root element");
      }
      root = node;
    } else if (isTextNode(node) && !isBlank(node.value())) {
      return reader.fail(node, "text outside the root element");
    }
  }
  if (!root) {
    return CLmError(CLmError::Kind::ErrNo, EINVAL, "XML does not parse: no root element", CLM_HERE);
  }
  return {};
}

}  // namespace

std::string CNMessageBase::serialize() const { return render(*this, false); }

std::string CNMessageBase::AsString() const { return render(*this, true); }

CLmError CNMessageBase::unserialize(std::string_view xml) {
  values_.clear();
  values_.resize(type_->fields.size());
  const Reader reader(std::string(type_->tagName));
  pugi::xml_document document;
  pugi::xml_node root;
  CLmError error = loadRoot(document, xml, reader, root);
  if (error.IsSuccess() && type_->xmlElement != root.name()) {
    error = reader.fail(root, "the root element '" + std::string(root.name()) + "' is not '" +
                                  std::string(type_->xmlElement) + "'");
  }
  if (error.IsSuccess()) {
    error = reader.readMessage(root, *this, 1);
  }
  if (error.IsFailure()) {
    values_.clear();
    values_.resize(type_->fields.size());
  }
  return error;
}

std::unique_ptr<CNMessageBase> CNMessageBase::createFromXml(std::string_view xml, CLmError& error) {
  const Reader reader("a message");
  pugi::xml_document document;
  pugi::xml_node root;
  error = loadRoot(document, xml, reader, root);
  if (error.IsFailure()) {
    return nullptr;
  }
  const msg::MessageType* type = msg::findTypeByElement(root.name());
  if (type == nullptr) {
    error = reader.fail(root, "the root element '" + std::string(root.name()) + "' names no message type");
    return nullptr;
  }
  std::unique_ptr<CNMessageBase> message = type->make();
  error = Reader(std::string(type->tagName)).readMessage(root, *message, 1);
  return error.IsSuccess() ? std::move(message) : nullptr;
}
