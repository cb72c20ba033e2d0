#pragma once
// Request files: a message in its XML rendering, written by hand or kept beside a scenario. The
// root element names the message type (docs/messages.md), so a file may hold any registered type.
#include <memory>
#include <string>

#include "platform/CLmError.h"
#include "platform/CNMessageBase.h"

namespace host {

CLmError readTextFile(const std::string& path, std::string& text);
CLmError loadMessageFile(const std::string& path, std::unique_ptr<CNMessageBase>& message);

}  // namespace host
