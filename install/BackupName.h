#pragma once
// Where a copy of a user's file goes before the installation replaces it: a "Backup" folder beside the
// file, and in it one folder per installation named after its date and time, so a person finds the
// copies and sees which installation set them aside. A name already taken gets " (2)", " (3)" and so
// on, so no copy ever replaces an earlier one.

#include <string>

namespace install {

inline constexpr const char* kBackupFolderName = "Backup";

struct LocalTime {
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
};

// "2024-05-01 15-30-00": listed in date order, with no character Windows refuses in a name.
std::string BackupStamp(const LocalTime& time);

// The folder for the attempt-th try (1, 2, ...) at a backup of a file lying in `folder` (ending in
// "\"): folder + "Backup\" + stamp + "\", from the second try on with " (attempt)" after the stamp.
std::string BackupFolder(const std::string& folder, const std::string& stamp, unsigned attempt);

}  // namespace install
