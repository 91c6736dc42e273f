#pragma once
// Where AutoCAD installations are registered and what the plug-in puts at the top of each AutoCAD
// folder. Source names are relative to the AutoCAD folder, where the payload's "QTXCad" lands.

#include <array>

namespace plugins {

// Below this key under HKEY_LOCAL_MACHINE: one key per release, one per product below it, whose value
// "AcadLocation" names an AutoCAD folder (without a trailing "\").
inline constexpr const char* kAutoCadRootKey = "SOFTWARE\\Autodesk\\AutoCAD";
inline constexpr const char* kAutoCadLocationValue = "AcadLocation";

// A folder without it is not an AutoCAD folder (the user named it, so it is checked).
inline constexpr const char* kAutoCadProgram = "acad.exe";

struct AutoCadCopy {
    const char* source;
    const char* destination;
    bool required;  // without it AutoCAD can't load the plug-in; a payload without the splash bitmap goes on
    bool usersOwn;  // a name AutoCAD users keep their own file under: a copy is kept before it is replaced
};

// Put at the top of each AutoCAD folder, replacing what is there.
inline constexpr std::array<AutoCadCopy, 3> kAutoCadStartupCopies = {{
    {"QTXCad\\QTXSrtCad.dll", "QTXSrtCad.dll", true, false},
    {"QTXCad\\QTXStart.bmp", "QTXStart.bmp", false, false},
    {"QTXCad\\acad.dvb", "acad.dvb", true, true},
}};

// AutoCAD's own start-up script, which users write too: kept before it is replaced.
inline constexpr const char* kAutoCadStartupScript = "acad.lsp";

// The start-up script in the installation's language: Chinese for Language-list position 0.
inline constexpr const char* AutoCadStartupScriptSource(int languagePosition) {
    return languagePosition == 0 ? "QTXCad\\acad_CH.lsp" : "QTXCad\\acad_EN.lsp";
}

// Shape fonts copied from the payload's "QTXFonts\" into AutoCAD's "Fonts\", in this order; a user's own
// font of the same name is kept before it is replaced.
inline constexpr std::array<const char*, 6> kAutoCadShapeFonts = {
    "Fs.shx", "gbcbig.shx", "HT.SHX", "Hztxt.shx", "Khz.shx", "txt.shx",
};

}  // namespace plugins
