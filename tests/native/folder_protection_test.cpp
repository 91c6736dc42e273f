// The security descriptor the main installation gives the folder it creates, read back from its SDDL
// text the way Windows reads it: a protected DACL of allow entries inherited by files and folders, in
// which only Administrators and SYSTEM may change anything.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "install/FolderProtection.h"

namespace {

struct Ace {
    std::string type, flags, rights, objectGuid, inheritGuid, sid;
};

struct Dacl {
    std::string control;  // the letters between "D:" and the first entry
    std::vector<Ace> aces;
    bool wellFormed = false;
};

Dacl ParseDacl(const std::string& sddl) {
    Dacl dacl;
    if (sddl.compare(0, 2, "D:") != 0) {
        return dacl;
    }
    std::size_t at = sddl.find('(');
    dacl.control = sddl.substr(2, at == std::string::npos ? std::string::npos : at - 2);
    while (at != std::string::npos && at < sddl.size()) {
        const std::size_t end = sddl.find(')', at);
        if (sddl[at] != '(' || end == std::string::npos) {
            return dacl;
        }
        std::vector<std::string> fields(1);
        for (std::size_t i = at + 1; i < end; ++i) {
            if (sddl[i] == ';') {
                fields.emplace_back();
            } else {
                fields.back().push_back(sddl[i]);
            }
        }
        if (fields.size() != 6) {
            return dacl;
        }
        dacl.aces.push_back({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
        at = end + 1;
    }
    dacl.wellFormed = true;
    return dacl;
}

// Rights that change a folder or what is in it: write and append data, write attributes and extended
// attributes, delete a child, delete, change the permissions, take ownership.
constexpr std::uint32_t kChangingRights =
    0x0002 | 0x0004 | 0x0010 | 0x0100 | 0x0040 | 0x00010000 | 0x00040000 | 0x00080000;

}  // namespace

TEST(FolderProtection, ProgramFilesPermissionsInheritedBelowAndNoneFromAbove) {
    const std::string sddl = install::ProtectedFolderSddl();
    const Dacl dacl = ParseDacl(sddl);
    ASSERT_TRUE(dacl.wellFormed) << sddl;
    // "P": the root's entries (Authenticated Users: Modify) do not flow in.
    EXPECT_NE(dacl.control.find('P'), std::string::npos) << sddl;
    std::map<std::string, std::uint32_t> rights;
    for (const Ace& ace : dacl.aces) {
        EXPECT_EQ(ace.type, "A") << sddl;
        EXPECT_EQ(ace.flags, "OICI") << sddl;  // to files and folders below, and to the folder itself
        EXPECT_TRUE(ace.objectGuid.empty() && ace.inheritGuid.empty()) << sddl;
        EXPECT_EQ(rights.count(ace.sid), 0u) << "twice: " << ace.sid;
        rights[ace.sid] = static_cast<std::uint32_t>(std::strtoul(ace.rights.c_str(), nullptr, 16));
    }
    const std::map<std::string, std::uint32_t> expected = {
        {"BA", 0x1F01FF},  // Administrators: full control
        {"SY", 0x1F01FF},  // SYSTEM: full control
        {"BU", 0x1200A9},  // Users: read & execute, list the folder
    };
    EXPECT_EQ(rights, expected) << sddl;
    EXPECT_EQ(rights["BU"] & kChangingRights, 0u) << "Users may change the folder";
}

TEST(FolderProtection, TheTableAndTheTextAgree) {
    const Dacl dacl = ParseDacl(install::ProtectedFolderSddl());
    ASSERT_EQ(dacl.aces.size(), std::size(install::kProtectedFolderAccess));
    const char* const sids[] = {"BA", "SY", "BU"};
    for (std::size_t i = 0; i < dacl.aces.size(); ++i) {
        EXPECT_EQ(dacl.aces[i].sid, sids[static_cast<int>(install::kProtectedFolderAccess[i].who)]);
        EXPECT_EQ(std::strtoul(dacl.aces[i].rights.c_str(), nullptr, 16), install::kProtectedFolderAccess[i].rights);
    }
}

// An existing install folder is given the same as a new one, owned by Administrators; everything below
// keeps only what it inherits from it: the same entries marked inherited, a folder passing them on.
TEST(FolderProtection, WhatAnExistingFolderAndEverythingBelowItAreGiven) {
    const std::string folder = install::ProtectedFolderWithOwnerSddl();
    ASSERT_EQ(folder.compare(0, 4, "O:BA"), 0) << folder;
    EXPECT_EQ(folder.substr(4), install::ProtectedFolderSddl());

    const Dacl protectedDacl = ParseDacl(install::ProtectedFolderSddl());
    for (const bool isFolder : {true, false}) {
        const std::string below = install::InheritedBelowSddl(isFolder);
        ASSERT_EQ(below.compare(0, 4, "O:BA"), 0) << below;
        const Dacl dacl = ParseDacl(below.substr(4));
        ASSERT_TRUE(dacl.wellFormed) << below;
        EXPECT_EQ(dacl.control.find('P'), std::string::npos) << "protected below: " << below;
        ASSERT_EQ(dacl.aces.size(), protectedDacl.aces.size()) << below;
        for (std::size_t i = 0; i < dacl.aces.size(); ++i) {
            EXPECT_EQ(dacl.aces[i].type, "A") << below;
            EXPECT_EQ(dacl.aces[i].flags, isFolder ? "OICIID" : "ID") << below;
            EXPECT_EQ(dacl.aces[i].sid, protectedDacl.aces[i].sid) << below;
            EXPECT_EQ(dacl.aces[i].rights, protectedDacl.aces[i].rights) << below;
        }
    }
}
