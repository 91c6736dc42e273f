#pragma once
// Turning the bytes of a registry string value into text. The registry keeps a string's terminator
// only if whoever wrote the value stored one, so the reader terminates it itself.

#include <cstddef>
#include <optional>
#include <string>

namespace plugins {

// The buffer the installation paths are read into ("Destination", "AcadLocation").
inline constexpr std::size_t kRegistryTextCapacity = 260;

// The text of the size bytes a query stored in a buffer of capacity bytes: up to the value's own
// terminator, or all of the bytes when they leave room for one. Bytes that fill the buffer without a
// terminator may be the head of a longer text, so they count as unreadable.
std::optional<std::string> RegistryText(const char* bytes, std::size_t size, std::size_t capacity);

}  // namespace plugins
