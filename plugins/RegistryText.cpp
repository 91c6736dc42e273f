#include "plugins/RegistryText.h"

#include <cstring>

namespace plugins {

std::optional<std::string> RegistryText(const char* bytes, std::size_t size, std::size_t capacity) {
    if (size > capacity) {
        return std::nullopt;
    }
    if (const void* terminator = std::memchr(bytes, '\0', size)) {
        return std::string(bytes, static_cast<const char*>(terminator));
    }
    if (size == capacity) {
        return std::nullopt;
    }
    return std::string(bytes, size);
}

}  // namespace plugins
