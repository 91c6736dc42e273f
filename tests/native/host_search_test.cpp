#include "plugins/HostSearch.h"

#include <gtest/gtest.h>

namespace {

using plugins::RegistryView;

TEST(ViewsToSearch, OwnViewFirstExceptForA64BitHostSeenFromA32BitSetup) {
    using Order = std::array<RegistryView, 2>;
    const Order ownFirst = {RegistryView::Own, RegistryView::Other};
    const Order otherFirst = {RegistryView::Other, RegistryView::Own};
    const struct {
        bool setupIs64Bit;
        bool hostIs64Bit;
        Order order;
    } cases[] = {
        {false, false, ownFirst},
        {false, true, otherFirst},  // the 32-bit setup's other view is the 64-bit one
        {true, false, ownFirst},
        {true, true, ownFirst},  // a 64-bit build's own view is the 64-bit one
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plugins::ViewsToSearch(c.setupIs64Bit, c.hostIs64Bit), c.order) << c.setupIs64Bit << c.hostIs64Bit;
    }
}

TEST(FolderKey, OneFolderWhateverItsSeparators) {
    const struct {
        const char* folder;
        const char* key;
    } cases[] = {
        {"C:\\AutoCAD 2020", "C:\\AutoCAD 2020"},
        {"C:\\AutoCAD 2020\\", "C:\\AutoCAD 2020"},
        {"C:\\AutoCAD 2020\\\\", "C:\\AutoCAD 2020"},
        {"C:/AutoCAD 2020/", "C:\\AutoCAD 2020"},
        {"C:\\\\Autodesk\\\\AutoCAD", "C:\\Autodesk\\AutoCAD"},
        {"\\\\server\\share\\AutoCAD\\", "\\\\server\\share\\AutoCAD"},
        // The trail byte 0x5C of a GBK character is no separator and stays.
        {"D:\\\x81\x5c\\", "D:\\\x81\x5c"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plugins::FolderKey(c.folder), c.key) << c.folder;
    }
}

}  // namespace
