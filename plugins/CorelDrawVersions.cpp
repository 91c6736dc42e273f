#include "plugins/CorelDrawVersions.h"

#include <iterator>
#include <string_view>

#include "plugins/InstallPathTexts.h"

namespace plugins {

namespace {

constexpr const char* kSuite11 = "SOFTWARE\\Corel\\Setup\\Corel Graphics Suite 11";
constexpr const char* kStandAlone11 = "SOFTWARE\\Corel\\Setup\\CorelDRAW SA 11";
constexpr const char* kSuite12 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Graphics Suite 12";
constexpr const char* kSuite13 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Graphics Suite 13";
constexpr const char* kSuite14 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Graphics Suite 14";
constexpr const char* kSuite15 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Graphics Suite 15";
constexpr const char* kSuite16 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Graphics Suite 16";
constexpr const char* kTechnical16 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Technical Suite 16";
constexpr const char* kSuite17 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Graphics Suite 17";
constexpr const char* kTechnical17 = "SOFTWARE\\Corel\\Setup\\CorelDRAW Technical Suite 17";

}  // namespace

const CorelDrawVersion kCorelDrawVersions[9] = {
    {{kSuite11, kStandAlone11}, "Programs", "QTXCorel11.gms"},     // CorelDraw 11
    {{kSuite12, nullptr}, "Programs", "QTXCorel12.gms"},           // CorelDraw 12
    {{kSuite13, nullptr}, "Programs", "QTXCorelX34.gms"},          // CorelDraw X3
    {{kSuite14, nullptr}, "Programs", "QTXCorelX34.gms"},          // CorelDraw X4
    {{kSuite15, nullptr}, "Programs", "QTXCorelX5.gms"},           // CorelDraw X5
    {{kSuite16, kTechnical16}, "Programs", "QTXCorelEx.gms"},      // CorelDraw X6(32bit)
    {{kSuite16, kTechnical16}, "Programs64", "QTXCorelEx64.gms"},  // CorelDraw X6(64bit)
    {{kSuite17, kTechnical17}, "Programs", "QTXCorelEx.gms"},      // CorelDraw X7/X8(32bit)
    {{kSuite17, kTechnical17}, "Programs64", "QTXCorelEx64.gms"},  // CorelDraw X7/X8(64bit)
};
static_assert(std::size(kCorelDrawVersions) == std::size(installpath::kCorelVersions));

const CorelDrawVersion* FindCorelDrawVersion(int versionIndex) {
    if (versionIndex < 0 || versionIndex >= static_cast<int>(std::size(kCorelDrawVersions))) {
        return nullptr;
    }
    return &kCorelDrawVersions[versionIndex];
}

bool IsSixtyFourBitVersion(const CorelDrawVersion& version) {
    return std::string_view(version.programFolder) == "Programs64";
}

CorelDrawFolders CorelDrawFoldersUnder(const std::string& base, const CorelDrawVersion& version) {
    return {base + version.programFolder + "\\", base + "Draw\\GMS\\", base};
}

}  // namespace plugins
