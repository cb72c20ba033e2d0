#pragma once
// The header names and fixed values of signed Table service requests.
#include <string>

namespace azureheaders {

inline constexpr char kDate[] = "x-ms-date";
inline constexpr char kDataServiceVersion[] = "MaxDataServiceVersion";
inline constexpr char kDataServiceVersionValue[] = "3.0;NetFx";
inline constexpr char kVersion[] = "x-ms-version";
inline constexpr char kVersionValue[] = "2015-12-11";
inline constexpr char kAuthorization[] = "Authorization";
inline constexpr char kContentType[] = "Content-Type";
inline constexpr char kAccept[] = "Accept";
inline constexpr char kNextTableName[] = "x-ms-continuation-NextTableName";
inline constexpr char kNotShown[] = "***NOT SHOWN***";

// What a log may show of a header's value: the Authorization carries a signature made with the
// account key, so it is never shown.
inline std::string shownValue(const std::string& name, const std::string& value) {
  return name == kAuthorization ? std::string(kNotShown) : value;
}

}  // namespace azureheaders
