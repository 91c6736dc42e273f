#include "drivers/DriverStoreLogScan.h"

namespace drivers {

namespace {

constexpr std::string_view kModemInfPrefix = "mdmcpq.inf_";
// Distances between the bounding "\" and the end of the name: names of 20 to 58 bytes.
constexpr std::size_t kMinDistance = 21;
constexpr std::size_t kMaxDistance = 59;

}  // namespace

bool ScanForModemDriverStoreFolder(std::string_view log, std::string& name) {
    // Starting at 0 rather than "before the log" makes the first byte act as a separator that is skipped.
    std::size_t lastSeparator = 0;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const char byte = log[i];
        if (byte != '\\' && byte != '\'') {
            continue;
        }
        const std::size_t distance = i - lastSeparator;
        if (distance >= kMinDistance && distance <= kMaxDistance &&
            log.substr(lastSeparator + 1, kModemInfPrefix.size()) == kModemInfPrefix) {
            name.assign(log.substr(lastSeparator + 1, distance - 1));
            return true;
        }
        // A closing apostrophe ends a candidate but is no folder boundary.
        if (byte == '\\') {
            lastSeparator = i;
        }
    }
    return false;
}

bool IsPlainFolderName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (const char byte : name) {
        if (static_cast<unsigned char>(byte) < 0x20 ||
            std::string_view("\\/:*?\"<>|").find(byte) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace drivers
