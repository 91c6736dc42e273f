// libFuzzer: the key-name step over any lines. The first byte picks the buffer's capacity and whether
// the text is taken as GBK; the rest are lines separated by "\n". Stored names must fit the buffer of
// capacity + 1 bytes (the heap buffer has no slack, so AddressSanitizer sees any overrun), each must be
// the start of the name the counting pass saw, and a buffer large enough must receive the whole list.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/IniText.h"

namespace {

bool NoLeadBytes(unsigned char) {
    return false;
}

std::vector<std::string> Names(const char* list, std::size_t total) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < total; at += std::strlen(list + at) + 1) {
        names.emplace_back(list + at);
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t capacity = data[0] & 0x7F;
    const text::LeadByteTest isLeadByte = (data[0] & 0x80) ? text::IsGbkLeadByte : NoLeadBytes;
    std::vector<std::string> lines(1);
    for (std::size_t i = 1; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\0') {
            lines.back() += c;
        }
    }

    ini::KeyNameCollector counting;
    counting.isLeadByte = isLeadByte;
    for (const std::string& line : lines) {
        ini::CollectKeyName(line.c_str(), &counting);
    }
    const std::size_t needed = ini::FinishKeyNames(counting);

    const std::unique_ptr<char[]> buffer(new char[capacity + 1]);
    ini::KeyNameCollector storing;
    storing.buffer = buffer.get();
    storing.capacity = capacity;
    storing.isLeadByte = isLeadByte;
    for (const std::string& line : lines) {
        ini::CollectKeyName(line.c_str(), &storing);
    }
    const std::size_t stored = ini::FinishKeyNames(storing);
    if (stored > capacity) {
        __builtin_trap();
    }

    // The full names, from a buffer that holds them all, against what the small one kept.
    const std::unique_ptr<char[]> large(new char[needed + 1]);
    ini::KeyNameCollector complete;
    complete.buffer = large.get();
    complete.capacity = needed;
    complete.isLeadByte = isLeadByte;
    for (const std::string& line : lines) {
        ini::CollectKeyName(line.c_str(), &complete);
    }
    if (ini::FinishKeyNames(complete) != needed) {
        __builtin_trap();
    }
    const std::vector<std::string> full = Names(large.get(), needed);
    const std::vector<std::string> kept = Names(buffer.get(), stored);
    if (kept.size() > full.size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (full[i].compare(0, kept[i].size(), kept[i]) != 0 || full[i].empty()) {
            __builtin_trap();
        }
    }

    for (std::string line : lines) {
        ini::TrimSpaces(line.data());
    }
    return 0;
}
