#pragma once
// KWGlobalParam: the host's global settings (section "globalParameters"), read by name.
//
// A setting holds a text or a whole number. Read as text, a number gives its decimal text; read
// as a number, a text must be a whole decimal number (surrounding blanks allowed) or the read
// answers config::kValueNotInteger. A missing setting answers config::kValueNotSet. On any
// failure the out-argument is untouched.
#include <cstdint>
#include <string>
#include <string_view>

// The setting names of the HTTP proxy that cloud connections go through.
inline constexpr char SENDLOGS_USE_HTTP_PROXY[] = "httpProxy.enabled";
inline constexpr char SENDLOGS_HTTP_PROXY_SITE[] = "httpProxy.site";
inline constexpr char SENDLOGS_HTTP_PROXY_PORT[] = "httpProxy.port";
inline constexpr char SENDLOGS_HTTP_PROXY_USER[] = "httpProxy.user";
inline constexpr char SENDLOGS_HTTP_PROXY_PASSWORD[] = "httpProxy.password";  // stored encrypted
inline constexpr char HUBSERV_USE_PROXY_AUTHENTICATION[] = "httpProxy.useAuthentication";

class KWGlobalParam {
 public:
  static int get(std::string_view name, std::string& value);
  static int get(std::string_view name, std::int64_t& value);
  // As the 64-bit read; a number outside the range of int answers config::kValueNotInteger.
  static int get(std::string_view name, int& value);
};
