#include "payload/EntryName.h"

#include "framework/PathFolder.h"
#include "payload/EntryNameRules.h"
#include "payload/PayloadFormat.h"

#include <cstring>

namespace payload {

std::string NameFromField(const char* field) {
    return std::string(field, strnlen(field, kMaxNameLength));
}

std::size_t LastSeparator(std::string_view name, LeadByteTest isLeadByte) {
    return text::FindLastCharacter(name, kFolderSeparator, isLeadByte);
}

std::string_view FolderOf(std::string_view name, LeadByteTest isLeadByte) {
    const std::string_view folder = text::FolderOfPath(name, isLeadByte);
    return folder.substr(0, folder.empty() ? 0 : folder.size() - 1);
}

bool IsSafeEntryName(std::string_view name, LeadByteTest isLeadByte) {
    return FindNameProblem(name, isLeadByte) == NameProblem::None;
}

bool IsSelected(Selection selection, std::string_view folder) {
    switch (selection) {
        case Selection::Payload:
            return folder != kMxDriverFolder && folder != kContourFolder;
        case Selection::Drivers:
            return folder == kMxDriverFolder || folder == kQtxDriverFolder || folder == kQtxDriverAmd64Folder ||
                   folder == kQtxDriverX86Folder;
    }
    return false;
}

}  // namespace payload
