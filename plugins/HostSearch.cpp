#include "plugins/HostSearch.h"

namespace plugins {

std::array<RegistryView, 2> ViewsToSearch(bool setupIs64Bit, bool hostIs64Bit) {
    if (hostIs64Bit && !setupIs64Bit) {
        return {RegistryView::Other, RegistryView::Own};
    }
    return {RegistryView::Own, RegistryView::Other};
}

std::string FolderKey(const std::string& folder, text::LeadByteTest isLeadByte) {
    std::string key;
    key.reserve(folder.size());
    bool afterSeparator = false;  // the last character added is a separator
    for (const text::Character c : text::Characters(folder, isLeadByte)) {
        if (c.Is('\\') || c.Is('/')) {
            // A UNC path's leading "\\\\" is part of its name; elsewhere a run is one separator.
            if (!afterSeparator || key.size() == 1) {
                key += '\\';
            }
            afterSeparator = true;
        } else {
            key.append(folder, c.at, c.size);
            afterSeparator = false;
        }
    }
    if (afterSeparator && key.size() > 1) {
        key.pop_back();
    }
    return key;
}

}  // namespace plugins
