#pragma once
// A host environment with a configuration made from JSON text and a fixed host key, installed
// for the lifetime of the object. "{{seal:TEXT}}" in the JSON is replaced by TEXT sealed with
// the key, so tests write secrets as they would appear in a real file.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/HostEnvironment.h"
#include "platform/HostKey.h"
#include "platform/PlatformConfiguration.h"

namespace config_test {

inline HostKey testKey(std::uint8_t first = 1) {
  HostKey::KeyBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(first + i);
  return HostKey(bytes);
}

inline std::string seal(const HostKey& key, std::string_view clear) {
  std::string stored;
  const CLmError error = key.encrypt(clear, stored);
  EXPECT_FALSE(error) << error.AsString();
  return stored;
}

inline std::string withSealedSecrets(const HostKey& key, std::string json) {
  static constexpr std::string_view kOpen = "{{seal:";
  for (std::size_t start = json.find(kOpen); start != std::string::npos; start = json.find(kOpen, start)) {
    const std::size_t end = json.find("}}", start);
    if (end == std::string::npos) break;
    const std::string clear = json.substr(start + kOpen.size(), end - start - kOpen.size());
    const std::string sealed = seal(key, clear);
    json.replace(start, end + 2 - start, sealed);
    start += sealed.size();
  }
  return json;
}

inline CLmError load(std::string_view json, std::unique_ptr<const PlatformConfiguration>& out) {
  return PlatformConfiguration::LoadText(json, "test.json", out);
}

class ConfiguredHost {
 public:
  explicit ConfiguredHost(const std::string& json) : key_(testKey()) {
    const CLmError error = load(withSealedSecrets(key_, json), configuration_);
    EXPECT_FALSE(error) << error.AsString();
    environment_.configuration = configuration_.get();
    environment_.hostKey = &key_;
    installation_.emplace(environment_);
  }

  const HostKey& key() const { return key_; }
  std::string seal(std::string_view clear) const { return config_test::seal(key_, clear); }

 private:
  HostKey key_;
  std::unique_ptr<const PlatformConfiguration> configuration_;
  HostEnvironment environment_;
  std::optional<HostEnvironment::Installation> installation_;
};

}  // namespace config_test
