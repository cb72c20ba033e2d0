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
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

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

// How a character is written: as it is, as an entity, as a two-digit character reference, or not
// at all (a NUL ends the text). Control characters (1 to 31) become character references; in
// element text, tab, line feed and carriage return stay as they are.
enum class Escape : std::uint8_t { None, Amp, Lt, Gt, Quot, Reference, End };

using EscapeTable = std::array<Escape, 256>;

constexpr EscapeTable escapeTable(bool attribute) {
  EscapeTable table{};
  for (Escape& escape : table) {
    escape = Escape::None;
  }
  for (std::size_t c = 1; c < 32; ++c) {
    const bool keptInText = c == '\t' || c == '\n' || c == '\r';
    table[c] = attribute || !keptInText ? Escape::Reference : Escape::None;
  }
  table[0] = Escape::End;
  table['&'] = Escape::Amp;
  table['<'] = Escape::Lt;
  table['>'] = attribute ? Escape::None : Escape::Gt;
  table['"'] = attribute ? Escape::Quot : Escape::None;
  return table;
}

constexpr EscapeTable kAttributeEscapes = escapeTable(true);
constexpr EscapeTable kTextEscapes = escapeTable(false);

// The longest text one escaped character becomes ("&quot;").
constexpr std::size_t kLongestEscape = 6;

// Writes through a small buffer that is appended to the string whenever it fills, so that the
// many small pieces of a large message cost a pointer bump each, and the string grows by large
// appends only. The string holds the whole text once finish() has run.
class XmlText {
 public:
  explicit XmlText(std::string& out) : out_(out) {}
  XmlText(const XmlText&) = delete;
  XmlText& operator=(const XmlText&) = delete;

  void finish() { flush(); }

