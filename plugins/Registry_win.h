#pragma once
// Reading the registry, which the setup never writes. Keys are opened for reading with no view flag,
// so on 64-bit Windows the 32-bit setup sees the 32-bit view, where 32-bit host applications register.

#include <windows.h>

#include <string>
#include <vector>

// Queries a value of root\subKey into buffer. size: on entry the buffer's capacity in bytes, on success
// the number of bytes stored. The text is not terminated; the caller does that. 0 on success, 1 when
// the key can't be opened or the value can't be read (missing, or larger than the buffer).
int ReadRegistryString(HKEY root, const char* subKey, const char* valueName, char* buffer, DWORD* size);

// The text of a string value of a key under HKEY_LOCAL_MACHINE, read into a buffer of
// plugins::kRegistryTextCapacity bytes; false when it can't be read or doesn't fit with its terminator.
bool ReadMachineText(const std::string& subKey, const char* valueName, std::string* text);

// The names of the sub-keys of a key under HKEY_LOCAL_MACHINE, in the registry's order; false when the
// key can't be opened. A name that can't be read ends the list.
bool ListMachineSubKeys(const std::string& key, std::vector<std::string>* names);
