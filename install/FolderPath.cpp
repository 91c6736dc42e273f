#include "install/FolderPath.h"

namespace install {

std::string WithTrailingBackslash(std::string folder, payload::LeadByteTest isLeadByte) {
    if (!folder.empty() && payload::LastSeparator(folder, isLeadByte) != folder.size() - 1) {
        folder += '\\';
    }
    return folder;
}

}  // namespace install
