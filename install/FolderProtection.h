#pragma once
// The permissions the main installation gives the folder it creates: those Program Files has, full
// control for Administrators and SYSTEM and read and execute for Users, inherited by every file and
// folder below and none inherited from above. A folder under the root of a drive would otherwise take
// the root's "Authenticated Users: Modify", and any user could put a DLL where the next administrator
// who starts the program loads it.

#include <cstdint>
#include <string>

namespace install {

enum class Trustee { Administrators, System, Users };

struct FolderAccess {
    Trustee who;
    std::uint32_t rights;  // an access mask of file rights
};

// FILE_ALL_ACCESS, and FILE_GENERIC_READ | FILE_GENERIC_EXECUTE as Windows' "Read & execute" grants.
inline constexpr std::uint32_t kFullControl = 0x001F01FF;
inline constexpr std::uint32_t kReadAndExecute = 0x001200A9;

inline constexpr FolderAccess kProtectedFolderAccess[] = {
    {Trustee::Administrators, kFullControl},
    {Trustee::System, kFullControl},
    {Trustee::Users, kReadAndExecute},
};

// The security descriptor for such a folder as SDDL text: a protected DACL ("P": nothing inherited
// from the parent) with one allow entry per FolderAccess, each inherited by files and folders ("OICI").
std::string ProtectedFolderSddl();

// What an existing install folder is given, so that it is what a new one would be: owner Administrators
// and the protected DACL above. For everything below it: owner Administrators and exactly the entries
// it inherits from the folder ("ID"; a folder passes them on, "OICIID"), every explicit one gone, so no
// entry is left that lets anyone but Administrators and SYSTEM change it.
std::string ProtectedFolderWithOwnerSddl();
std::string InheritedBelowSddl(bool isFolder);

}  // namespace install
