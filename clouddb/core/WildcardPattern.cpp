#include "clouddb/core/WildcardPattern.h"

std::string wildcardPatternToRegex(const std::string& pattern) {
  std::string expression = "^";
  expression.reserve(pattern.size() * 2 + 2);
  for (char c : pattern) {
    if (c == '.' || c == '+') {
      expression += '\\';
    } else if (c == '*') {
      expression += '.';
    }
    expression += c;
  }
  expression += '$';
  return expression;
}
