// Sealed secrets: round trips, every kind of damaged or foreign value refused, key files, and
// the host's decryption entry points (KWPassword, vsAppMgr::decryptPassword).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "config_test_support.h"
#include "platform/Base64.h"
#include "platform/KwcBucket.h"
#include "platform/config/ConfigStatus.h"
#include "platform/config/KWPassword.h"
#include "platform/config/vsAppMgr.h"

namespace {

using config_test::seal;
using config_test::testKey;

std::string decryptOrFail(const HostKey& key, const std::string& stored, CLmError& error) {
  std::string clear = "untouched";
  error = key.decrypt(stored, clear);
  return clear;
}

// The sealed bytes of a stored secret, changed by edit, stored again.
template <typename Edit>
std::string editSealedBytes(const std::string& stored, Edit edit) {
  KwcBucket bytes;
  EXPECT_FALSE(Base64::Decode(std::string_view(stored).substr(HostKey::kSecretPrefix.size()), bytes));
  std::string raw = bytes.toText();
  edit(raw);
  return std::string(HostKey::kSecretPrefix) + Base64::Encode(raw);
}

TEST(SealedSecrets, RoundTripKeepsEveryByte) {
  const HostKey key = testKey();
  const std::vector<std::string> clearTexts = {std::string(), "demo-secret-key-0001", std::string("a\0b\xff", 4),
                                               std::string(5000, 'x')};
  for (const std::string& clear : clearTexts) {
    const std::string stored = seal(key, clear);
    EXPECT_TRUE(stored.starts_with("enc:v1:"));
    if (!clear.empty()) {
      EXPECT_EQ(stored.find(clear), std::string::npos);
    }
    CLmError error;
    EXPECT_EQ(decryptOrFail(key, stored, error), clear);
    EXPECT_FALSE(error) << error.AsString();
  }
}

TEST(SealedSecrets, SameClearTextSealsDifferentlyEachTime) {
  const HostKey key = testKey();
  EXPECT_NE(seal(key, "same"), seal(key, "same"));
}

TEST(SealedSecrets, DamagedOrForeignValuesAreRefusedAndLeaveTheOutputAlone) {
  const HostKey key = testKey();
  const std::string stored = seal(key, "the secret");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"plain text", "the secret"},
      {"other version", "enc:v2:" + stored.substr(7)},
      {"not base64", "enc:v1:@@@@"},
      {"empty payload", "enc:v1:"},
      {"shorter than nonce and tag", editSealedBytes(stored, [](std::string& raw) { raw.resize(20); })},
      {"cut short by one byte", editSealedBytes(stored, [](std::string& raw) { raw.pop_back(); })},
      {"changed cipher byte", editSealedBytes(stored, [](std::string& raw) { raw[12] ^= 0x01; })},
      {"changed nonce", editSealedBytes(stored, [](std::string& raw) { raw[0] ^= 0x80; })},
      {"changed tag", editSealedBytes(stored, [](std::string& raw) { raw.back() ^= 0x01; })},
      {"byte appended", editSealedBytes(stored, [](std::string& raw) { raw.push_back('x'); })},
  };
  for (const auto& [what, value] : refused) {
    CLmError error;
    EXPECT_EQ(decryptOrFail(key, value, error), "untouched") << what;
    EXPECT_TRUE(error.IsFailure()) << what;
    EXPECT_EQ(error.code(), HostKey::kFailureCode) << what;
    EXPECT_EQ(error.message().find("the secret"), std::string::npos) << what;
  }
}

TEST(SealedSecrets, AnotherKeyCannotOpenTheValue) {
  const std::string stored = seal(testKey(1), "the secret");
  CLmError error;
  EXPECT_EQ(decryptOrFail(testKey(2), stored, error), "untouched");
  EXPECT_NE(error.message().find("another key"), std::string::npos) << error.message();
}

TEST(SealedSecrets, GeneratedKeysDifferAndWork) {
  std::optional<HostKey> first;
  std::optional<HostKey> second;
  ASSERT_FALSE(HostKey::Generate(first));
  ASSERT_FALSE(HostKey::Generate(second));
  EXPECT_NE(first->toKeyFileText(), second->toKeyFileText());
  CLmError error;
  EXPECT_EQ(decryptOrFail(*first, seal(*first, "x"), error), "x");
  EXPECT_EQ(decryptOrFail(*second, seal(*first, "x"), error), "untouched");
}

class KeyFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("clouddb-keyfiles-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Key files are written for their owner only, as the host requires.
  std::string write(const std::string& name, const std::string& text, mode_t mode = 0600) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    ::chmod(path.c_str(), mode);
    return path;
  }

  std::filesystem::path folder_;
};

TEST_F(KeyFiles, HexKeyWithCommentsAndBlankLinesLoads) {
  const HostKey expected = testKey();
  std::string text = expected.toKeyFileText();
  text = "# demo\n\n  " + text.substr(text.find('\n') + 1);
  text.insert(text.size() - 1, "\r");
  std::optional<HostKey> loaded;
  const CLmError error = HostKey::LoadFile(write("key", text), loaded);
  ASSERT_FALSE(error) << error.AsString();
  CLmError opened;
  EXPECT_EQ(decryptOrFail(*loaded, seal(expected, "s"), opened), "s");
}

