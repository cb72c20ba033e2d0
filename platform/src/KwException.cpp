#include "platform/KwException.h"

#include <utility>

KwException::KwException(std::string message, std::string file, std::string function, int line, std::int64_t code)
    : message_(std::move(message)), file_(std::move(file)), function_(std::move(function)), line_(line), code_(code) {}
