// The rule against writing through links, on paths alone: which levels below a root are asked, and which
// link is named. The file case (a symbolic link to a file) is here too: Wine cannot make one to test.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "install/LinkOnTheWay.h"

using install::FirstLinkOnTheWay;
using install::PathBelow;

namespace {

std::set<std::string> links;
std::vector<std::string> asked;

bool IsLink(const std::string& path) {
    asked.push_back(path);
    return links.count(path) != 0;
}

}  // namespace

TEST(LinkOnTheWay, NamesTheFirstLinkBelowTheRoot) {
    const std::string root = "C:\\Laser\\";
    const std::string file = "C:\\Laser\\Vectrace\\QTXCad\\Plug.dll";
    const struct {
        const char* what;
        std::set<std::string> links;
        std::string found;
    } cases[] = {
        {"no link", {}, ""},
        {"the install folder", {"C:\\Laser\\Vectrace"}, "C:\\Laser\\Vectrace"},
        {"a plug-in folder", {"C:\\Laser\\Vectrace\\QTXCad"}, "C:\\Laser\\Vectrace\\QTXCad"},
        {"the file itself", {"C:\\Laser\\Vectrace\\QTXCad\\Plug.dll"}, "C:\\Laser\\Vectrace\\QTXCad\\Plug.dll"},
        {"two: the upper one", {"C:\\Laser\\Vectrace", "C:\\Laser\\Vectrace\\QTXCad"}, "C:\\Laser\\Vectrace"},
        {"the root may be one", {"C:\\Laser"}, ""},
        {"above the root", {"C:\\"}, ""},
        {"a name that only starts the same", {"C:\\Laser\\Vectrace\\QTX"}, ""},
    };
    for (const auto& c : cases) {
        links = c.links;
        asked.clear();
        EXPECT_EQ(FirstLinkOnTheWay({{root, file}}, IsLink), c.found) << c.what;
    }
    links.clear();
    asked.clear();
    FirstLinkOnTheWay({{root, file}}, IsLink);
    const std::vector<std::string> levels = {"C:\\Laser\\Vectrace", "C:\\Laser\\Vectrace\\QTXCad", file};
    EXPECT_EQ(asked, levels);
}

TEST(LinkOnTheWay, FoldersWithATrailingSeparatorAndSeveralPaths) {
    links = {"C:\\Laser\\Vectrace\\QTXCfg\\Backup"};
    EXPECT_EQ(FirstLinkOnTheWay({{"C:\\Laser\\", "C:\\Laser\\Vectrace\\QTXCfg\\Backup\\"}}, IsLink),
              "C:\\Laser\\Vectrace\\QTXCfg\\Backup");
    // In order: the first path with a link wins, and one without comes to nothing.
    links = {"C:\\Laser\\Vectrace\\QTXCfg\\Backup", "D:\\Corel\\Draw\\Vectrace"};
    const std::vector<PathBelow> paths = {
        {"C:\\Laser\\", "C:\\Laser\\Vectrace\\QTXRes\\title.ico"},
        {"D:\\Corel\\", "D:\\Corel\\Draw\\Vectrace\\QTXCorel.gms"},
        {"C:\\Laser\\", "C:\\Laser\\Vectrace\\QTXCfg\\Backup\\"},
    };
    EXPECT_EQ(FirstLinkOnTheWay(paths, IsLink), "D:\\Corel\\Draw\\Vectrace");
    // The root's own "\" is not a level: the root is never asked.
    links.clear();
    asked.clear();
    EXPECT_EQ(FirstLinkOnTheWay({{"C:\\Laser\\", "C:\\Laser\\"}}, IsLink), "");
    EXPECT_TRUE(asked.empty());
}

TEST(LinkOnTheWay, ATrailByteThatLooksLikeASeparatorEndsNoLevel) {
    // GBK "\x95\x5C" is one character whose second byte is "\".
    const std::string folder = "C:\\Laser\\\x95\x5C";
    links = {"C:\\Laser\\\x95"};
    asked.clear();
    EXPECT_EQ(FirstLinkOnTheWay({{"C:\\Laser\\", folder + "\\a.dll"}}, IsLink), "");
    EXPECT_EQ(asked, (std::vector<std::string>{folder, folder + "\\a.dll"}));
    links = {folder};
    EXPECT_EQ(FirstLinkOnTheWay({{"C:\\Laser\\", folder + "\\a.dll"}}, IsLink), folder);
    // A name ending in such a character is the file itself, not a folder.
    links = {folder};
    EXPECT_EQ(FirstLinkOnTheWay({{"C:\\Laser\\", folder}}, IsLink), folder);
}

TEST(LinkOnTheWay, APathOutsideItsRootIsTakenFromTheTopOfItsDrive) {
    links = {"C:\\Other"};
    EXPECT_EQ(FirstLinkOnTheWay({{"C:\\Laser\\", "C:\\Other\\Vectrace\\a.dll"}}, IsLink), "C:\\Other");
    links = {};
    EXPECT_EQ(FirstLinkOnTheWay({{"C:\\Laser\\", "C:\\Other\\Vectrace\\a.dll"}}, IsLink), "");
}