  void open(std::string_view name) {
    *room(1) = '<';
    ++cursor_;
    verbatim(name);
  }
  void attribute(std::string_view name, std::string_view value) {
    *room(1) = ' ';
    ++cursor_;
    verbatim(name);
    cursor_ = copy(room(2), "=\"");
    escaped(value, kAttributeEscapes);
    *room(1) = '"';
    ++cursor_;
  }
  void attribute(std::string_view name, std::int64_t value) {
    char digits[24];
    const char* const end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    attribute(name, std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  // Ends the start tag: children follow, or the element ends here.
  void endStart(bool withChildren) {
    cursor_ = copy(room(2), withChildren ? std::string_view(">") : std::string_view("/>"));
  }
  void close(std::string_view name) {
    cursor_ = copy(room(2), "</");
    verbatim(name);
    *room(1) = '>';
    ++cursor_;
  }
  void text(std::string_view value) { escaped(value, kTextEscapes); }

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
  static constexpr std::size_t kBufferSize = 16 * 1024;

  static char* copy(char* at, std::string_view piece) {
    std::memcpy(at, piece.data(), piece.size());
    return at + piece.size();
  }

  void flush() {
    out_.append(buffer_.data(), static_cast<std::size_t>(cursor_ - buffer_.data()));
    cursor_ = buffer_.data();
  }

  // Where the next `bytes` characters go, at the cursor: at most a quarter of the buffer, as longer
  // runs bypass it.
  char* room(std::size_t bytes) {
    if (static_cast<std::size_t>(buffer_.data() + buffer_.size() - cursor_) < bytes) {
      flush();
    }
    return cursor_;
  }

  // Characters written as they are: a long run goes to the string directly.
  void verbatim(std::string_view run) {
    if (run.size() > kBufferSize / 4) {
      flush();
      out_.append(run);
    } else {
      cursor_ = copy(room(run.size()), run);
    }
  }

  // Runs of characters written as they are are copied whole; each other character is escaped.
  void escaped(std::string_view value, const EscapeTable& escapes) {
    const char* run = value.data();
    const char* const end = value.data() + value.size();
    for (const char* at = run;; ++at) {
      const Escape escape = at == end ? Escape::End : escapes[static_cast<unsigned char>(*at)];
      if (escape == Escape::None) {
        continue;
      }
      verbatim(std::string_view(run, static_cast<std::size_t>(at - run)));
      char* out = room(kLongestEscape);
      switch (escape) {
        case Escape::Amp:
          out = copy(out, "&amp;");
          break;
        case Escape::Lt:
          out = copy(out, "&lt;");
          break;
        case Escape::Gt:
          out = copy(out, "&gt;");
          break;
        case Escape::Quot:
          out = copy(out, "&quot;");
          break;
        case Escape::Reference: {
          const auto c = static_cast<unsigned char>(*at);
          *out++ = '&';
          *out++ = '#';
          *out++ = static_cast<char>('0' + c / 10);
          *out++ = static_cast<char>('0' + c % 10);
          *out++ = ';';
          break;
        }
        case Escape::None:
        case Escape::End:
          break;
      }
      cursor_ = out;
      if (escape == Escape::End) {
        return;
      }
      run = at + 1;
    }
  }

  std::string& out_;
  std::array<char, kBufferSize> buffer_;
  char* cursor_ = buffer_.data();
};

bool isAttributeKind(FieldKind kind) { return msg::MessageType::isAttributeKind(kind); }

// Whether a child field writes at least one element.
bool writesChildren(const CNMessageBase& message, std::size_t slot) {
  if (!message.slotIsSet(slot)) {
    return false;
  }
  switch (message.type().fields[slot].kind) {
    case FieldKind::Object: return message.slotValue<FieldKind::Object>(slot) != nullptr;
    case FieldKind::ObjectList: return !message.slotValue<FieldKind::ObjectList>(slot).empty();
    case FieldKind::StringList: return !message.slotValue<FieldKind::StringList>(slot).empty();
    case FieldKind::Password: return true;
    case FieldKind::String:
    case FieldKind::Int64: break;
  }
  return false;
}

void writeMessage(XmlText& out, std::string_view element, const CNMessageBase& message, bool maskPasswords);

// Writes a child field that writesChildren.
void writeChild(XmlText& out, const CNMessageBase& message, std::size_t slot, bool maskPasswords) {
  const FieldDecl& decl = message.type().fields[slot];
  switch (decl.kind) {
    case FieldKind::Object:
      writeMessage(out, decl.xmlName, *message.slotValue<FieldKind::Object>(slot), maskPasswords);
      return;
    case FieldKind::ObjectList: {
      const MessageList& list = message.slotValue<FieldKind::ObjectList>(slot);
      if (decl.subType == msg::kAnyMessageType) {
        out.open(decl.xmlName);
        out.endStart(true);
        for (const auto& item : list) {
          writeMessage(out, item->type().xmlElement, *item, maskPasswords);
        }
        out.close(decl.xmlName);
        return;
      }
      for (const auto& item : list) {
        writeMessage(out, decl.xmlName, *item, maskPasswords);
      }
      return;
    }
    case FieldKind::StringList:
      for (const auto& item : message.slotValue<FieldKind::StringList>(slot)) {
        out.textElement(decl.xmlName, item);
      }
      return;
    case FieldKind::Password: {
      const msg::PasswordString& password = message.slotValue<FieldKind::Password>(slot);
      const std::string_view text = maskPasswords ? msg::kPasswordMask : std::string_view(password.text);
      out.open(decl.xmlName);
      out.attribute(kEncryptedAttribute, password.encrypted ? "true" : "false");
      out.endStart(!text.empty());
      if (!text.empty()) {
        out.text(text);
        out.close(decl.xmlName);
      }
      return;
    }
    case FieldKind::String:
    case FieldKind::Int64: return;
  }
}

// Attributes in declaration order, then the child elements in declaration order.
void writeMessage(XmlText& out, std::string_view element, const CNMessageBase& message, bool maskPasswords) {
  const auto& fields = message.type().fields;
  out.open(element);
  bool withChildren = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!message.slotIsSet(i)) {
      continue;
    }
    if (fields[i].kind == FieldKind::String) {
      out.attribute(fields[i].xmlName, message.slotValue<FieldKind::String>(i));
    } else if (fields[i].kind == FieldKind::Int64) {
      out.attribute(fields[i].xmlName, message.slotValue<FieldKind::Int64>(i));
    } else if (!withChildren) {
      withChildren = writesChildren(message, i);
    }
  }
  out.endStart(withChildren);
  if (!withChildren) {
    return;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!isAttributeKind(fields[i].kind) && writesChildren(message, i)) {
      writeChild(out, message, i, maskPasswords);
    }
  }
  out.close(element);
}

