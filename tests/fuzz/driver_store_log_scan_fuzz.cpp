// libFuzzer: any bytes as the device-installation log. A name the scan finds must be what it promises
// (20 to 58 bytes, "mdmcpq.inf_" first, no "\" in it, taken from the log itself), and the check of a
// folder name must hold for whatever it is given. An apostrophe may lie inside a name: one that ends a
// segment too short to count does not move the segment's start.
#include <cstdint>
#include <string>
#include <string_view>

#include "drivers/DriverStoreLogScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    std::string name;
    if (drivers::ScanForModemDriverStoreFolder(log, name)) {
        if (name.size() < 20 || name.size() > 58 || name.compare(0, 11, "mdmcpq.inf_") != 0 ||
            name.find('\\') != std::string::npos || log.find(name) == std::string_view::npos) {
            __builtin_trap();
        }
        if (drivers::IsPlainFolderName(name) && name.find_first_of("/:*?\"<>|") != std::string::npos) {
            __builtin_trap();
        }
    } else if (!name.empty()) {
        __builtin_trap();
    }
    drivers::IsPlainFolderName(log);
    return 0;
}