// Whoever can read the key can open every secret: like ssh, refuse a key others may read.
TEST_F(KeyFiles, AKeyGroupOrOthersCanReachIsRefused) {
  const std::string text = testKey().toKeyFileText();
  for (const mode_t mode : {0644, 0640, 0604, 0660, 0602}) {
    std::optional<HostKey> loaded;
    const CLmError error = HostKey::LoadFile(write("key", text, mode), loaded);
    EXPECT_TRUE(error.IsFailure()) << std::oct << mode;
    EXPECT_NE(error.message().find("accessible by group or others"), std::string::npos) << error.message();
    EXPECT_FALSE(loaded.has_value());
  }
  std::optional<HostKey> loaded;
  EXPECT_FALSE(HostKey::LoadFile(write("key", text, 0400), loaded).IsFailure());
}

TEST_F(KeyFiles, WrongSizeOrContentIsRefusedWithThePath) {
  const std::string digits(64, 'a');
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"short", std::string(62, 'a') + "\n"},
      {"long", std::string(66, 'a') + "\n"},
      {"empty", "# nothing here\n"},
      {"not hex", std::string(63, 'a') + "g\n"},
      {"two keys", digits + "\n" + digits + "\n"},
      {"raw bytes", std::string(32, '\x01')},
  };
  for (const auto& [name, text] : refused) {
    std::optional<HostKey> loaded;
    const std::string path = write(name, text);
    const CLmError error = HostKey::LoadFile(path, loaded);
    EXPECT_TRUE(error.IsFailure()) << name;
    EXPECT_NE(error.message().find(path), std::string::npos) << error.message();
    EXPECT_FALSE(loaded.has_value()) << name;
  }
  std::optional<HostKey> loaded;
  EXPECT_TRUE(HostKey::LoadFile((folder_ / "missing").string(), loaded).IsFailure());
}

TEST_F(KeyFiles, SavedKeyIsPrivateLoadsBackAndIsNeverReplaced) {
  const HostKey key = testKey(7);
  const std::string path = (folder_ / "host.key").string();
  ASSERT_FALSE(key.SaveFile(path));
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);

  std::optional<HostKey> loaded;
  ASSERT_FALSE(HostKey::LoadFile(path, loaded));
  EXPECT_EQ(loaded->toKeyFileText(), key.toKeyFileText());
  EXPECT_TRUE(testKey(9).SaveFile(path).IsFailure());
  ASSERT_FALSE(HostKey::LoadFile(path, loaded));
  EXPECT_EQ(loaded->toKeyFileText(), key.toKeyFileText());
}

class HostDecryption : public ::testing::Test {
 protected:
  HostKey key_ = testKey();
};

TEST_F(HostDecryption, KWPasswordFillsATerminatedClearText) {
  HostEnvironment environment;
  environment.hostKey = &key_;
  HostEnvironment::Installation installed(environment);
  char buffer[KWPassword::kBufferBytes];
  std::memset(buffer, 'z', sizeof buffer);
  ASSERT_EQ(KWPassword::decrypt(seal(key_, "proxy-pass"), buffer, sizeof buffer), config::kOk);
  EXPECT_STREQ(buffer, "proxy-pass");
}

TEST_F(HostDecryption, KWPasswordRefusesAClearTextThatDoesNotFit) {
  HostEnvironment environment;
  environment.hostKey = &key_;
  HostEnvironment::Installation installed(environment);
  char buffer[KWPassword::kBufferBytes];
  const std::string exactFit(KWPassword::kBufferBytes - 1, 'p');
  ASSERT_EQ(KWPassword::decrypt(seal(key_, exactFit), buffer, sizeof buffer), config::kOk);
  EXPECT_EQ(std::string(buffer), exactFit);

  std::memset(buffer, 'z', sizeof buffer);
  EXPECT_EQ(KWPassword::decrypt(seal(key_, exactFit + "p"), buffer, sizeof buffer), config::kBufferTooSmall);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(KWPassword::decrypt(seal(key_, "x"), buffer, 0), config::kBufferTooSmall);
}

TEST_F(HostDecryption, RefusedValuesLeaveNoStaleBytesBehind) {
  HostEnvironment environment;
  environment.hostKey = &key_;
  HostEnvironment::Installation installed(environment);
  char buffer[KWPassword::kBufferBytes];
  std::memset(buffer, 'z', sizeof buffer);
  EXPECT_EQ(KWPassword::decrypt("plain-password", buffer, sizeof buffer), config::kSecretRefused);
  EXPECT_STREQ(buffer, "");
  std::string clear = "untouched";
  EXPECT_EQ(vsAppMgr::decryptPassword(seal(testKey(5), "x"), clear), config::kSecretRefused);
  EXPECT_EQ(clear, "untouched");
}

TEST_F(HostDecryption, WithoutAHostKeyNothingDecrypts) {
  HostEnvironment environment;
  HostEnvironment::Installation installed(environment);
  std::string clear = "untouched";
  EXPECT_EQ(vsAppMgr::decryptPassword(seal(key_, "x"), clear), config::kNoHostKey);
  EXPECT_EQ(clear, "untouched");
  char buffer[16];
  EXPECT_EQ(KWPassword::decrypt(seal(key_, "x"), buffer, sizeof buffer), config::kNoHostKey);
}

TEST_F(HostDecryption, VsAppMgrOpensWithTheInstalledKey) {
  HostEnvironment environment;
  environment.hostKey = &key_;
  HostEnvironment::Installation installed(environment);
  std::string clear;
  EXPECT_EQ(vsAppMgr::decryptPassword(seal(key_, "demo-secret-key-0001"), clear), config::kOk);
  EXPECT_EQ(clear, "demo-secret-key-0001");
}

}  // namespace
