#include "sample/SampleFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace sample {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

const SampleFile* Find(std::string_view path) {
    for (const SampleFile& file : kSampleFiles) {
        if (file.path == path) {
            return &file;
        }
    }
    return nullptr;
}

// Names that the installation code looks for, spelled exactly as it spells them.
TEST(SampleFiles, HoldsEveryNameTheInstallationLooksFor) {
    const struct {
        const char* path;
        SampleKind kind;
    } kRequired[] = {
        {"MxDriver/qtx512m.005", SampleKind::Data},
        {"MxDriver/qtx512u.005", SampleKind::Data},
        {"MxDriver/qtx512m.006", SampleKind::Data},
        {"MxDriver/qtx512u.006", SampleKind::Data},
        {"MxDriver/qtx512m2.006", SampleKind::Data},
        {"MxDriver/qtx512u2.006", SampleKind::Data},
        {"MxDriver/QtxWdf0.d", SampleKind::Data},
        {"MxDriver/QtxWdf1.d", SampleKind::Data},
        {"MxDriver/QtxWin0.d", SampleKind::Data},
        {"MxDriver/QtxWin1.d", SampleKind::Data},
        {"MxDriver/ftd2xx.dll", SampleKind::Data},
        {"MxDriver/UsbDriver.exe", SampleKind::Program},
        {"MxDriver/Usbvcommtp.inf", SampleKind::Data},
        {"MxDriver/Usbvcommtp.cat", SampleKind::Data},
        {"QTXDriver/InstallDriver.exe", SampleKind::Program},
        {"QTXDriver/amd64/WdfCoInstaller01011.dll", SampleKind::Data},
        {"QTXDriver/amd64/winusbcoinstaller2.dll", SampleKind::Data},
        {"QTXDriver/amd64/WUDFUpdate_01011.dll", SampleKind::Data},
        {"QTXDriver/x86/WdfCoInstaller01011.dll", SampleKind::Data},
        {"QTXDriver/x86/winusbcoinstaller2.dll", SampleKind::Data},
        {"QTXDriver/x86/WUDFUpdate_01011.dll", SampleKind::Data},
        {"QTXPrograms/Vectrace.exe", SampleKind::Program},
        {"QTXPrograms/Uninstall.exe", SampleKind::Program},
        {"QTXPrograms/QtxEngine.dll", SampleKind::Large},
        {"QTXFonts/Fs.shx", SampleKind::Data},
        {"QTXFonts/gbcbig.shx", SampleKind::Data},
        {"QTXFonts/HT.SHX", SampleKind::Data},
        {"QTXFonts/Hztxt.shx", SampleKind::Data},
        {"QTXFonts/Khz.shx", SampleKind::Data},
        {"QTXFonts/txt.shx", SampleKind::Data},
        {"QTXCad/QTXSrtCad.dll", SampleKind::Data},
        {"QTXCad/QTXStart.bmp", SampleKind::Data},
        {"QTXCad/acad.dvb", SampleKind::Data},
        {"QTXCad/acad_CH.lsp", SampleKind::Data},
        {"QTXCad/acad_EN.lsp", SampleKind::Data},
        {"QTXCorel/QTXCorel11.gms", SampleKind::Data},
        {"QTXCorel/QTXCorel12.gms", SampleKind::Data},
        {"QTXCorel/QTXCorelX34.gms", SampleKind::Data},
        {"QTXCorel/QTXCorelX5.gms", SampleKind::Data},
        {"QTXCorel/QTXCorelEx.gms", SampleKind::Data},
        {"QTXCorel/QTXCorelEx64.gms", SampleKind::Data},
        {"QtxAi/QTXPlugin_C3OnlyWin32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_C4OnlyWin32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_C5OnlyWin32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_C6Win32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_C6X64.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CCWin32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CCx64.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CC2014Win32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CC2014x64.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CC2015WIN32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CC2015X64.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CC2017Win32.aip", SampleKind::Data},
        {"QtxAi/QTXPlugin_CC2017x64.aip", SampleKind::Data},
    };
    for (const auto& required : kRequired) {
        const SampleFile* file = Find(required.path);
        ASSERT_NE(file, nullptr) << required.path;
        EXPECT_EQ(file->kind, required.kind) << required.path;
    }
    // The four stand-ins and the one large entry are all there is of their kinds.
    EXPECT_EQ(std::count_if(std::begin(kSampleFiles), std::end(kSampleFiles),
                            [](const SampleFile& f) { return f.kind == SampleKind::Program; }),
              4);
    EXPECT_EQ(std::count_if(std::begin(kSampleFiles), std::end(kSampleFiles),
                            [](const SampleFile& f) { return f.kind == SampleKind::Large; }),
              1);
}

// The packer and the extractor need names that survive the trip to a Windows folder: plain ASCII, no
// "\" of their own, within the 399 bytes of a name field, distinct even where letter case is ignored.
TEST(SampleFiles, NamesArePlainAndDistinctOnWindows) {
    std::set<std::string> seen;
    for (const SampleFile& file : kSampleFiles) {
        EXPECT_TRUE(std::all_of(file.path.begin(), file.path.end(), [](char c) {
            return c > ' ' && c < 0x7f && c != '\\' && c != ':';
        })) << file.path;
        EXPECT_LE(file.path.size(), 399u) << file.path;
        EXPECT_NE(file.path.front(), '/') << file.path;
        EXPECT_EQ(file.path.find("//"), std::string_view::npos) << file.path;
        EXPECT_TRUE(seen.insert(Lower(file.path)).second) << "duplicate ignoring case: " << file.path;
    }
}

// The extractors create one folder level per entry, so a nested folder must follow an entry of its parent.
TEST(SampleFiles, NestedFoldersFollowTheirParent) {
    std::set<std::string_view> foldersSeen;
    for (const SampleFile& file : kSampleFiles) {
        const std::string_view folder = file.path.substr(0, file.path.rfind('/'));
        const std::size_t slash = folder.rfind('/');
        if (slash != std::string_view::npos) {
            EXPECT_TRUE(foldersSeen.contains(folder.substr(0, slash))) << file.path;
        }
        foldersSeen.insert(folder);
    }
}

}  // namespace
}  // namespace sample
