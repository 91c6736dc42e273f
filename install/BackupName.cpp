#include "install/BackupName.h"

#include "framework/FormatNumber.h"

namespace install {

namespace {

// The number's last `digits` decimal digits, with leading zeros.
void AppendDigits(std::string& text, unsigned number, int digits) {
    std::string part(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        part[static_cast<std::size_t>(i)] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    text += part;
}

}  // namespace

std::string BackupStamp(const LocalTime& time) {
    std::string stamp;
    AppendDigits(stamp, time.year, 4);
    stamp += '-';
    AppendDigits(stamp, time.month, 2);
    stamp += '-';
    AppendDigits(stamp, time.day, 2);
    stamp += ' ';
    AppendDigits(stamp, time.hour, 2);
    stamp += '-';
    AppendDigits(stamp, time.minute, 2);
    stamp += '-';
    AppendDigits(stamp, time.second, 2);
    return stamp;
}

std::string BackupFolder(const std::string& folder, const std::string& stamp, unsigned attempt) {
    std::string path = folder + kBackupFolderName + "\\" + stamp;
    if (attempt > 1) {
        path += " (" + FormatDecimal(attempt) + ")";
    }
    return path + "\\";
}

}  // namespace install
