#include "app/SetupFolder_win.h"

#include "framework/SystemLeadByte_win.h"
#include "payload/EntryName.h"

std::string SetupFolderOf(const std::string& executablePath) {
    const std::size_t last = payload::LastSeparator(executablePath, IsSystemLeadByte);
    return last == std::string::npos ? std::string() : executablePath.substr(0, last + 1);
}
