#pragma once
// The text helpers under IniFile, free of any platform call so they are tested on the build host.

#include <cstddef>

#include "framework/CharacterWalk.h"

namespace ini {

// The profile functions cut a value or section to the buffer they are given, so a read starts with this
// many bytes and is repeated in a larger buffer while the text may have been cut.
inline constexpr unsigned kFirstReadCapacity = 512;

// The capacity for the next read after one that was too small: twice as much, so a value of n bytes
// takes about log2(n / 512) reads rather than n / 512. 0 when it cannot grow any further.
unsigned NextReadCapacity(unsigned capacity);

// Removes, in place, trailing and then leading spaces, tabs, carriage returns and line feeds (leading
// ones by moving the rest to the start). True when anything was removed; a null text gives false.
bool TrimSpaces(char* text);

// Calls visitor(string, context) for each string of a list of zero-terminated strings closed by an
// empty one. Returns 0 when the visitor returned 0 (the walk stops there) or list or visitor is null,
// 1 when the closing empty string was reached.
using StringVisitor = int (*)(const char* text, void* context);
int ForEachString(const char* list, StringVisitor visitor, void* context);

// Collects the key names of "key=value" lines into a list of zero-terminated names. Counting only
// when buffer is null. With a buffer of capacity + 1 bytes, a name that does not fit is cut (never
// inside a double-byte character) so that it, its terminator and the list's closing zero fit.
struct KeyNameCollector {
    char* buffer = nullptr;
    size_t capacity = 0;
    size_t total = 0;                                     // bytes of the names so far, each name's length + 1
    text::LeadByteTest isLeadByte = text::IsGbkLeadByte;  // the setup passes the system's answer
};

// The key-name step for one line: a line without "=", starting with "=" or with only blanks before it
// is skipped; otherwise the
// trimmed text before the first "=" is counted (and stored). Always returns 1 so the walk goes on.
int CollectKeyName(const char* line, void* collector);

// Closes the collected list with its extra zero byte (when there is a buffer) and returns the total.
size_t FinishKeyNames(KeyNameCollector& collector);

}  // namespace ini
