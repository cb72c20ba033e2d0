// clouddb-secret: seals a secret for the platform configuration file, or makes a host key file.
//
//   clouddb-secret encrypt --key-file FILE     reads the clear text from standard input (one
//                                              trailing line end is dropped) and prints the
//                                              "enc:v1:..." text to put in the file
//   clouddb-secret --generate-key FILE         writes a new random key file (never replaces one)
//
// The clear text is never printed or logged.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HostKey.h"
#include "platform/KwcBucket.h"

namespace {

constexpr std::string_view kUsage =
    "usage: clouddb-secret encrypt --key-file FILE   (clear text on standard input)\n"
    "       clouddb-secret --generate-key FILE\n";

int usage() {
  std::cerr << kUsage;
  return 2;
}

int fail(const CLmError& error) {
  std::cerr << "clouddb-secret: " << error.message() << "\n";
  return 1;
}

// Standard input without its one trailing line end ("\n" or "\r\n").
std::string readClearText() {
  std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  if (text.ends_with('\n')) text.pop_back();
  if (text.ends_with('\r')) text.pop_back();
  return text;
}

int encrypt(const std::string& keyFile) {
  std::optional<HostKey> key;
  if (CLmError error = HostKey::LoadFile(keyFile, key)) return fail(error);
  std::string clear = readClearText();
  std::string stored;
  CLmError error = key->encrypt(clear, stored);
  kwc_detail::wipe(clear.data(), clear.size());
  if (error) return fail(error);
  std::cout << stored << "\n";
  return 0;
}

int generateKey(const std::string& keyFile) {
  std::optional<HostKey> key;
  if (CLmError error = HostKey::Generate(key)) return fail(error);
  if (CLmError error = key->SaveFile(keyFile)) return fail(error);
  std::cerr << "clouddb-secret: wrote a new host key to " << keyFile << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "encrypt" && args[1] == "--key-file") return encrypt(std::string(args[2]));
  if (args.size() == 2 && args[0] == "--generate-key") return generateKey(std::string(args[1]));
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  return usage();
}
