#include "framework/IniText.h"

#include <climits>
#include <cstring>
#include <string>

namespace ini {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The first "=" that is a character of its own, not the second byte of a double-byte character.
const char* FindEquals(const char* line, text::LeadByteTest isLeadByte) {
    const size_t at = text::FindCharacter(line, '=', isLeadByte);
    return at == std::string_view::npos ? nullptr : line + at;
}

// Length of the longest prefix of name within limit bytes that does not end inside a double-byte
// character.
size_t FittingLength(const std::string& name, size_t limit, text::LeadByteTest isLeadByte) {
    size_t length = 0;
    for (const text::Character c : text::Characters(name, isLeadByte)) {
        if (c.at + c.size > limit) {
            break;
        }
        length = c.at + c.size;
    }
    return length;
}

}  // namespace

bool TrimSpaces(char* text) {
    if (!text) {
        return false;
    }
    size_t length = std::strlen(text);
    const size_t original = length;
    while (length > 0 && IsBlank(text[length - 1])) {
        --length;
    }
    text[length] = '\0';
    size_t start = 0;
    while (start < length && IsBlank(text[start])) {
        ++start;
    }
    if (start > 0) {
        std::memmove(text, text + start, length - start + 1);
    }
    return length != original || start > 0;
}

int ForEachString(const char* list, StringVisitor visitor, void* context) {
    if (!list || !visitor) {
        return 0;
    }
    for (const char* p = list; *p; p += std::strlen(p) + 1) {
        if (!visitor(p, context)) {
            return 0;
        }
    }
    return 1;
}

int CollectKeyName(const char* line, void* context) {
    auto& collector = *static_cast<KeyNameCollector*>(context);
    const char* equals = FindEquals(line, collector.isLeadByte);
    if (!equals || equals == line) {
        return 1;
    }
    std::string name(line, equals);
    TrimSpaces(name.data());
    name.resize(std::strlen(name.c_str()));
    if (name.empty()) {
        // A blank name would read as the end of the list and hide every name after it.
        return 1;
    }
    if (!collector.buffer) {
        collector.total += name.size() + 1;
        return 1;
    }
    // Room for this name and its terminator, keeping the byte for the list's closing zero.
    if (collector.total >= collector.capacity) {
        return 1;
    }
    const size_t room = collector.capacity - collector.total;
    const size_t stored = FittingLength(name, room - 1, collector.isLeadByte);
    std::memcpy(collector.buffer + collector.total, name.data(), stored);
    collector.buffer[collector.total + stored] = '\0';
    collector.total += stored + 1;
    return 1;
}

size_t FinishKeyNames(KeyNameCollector& collector) {
    if (collector.buffer) {
        collector.buffer[collector.total] = '\0';
    }
    return collector.total;
}

unsigned NextReadCapacity(unsigned capacity) {
    if (capacity == 0) {
        return kFirstReadCapacity;
    }
    return capacity > UINT_MAX / 2 ? 0 : capacity * 2;
}

}  // namespace ini
