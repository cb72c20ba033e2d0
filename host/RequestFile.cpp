#include "RequestFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace host {

CLmError readTextFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return CLmError(-ENOENT, "cannot read " + path + ": " + std::strerror(errno));
  }
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return {};
}

CLmError loadMessageFile(const std::string& path, std::unique_ptr<CNMessageBase>& message) {
  std::string text;
  if (CLmError failed = readTextFile(path, text); failed.IsFailure()) {
    return failed;
  }
  CLmError parsed;
  message = CNMessageBase::createFromXml(text, parsed);
  if (!message) {
    return CLmError(parsed.code() < 0 ? parsed.code() : -22, path + ": " + parsed.message());
  }
  return {};
}

}  // namespace host
