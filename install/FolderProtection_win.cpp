#include "install/FolderProtection_win.h"

#include <sddl.h>

#include "install/FolderProtection.h"

bool CreateProtectedFolder(const std::string& folder, DWORD* error) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(install::ProtectedFolderSddl().c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        *error = GetLastError();
        return false;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    const bool created = CreateDirectoryA(folder.c_str(), &attributes) != 0;
    *error = created ? ERROR_SUCCESS : GetLastError();
    LocalFree(descriptor);
    return created;
}
