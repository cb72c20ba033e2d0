#pragma once
// Texts of the operations that this build does not provide yet. An entry point whose operation
// is missing answers with one of these as a failure, never with success.
namespace clouddb::entry::unavailable {

inline constexpr char kBrowse[] = "Browsing this account is not available yet";

}  // namespace clouddb::entry::unavailable
