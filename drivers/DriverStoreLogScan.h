#pragma once
// Finding the driver-store folder of the Windows modem INF in the device-installation log
// ("inf\setupapi.dev.log"). Windows names the folder after the INF plus a platform and hash
// ("mdmcpq.inf_x86_neutral_0123456789abcdef"), so the log is searched for that text, not parsed.

#include <string>
#include <string_view>

namespace drivers {

// The first text in the log that follows a "\" (the very first byte of the log never counts), runs to the
// next "\" or "'", is 20 to 58 bytes long and begins with "mdmcpq.inf_" (case-sensitive). Returns true
// and sets `name` to it when there is one; otherwise returns false and leaves `name` alone.
bool ScanForModemDriverStoreFolder(std::string_view log, std::string& name);

// Whether a name found in the log can be used as one folder below the driver store: no "/" (which
// Windows also takes as a separator, so "mdmcpq.inf_x/../.." would climb out), no ":", no wildcard or
// other character that Windows forbids in a file name, no control character.
bool IsPlainFolderName(std::string_view name);

}  // namespace drivers
