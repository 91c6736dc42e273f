#include "install/MainSoftwareLayout.h"

#include "install/FolderPath.h"

namespace install {

std::string InstallFolderFor(const std::string& targetFolder, payload::LeadByteTest isLeadByte) {
    if (targetFolder.empty()) {
        return std::string();
    }
    return WithTrailingBackslash(targetFolder, isLeadByte) + "Vectrace\\";
}

std::string ShortcutPath(const std::string& folder, const std::string& productName) {
    return folder + productName + ".lnk";
}

}  // namespace install
