#include "platform/FXString.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

namespace {

char foldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(char left, char right) { return foldAscii(left) == foldAscii(right); }

}  // namespace

namespace FXString {

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) {
    return pieces;
  }
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t start = 0;
  for (std::size_t found = text.find(separator); found != std::string_view::npos;
       found = text.find(separator, start)) {
    pieces.emplace_back(text.substr(start, found - start));
    start = found + separator.size();
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) {
      joined.append(separator);
    }
    joined.append(parts[i]);
  }
  return joined;
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  return text;
}

std::string FormatV(const char* format, va_list args) {
  if (format == nullptr) {
    return {};
  }
  // First measure, then write into a string of exactly that size: long texts are never cut.
  va_list measuring;
  va_copy(measuring, args);
  const int length = std::vsnprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  if (length <= 0) {
    return {};
  }
  std::string text(static_cast<std::size_t>(length), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  return text;
}

std::string FormatText(const char* format, std::string_view text) {
  if (format == nullptr) {
    return {};
  }
  text = text.substr(0, text.find('\0'));
  const std::string_view shape(format);
  std::string out;
  out.reserve(shape.size() + text.size());
  bool textUsed = false;
  for (std::size_t at = 0; at < shape.size(); ++at) {
    const char next = at + 1 < shape.size() ? shape[at + 1] : '\0';
    if (shape[at] == '%' && next == '%') {
      out += '%';
      ++at;
    } else if (shape[at] == '%' && next == 's' && !textUsed) {
      out += text;
      textUsed = true;
      ++at;
    } else {
      out += shape[at];
    }
  }
  return out;
}

std::optional<std::string_view> Segment(std::string_view text, char separator, std::size_t index) {
  std::size_t start = 0;
  for (std::size_t passed = 0; passed < index; ++passed) {
    const std::size_t next = text.find(separator, start);
    if (next == std::string_view::npos) {
      return std::nullopt;
    }
    start = next + 1;
  }
  return text.substr(start, text.find(separator, start) - start);
}

void LimitLength(std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) {
    return;
  }
  std::size_t cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
    --cut;  // do not split a UTF-8 sequence
  }
  const std::size_t omitted = text.size() - cut;
  text.resize(cut);
  text += Format(kCutMarker, static_cast<unsigned long long>(omitted));
}

bool FindString(std::string_view text, std::string_view what, bool ignoreCase) {
  return FindStringPos(text, what, ignoreCase) != -1;
}

std::int64_t FindStringPos(std::string_view text, std::string_view what, bool ignoreCase) {
  if (!ignoreCase) {
    const std::size_t found = text.find(what);
    return found == std::string_view::npos ? -1 : static_cast<std::int64_t>(found);
  }
  const auto found = std::search(text.begin(), text.end(), what.begin(), what.end(), sameIgnoringCase);
  if (found == text.end() && !what.empty()) {
    return -1;
  }
  return static_cast<std::int64_t>(found - text.begin());
}

std::string TrimRight(std::string_view text, std::string_view characters) {
  const std::size_t last = text.find_last_not_of(characters);
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string ToString(bool value) { return value ? "true" : "false"; }

std::string ToString(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (result.ec != std::errc{}) {
    return Format("%.17g", value);
  }
  return std::string(buffer, result.ptr);
}

}  // namespace FXString
