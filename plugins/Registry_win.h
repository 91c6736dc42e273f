#pragma once
// Reading the registry, which the setup never writes. Keys are opened for reading; without a view flag
// a program sees the view of its own bitness, and view (KEY_WOW64_32KEY or KEY_WOW64_64KEY) picks the
// other one on 64-bit Windows (HostSearch.h says when).

#include <windows.h>

#include <string>
#include <vector>

#include "plugins/HostSearch.h"

// Queries a value of root\subKey into buffer. size: on entry the buffer's capacity in bytes, on success
// the number of bytes stored. The text is not terminated; the caller does that. 0 on success, 1 when
// the key can't be opened or the value can't be read (missing, or larger than the buffer).
int ReadRegistryString(HKEY root,
                       const char* subKey,
                       const char* valueName,
                       char* buffer,
                       DWORD* size,
                       REGSAM view = 0);

// The text of a string value of a key under HKEY_LOCAL_MACHINE, read into a buffer of
// plugins::kRegistryTextCapacity bytes; false when it can't be read or doesn't fit with its terminator.
bool ReadMachineText(const std::string& subKey, const char* valueName, std::string* text, REGSAM view = 0);

// The names of the sub-keys of a key under HKEY_LOCAL_MACHINE, in the registry's order; false when the
// key can't be opened. A name that can't be read ends the list.
bool ListMachineSubKeys(const std::string& key, std::vector<std::string>* names, REGSAM view = 0);

// The flag that opens a view: none for the setup's own, KEY_WOW64_64KEY or KEY_WOW64_32KEY for the
// other (the one a 32-bit or a 64-bit build of the setup does not see by itself).
REGSAM RegistryViewFlag(plugins::RegistryView view);