std::string render(const CNMessageBase& message, bool maskPasswords) {
  std::string text;
  XmlText out(text);
  writeMessage(out, message.type().xmlElement, message, maskPasswords);
  out.finish();
  return text;
}

// ---- reading ----

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

bool isTextNode(pugi::xml_node_type type) { return type == pugi::node_pcdata || type == pugi::node_cdata; }

bool isTextNode(pugi::xml_node node) { return isTextNode(node.type()); }

// Reads message elements into messages. A refusal stops the reading: the reading function
// answers false and the reader keeps the failure until takeFailure().
class Reader {
 public:
  explicit Reader(std::string_view what) : what_(what) {}

  bool readMessage(pugi::xml_node element, CNMessageBase& message, int depth);
  CLmError takeFailure() { return std::move(failure_); }

  CLmError fail(pugi::xml_node at, const std::string& reason) const {
    return CLmError(CLmError::Kind::ErrNo, EINVAL,
                    "XML of " + what_ + " refused at offset " + std::to_string(at.offset_debug()) + ": " + reason,
                    CLM_HERE);
  }

 private:
  bool refuse(pugi::xml_node at, const std::string& reason) {
    failure_ = fail(at, reason);
    return false;
  }
  // Reads the attribute into the field at index in fields, the one its name finds (-1: none).
  bool readAttribute(pugi::xml_node element, pugi::xml_attribute attribute, const char* name, int index,
                     CNMessageBase& message);
  bool readChild(pugi::xml_node child, std::size_t index, CNMessageBase& message, int depth);
  bool readAnyList(pugi::xml_node wrapper, MessageList& list, int depth);
  bool readText(pugi::xml_node element, std::string& text);
  bool readPassword(pugi::xml_node element, msg::PasswordString& password);

  // The declared sub-message type, remembered: a list asks for the same one again and again.
  const msg::MessageType* subTypeOf(const FieldDecl& decl) {
    if (lastSubTypeId_ != decl.subType || lastSubType_ == nullptr) {
      lastSubTypeId_ = decl.subType;
      lastSubType_ = msg::findType(decl.subType);
    }
    return lastSubType_;
  }

  std::string what_;
  CLmError failure_;
  msg::MessageTypeId lastSubTypeId_{};
  const msg::MessageType* lastSubType_ = nullptr;
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
  if (xml.empty()) {
    return std::string_view::npos;  // and an empty view may hold no pointer for memchr
  }
  const char* const begin = xml.data();
  const char* const end = begin + xml.size();
  const auto* nulByte = static_cast<const char*>(std::memchr(begin, '\0', xml.size()));
  // Only a reference before the first NUL byte can come first.
  const char* const searchEnd = nulByte != nullptr ? nulByte : end;
  for (const char* at = begin;; ++at) {
    at = static_cast<const char*>(std::memchr(at, '&', static_cast<std::size_t>(searchEnd - at)));
    if (at == nullptr) {
      break;
    }
    if (end - at <= 2 || at[1] != '#') {
      continue;
    }
    const bool hex = at[2] == 'x';
    std::uint64_t value = 0;
    bool any = false;
    for (const char* digit = at + (hex ? 3 : 2); digit < end; ++digit) {
      const char c = *digit;
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
      return static_cast<std::size_t>(at - begin);
    }
  }
  return nulByte != nullptr ? static_cast<std::size_t>(nulByte - begin) : std::string_view::npos;
}

