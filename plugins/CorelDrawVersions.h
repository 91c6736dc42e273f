#pragma once
// The CorelDRAW versions of the install-path dialog's list: where each one is registered, which of
// CorelDRAW's program folders it uses and which macro module it takes.

#include <array>
#include <string>

namespace plugins {

struct CorelDrawVersion {
    // Keys under HKEY_LOCAL_MACHINE holding the value "Destination", in the order tried; the second
    // is nullptr when there is only one.
    std::array<const char*, 2> registryKeys;
    const char* programFolder;  // "Programs" or "Programs64"
    const char* module;         // the payload's module that becomes "QTXCorel.gms"
};

inline constexpr const char* kCorelDestinationValue = "Destination";
inline constexpr const char* kCorelModuleName = "QTXCorel.gms";

// Indexed by the position in the dialog's CorelDRAW version list.
extern const CorelDrawVersion kCorelDrawVersions[9];

// The version at that list position, or nullptr outside the list.
const CorelDrawVersion* FindCorelDrawVersion(int versionIndex);

// The "(64bit)" editions, which use "Programs64": a 64-bit CorelDRAW registers in the 64-bit view.
bool IsSixtyFourBitVersion(const CorelDrawVersion& version);

// Every version's module, in the order they are deleted from the GMS folder, and from the program folder.
inline constexpr std::array<const char*, 6> kGmsFolderModules = {
    "QTXCorel11.gms", "QTXCorel12.gms", "QTXCorelEx.gms", "QTXCorelEx64.gms", "QTXCorelX5.gms", "QTXCorelX34.gms",
};
inline constexpr std::array<const char*, 6> kProgramFolderModules = {
    "QTXCorel11.gms", "QTXCorel12.gms", "QTXCorelEx.gms", "QTXCorelX5.gms", "QTXCorelX34.gms", "QTXCorelEx64.gms",
};

// CorelDRAW's program folder (the plug-in's home) and the folder of its macro modules.
struct CorelDrawFolders {
    std::string program;  // ending in "\"
    std::string gms;      // ending in "\"
    std::string base;     // the installation's folder both lie below, ending in "\"
};

// The folders of a CorelDRAW installed in base, which ends in "\". The registry's "Destination" comes
// without one and has one appended, so a value that already ends in "\" gives a doubled one, which
// Windows reads as a single separator.
CorelDrawFolders CorelDrawFoldersUnder(const std::string& base, const CorelDrawVersion& version);

}  // namespace plugins
