// secret_scan: fails when a log or capture file the tests wrote holds a configured secret, in
// clear or as its sealed "enc:v1:..." text.
//
//   secret_scan LOG_FOLDER SOURCE_DIR
//
// The secrets are every sealed text in the JSON files under SOURCE_DIR/examples and
// SOURCE_DIR/tests, opened with every host key file (*.key) found there. The report names the
// file and where the secret is configured, never the secret itself. A folder with no file to
// scan, or a tree with no secret, is a failure too: the check would prove nothing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "platform/HostKey.h"

namespace {

namespace fs = std::filesystem;

// Clear texts shorter than this would turn up in any log by chance.
constexpr std::size_t kShortestClearText = 4;

struct Secret {
  std::string text;
  std::string kind;  // "clear" or "sealed"
  std::string origin;
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> filesUnder(const fs::path& folder, const std::string& extension) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) {
    return files;
  }
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file() && (extension.empty() || entry.path().extension() == extension)) {
      files.push_back(entry.path());
    }
  }
  return files;
}

std::vector<HostKey> hostKeys(const fs::path& source) {
  std::vector<HostKey> keys;
  for (const char* folder : {"examples", "tests"}) {
    for (const fs::path& file : filesUnder(source / folder, ".key")) {
      std::optional<HostKey> key;
      if (!HostKey::FromKeyFileText(readFile(file), file.string(), key).IsFailure()) {
        keys.push_back(*key);
      }
    }
  }
  return keys;
}

// A secret configured in several files is reported once, with the first of them.
void addOnce(std::vector<Secret>& secrets, Secret secret) {
  for (const Secret& known : secrets) {
    if (known.text == secret.text) {
      return;
    }
  }
  secrets.push_back(std::move(secret));
}

std::vector<Secret> configuredSecrets(const fs::path& source, const std::vector<HostKey>& keys) {
  static const std::regex kSealed("enc:v1:[A-Za-z0-9+/=]+");
  std::vector<Secret> secrets;
  for (const char* folder : {"examples", "tests"}) {
    for (const fs::path& file : filesUnder(source / folder, ".json")) {
      const std::string text = readFile(file);
      for (std::sregex_iterator at(text.begin(), text.end(), kSealed), end; at != end; ++at) {
        const std::string sealed = at->str();
        addOnce(secrets, {sealed, "sealed", file.string()});
        for (const HostKey& key : keys) {
          std::string clear;
          if (!key.decrypt(sealed, clear).IsFailure() && clear.size() >= kShortestClearText) {
            addOnce(secrets, {clear, "clear", file.string()});
          }
        }
      }
    }
  }
  return secrets;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: secret_scan LOG_FOLDER SOURCE_DIR\n");
    return 2;
  }
  const std::vector<Secret> secrets = configuredSecrets(argv[2], hostKeys(argv[2]));
  const std::vector<fs::path> logs = filesUnder(argv[1], "");
  std::size_t clearTexts = 0;
  for (const Secret& secret : secrets) {
    clearTexts += secret.kind == "clear" ? 1 : 0;
  }
  if (clearTexts == 0 || logs.empty()) {
    std::fprintf(stderr, "secret_scan: nothing to prove: %zu secrets opened, %zu files under %s\n", clearTexts,
                 logs.size(), argv[1]);
    return 1;
  }
  int found = 0;
  for (const fs::path& log : logs) {
    const std::string text = readFile(log);
    for (const Secret& secret : secrets) {
      if (text.find(secret.text) != std::string::npos) {
        std::fprintf(stderr, "secret_scan: %s holds the %s text of a secret configured in %s\n", log.c_str(),
                     secret.kind.c_str(), secret.origin.c_str());
        ++found;
      }
    }
  }
  std::printf("secret_scan: %zu log and capture files, %zu sealed and %zu clear secret texts: %s\n", logs.size(),
              secrets.size() - clearTexts, clearTexts, found == 0 ? "none found" : "FOUND");
  return found == 0 ? 0 : 1;
}
