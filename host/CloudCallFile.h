#pragma once
// CloudCallFile: the simulator's record of every cloud call, one JSON object per line, written as
// the calls happen, so a driver can count lookups or see what reached the cloud from outside:
//
//   {"bridge":"amazon","connection":1,"operation":"RefreshDBInstanceInfoList",
//    "arguments":["us-east-1","..."],"proxy":"","failed":false,"error":""}
//
// Secrets arrive already masked ("***NOT SHOWN***") in the record. Each line is flushed as it is
// written. The file observes the simulator for its lifetime and must die before it.
#include <cstdio>
#include <memory>
#include <string>

#include "bridges/simulator/CloudSimulator.h"
#include "platform/CLmError.h"

namespace host {

class CloudCallFile {
 public:
  static CLmError open(const std::string& path, CloudSimulator& simulator, std::unique_ptr<CloudCallFile>& out);
  ~CloudCallFile();
  CloudCallFile(const CloudCallFile&) = delete;
  CloudCallFile& operator=(const CloudCallFile&) = delete;

  // The JSON object of one call (without the newline).
  static std::string render(const RecordedCall& call);

 private:
  CloudCallFile(std::FILE* file, CloudSimulator& simulator);

  std::FILE* file_;
  CloudSimulator& simulator_;
};

}  // namespace host
