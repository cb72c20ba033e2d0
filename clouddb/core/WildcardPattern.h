#pragma once
// The wildcard patterns of content rules, as regular expressions.
//
// A user writes name patterns with "*" for any run of characters; "." and "+" mean themselves.
// wildcardPatternToRegex anchors the pattern ("^...$"), turns "*" into ".*" and escapes "." and
// "+"; every other character keeps its regular-expression meaning, so the result may not compile
// (an unbalanced parenthesis or bracket): whoever compiles it must handle that.
#include <string>

std::string wildcardPatternToRegex(const std::string& pattern);
