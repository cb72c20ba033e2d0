#pragma once
// Records of the Oracle Cloud bridge: classic database services and their compute nodes.
// The members keep the bridge's declared order (texts, with the numeric values between them);
// those without a role in the library are named after their position and carried unchanged.
#include <cstdint>
#include <string>

namespace CloudDBInfoStructs {

struct SOracleDBInstanceInfo {
  std::string serviceName;  // text 1
  std::string version;  // text 2
  std::string text3;
  std::string text4;
  std::string text5;
  std::int64_t number1 = 0;
  std::int64_t number2 = 0;
  std::string browseGroup;  // text 6
  std::string text7;
  std::string text8;
  std::string text9;
  std::string text10;
  std::string text11;
  std::int32_t integer1 = 0;
  std::string serviceLevel;  // text 12
  std::string edition;  // text 13
  std::string text14;
  std::int32_t integer2 = 0;
  std::string text15;
  std::int32_t integer3 = 0;
  std::string backupDestination;  // text 16
  std::string text17;
  std::uint8_t flag1 = 0;
  std::uint8_t flag2 = 0;
  std::uint8_t flag3 = 0;
  std::uint8_t flag4 = 0;
  std::string text18;
  std::string text19;
  std::string text20;
  std::int32_t integer4 = 0;
  std::string text21;
  std::string text22;
  std::string text23;
  std::uint8_t flag5 = 0;
  std::string text24;
  std::string text25;
  std::string text26;
  std::string text27;
  std::string text28;
  std::string text29;
  std::int32_t integer5 = 0;
  std::string text30;
  std::string text31;
  std::string text32;
  std::string text33;
  std::string text34;
  std::string text35;
  std::string text36;
  std::string text37;
  std::string text38;
  std::string text39;
  std::string text40;
  std::string text41;
  std::string text42;
  std::string text43;
};

struct SOracleDBComputeNode {
  std::string hostName;
  std::string ipAddress;
  std::int32_t port = 0;
};

}  // namespace CloudDBInfoStructs
