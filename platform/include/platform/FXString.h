#pragma once
// FXString: the host's small string helpers.
//
// Case-insensitive comparisons fold ASCII letters only; other bytes compare as they are.
// Nothing here throws for odd input: empty texts and empty separators have a stated answer.
#include <concepts>
#include <cstdarg>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace FXString {

// The pieces of text between the occurrences of separator, in order, empty pieces kept:
// Split("a//b", "/") is {"a", "", "b"}, Split("a/", "/") is {"a", ""}. An empty text has no
// pieces ({}); an empty separator gives the whole text as the one piece.
std::vector<std::string> Split(std::string_view text, std::string_view separator);

// Piece index of the text cut at every separator, read in place: the text after the index-th
// separator up to the next one (an empty text is one empty piece); nothing when text has fewer
// separators. Texts from
// outside are read this way rather than split, which costs a string for every separator.
std::optional<std::string_view> Segment(std::string_view text, char separator, std::size_t index);

// The parts joined with separator between each two: the inverse of Split.
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

// printf-style formatting into a string of the full length (no fixed buffer, nothing cut off).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

// The format with its first "%s" standing for text and "%%" for "%", as Format(format,
// text.c_str()) gives it, for a format holding no other conversion. It copies the text in one
// piece: printf walks a long text (a whole message as XML) a few bytes at a time. Like printf, it
// takes the text up to its first NUL; any other directive is kept as it stands.
std::string FormatText(const char* format, std::string_view text);

// Cuts a text longer than maxBytes at a character boundary at or before maxBytes and appends
// kCutMarker with the number of bytes left out; a shorter text stays as it is.
inline constexpr const char* kCutMarker = "... [cut: %llu more bytes]";
void LimitLength(std::string& text, std::size_t maxBytes);

// Whether text contains what (ignoring ASCII case when ignoreCase). An empty what is found.
bool FindString(std::string_view text, std::string_view what, bool ignoreCase);

// The position of the first occurrence of what in text, or -1 when there is none.
std::int64_t FindStringPos(std::string_view text, std::string_view what, bool ignoreCase);

// text without the trailing characters that belong to characters (blanks, tabs and line ends by
// default).
std::string TrimRight(std::string_view text, std::string_view characters = " \t\r\n");

// The decimal text of an integer.
template <std::integral Integer>
  requires(!std::same_as<Integer, bool>)
std::string ToString(Integer value) {
  return std::to_string(value);
}
// "true" or "false".
std::string ToString(bool value);
// The shortest text that reads back as the same double (std::to_chars: "0.1", "2.5e+10").
std::string ToString(double value);

}  // namespace FXString