// The number of siblings from this element on with its name: the length of the list it starts.
std::size_t countRun(pugi::xml_node first) {
  std::size_t count = 0;
  for (pugi::xml_node node = first; node; node = node.next_sibling(first.name())) {
    ++count;
  }
  return count;
}

bool Reader::readMessage(pugi::xml_node element, CNMessageBase& message, int depth) {
  if (depth > msg::kMaxXmlDepth) {
    return refuse(element, "messages nested deeper than " + std::to_string(msg::kMaxXmlDepth) + " levels");
  }
  const msg::MessageType& type = message.type();
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const char* const name = attribute.name();
    if (!readAttribute(element, attribute, name, type.slotOfXml(name, true), message)) {
      return false;
    }
  }
  // The field of the element before: the elements of a list follow one another.
  int previous = -1;
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    const pugi::xml_node_type kind = child.type();
    if (kind == pugi::node_element) {
      const char* const name = child.name();
      int index = previous;
      if (index < 0 || !sameName(type.fields[static_cast<std::size_t>(index)].xmlName, name)) {
        index = type.slotOfXml(name, false);
      }
      if (index < 0) {
        return refuse(child, "unknown element '" + std::string(name) + "' in " + std::string(type.tagName));
      }
      previous = index;
      if (!readChild(child, static_cast<std::size_t>(index), message, depth)) {
        return false;
      }
    } else if (isTextNode(kind) && !isBlank(child.value())) {
      return refuse(child, "element '" + std::string(element.name()) + "' holds text; a message takes none");
    }
  }
  return true;
}

bool Reader::readAttribute(pugi::xml_node element, pugi::xml_attribute attribute, const char* name, int index,
                           CNMessageBase& message) {
  if (index < 0) {
    return refuse(element, "unknown attribute '" + std::string(name) + "' on element '" + std::string(element.name()) +
                               "' (" + std::string(message.type().tagName) + ")");
  }
  const auto slot = static_cast<std::size_t>(index);
  if (message.slotIsSet(slot)) {
    return refuse(element, "attribute '" + std::string(name) + "' given twice");
  }
  const std::string_view text = attribute.value();
  if (message.type().fields[slot].kind == FieldKind::String) {
    message.emplaceSlot<FieldKind::String>(slot, text);
    return true;
  }
  std::int64_t number = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || status != std::errc() || end != text.data() + text.size()) {
    return refuse(element, "attribute '" + std::string(name) + "' is not a 64-bit integer: '" + std::string(text) + "'");
  }
  message.emplaceSlot<FieldKind::Int64>(slot, number);
  return true;
}

bool Reader::readChild(pugi::xml_node child, std::size_t index, CNMessageBase& message, int depth) {
  const FieldDecl& decl = message.type().fields[index];
  const bool repeatable = decl.kind == FieldKind::ObjectList || decl.kind == FieldKind::StringList;
  if (!repeatable && message.slotIsSet(index)) {
    return refuse(child, "element '" + std::string(child.name()) + "' given twice");
  }
  if (decl.kind == FieldKind::Password) {
    return readPassword(child, message.emplaceSlot<FieldKind::Password>(index));
  }
  if (decl.kind == FieldKind::StringList) {
    return readText(child, message.slotForUpdate<FieldKind::StringList>(index).emplace_back());
  }
  MessageList* list = nullptr;
  if (decl.kind == FieldKind::ObjectList) {
    const bool first = !message.slotIsSet(index);
    list = &message.slotForUpdate<FieldKind::ObjectList>(index);
    if (first) {
      list->reserve(countRun(child));
    }
    if (decl.subType == msg::kAnyMessageType) {
      return readAnyList(child, *list, depth);
    }
  }
  const msg::MessageType* subType = subTypeOf(decl);
  if (subType == nullptr) {
    return refuse(child, "field '" + std::string(decl.xmlName) + "' names an unregistered type");
  }
  std::unique_ptr<CNMessageBase> sub = subType->make();
  CNMessageBase& read = *sub;
  if (list != nullptr) {
    list->push_back(std::move(sub));
  } else {
    message.emplaceSlot<FieldKind::Object>(index, std::move(sub));
  }
  return readMessage(child, read, depth + 1);
}

bool Reader::readAnyList(pugi::xml_node wrapper, MessageList& list, int depth) {
  if (wrapper.first_attribute()) {
    return refuse(wrapper, "element '" + std::string(wrapper.name()) + "' takes no attributes");
  }
  for (pugi::xml_node item = wrapper.first_child(); item; item = item.next_sibling()) {
    const pugi::xml_node_type kind = item.type();
    if (isTextNode(kind)) {
      if (!isBlank(item.value())) {
        return refuse(item, "element '" + std::string(wrapper.name()) + "' holds text; it takes messages");
      }
      continue;
    }
    if (kind != pugi::node_element) {
      continue;
    }
    const msg::MessageType* type = msg::findTypeByElement(item.name());
    if (type == nullptr) {
      return refuse(item, "unknown message element '" + std::string(item.name()) + "'");
    }
    list.push_back(type->make());
    if (!readMessage(item, *list.back(), depth + 1)) {
      return false;
    }
  }
  return true;
}

bool Reader::readText(pugi::xml_node element, std::string& text) {
  if (element.first_attribute()) {
    return refuse(element, "element '" + std::string(element.name()) + "' takes no attributes");
  }
  for (pugi::xml_node part = element.first_child(); part; part = part.next_sibling()) {
    const pugi::xml_node_type kind = part.type();
    if (isTextNode(kind)) {
      text += part.value();
    } else if (kind == pugi::node_element) {
      return refuse(part, "element '" + std::string(element.name()) + "' takes text only");
    }
  }
  return true;
}

bool Reader::readPassword(pugi::xml_node element, msg::PasswordString& password) {
  password.encrypted = true;  // a stored secret is encrypted unless it says otherwise
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const std::string_view name = attribute.name();
    const std::string_view value = attribute.value();
    if (name != kEncryptedAttribute) {
      return refuse(element, "unknown attribute '" + std::string(name) + "' on password element '" +
                                 std::string(element.name()) + "'");
    }
    if (value != "true" && value != "false") {
      return refuse(element, "attribute 'encrypted' must be true or false, not '" + std::string(value) + "'");
    }
    password.encrypted = value == "true";
  }
  for (pugi::xml_node part = element.first_child(); part; part = part.next_sibling()) {
    const pugi::xml_node_type kind = part.type();
    if (isTextNode(kind)) {
      password.text += part.value();
    } else if (kind == pugi::node_element) {
      return refuse(part, "password element '" + std::string(element.name()) + "' takes text only");
    }
  }
  return true;
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
  clearFields();
  Reader reader(std::string(type_->tagName));
  pugi::xml_document document;
  pugi::xml_node root;
  CLmError error = loadRoot(document, xml, reader, root);
  if (error.IsSuccess() && type_->xmlElement != root.name()) {
    error = reader.fail(root, "the root element '" + std::string(root.name()) + "' is not '" +
                                  std::string(type_->xmlElement) + "'");
  }
  if (error.IsSuccess() && !reader.readMessage(root, *this, 1)) {
    error = reader.takeFailure();
  }
  if (error.IsFailure()) {
    clearFields();
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
  Reader typeReader(std::string(type->tagName));
  if (!typeReader.readMessage(root, *message, 1)) {
    error = typeReader.takeFailure();
    return nullptr;
  }
  return message;
}
