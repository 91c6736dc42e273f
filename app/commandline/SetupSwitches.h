#pragma once
// The setup's command-line switches, read from the arguments after the program name and checked
// before anything is installed. Switch names are matched without regard to case; values are text in
// the system code page, as every path of the setup. A switch given twice counts as given last.

#include <string>
#include <vector>

#include "framework/CharacterWalk.h"

namespace switches {

enum class Mode {
    Window,      // no /SILENT or /VERYSILENT: the window, with the switches as its first choices
    Silent,      // no question and no message box; the wait banner and the driver progress window show
    VerySilent,  // no window at all
};

enum class Kind { App, CorelDraw, AutoCad, Illustrator, UsbDriver };

// Where the main software's shortcuts go. ByAccount, without a switch, follows the account: the
// all-users folders for the system account that deployment tools run setups as, whose own desktop no
// person sees; the current user's otherwise.
enum class ShortcutScope { ByAccount, CurrentUser, AllUsers };

struct SetupSwitches {
    bool given = false;  // any switch at all; without one the setup is the window as it has always been
    Mode mode = Mode::Window;
    bool help = false;
    bool hasKind = false;
    Kind kind = Kind::App;
    bool hasFolder = false;
    std::string folder;       // /DIR
    int versionIndex = -1;    // /VERSION as a position in the kind's version list; -1 when not given
    std::string versionText;  // /VERSION as typed
    int languageIndex = 0;    // /LANG, 1..14; 0 when not given
    std::string logFile;      // /LOG; empty when not given
    ShortcutScope shortcuts = ShortcutScope::ByAccount;
};

struct ParseResult {
    // As far as the command line could be read: a wrong switch does not hide /VERYSILENT or /LOG
    // given beside it, so the reason still goes to the log and no box shows.
    SetupSwitches switches;
    std::string error;  // why the command line is wrong, in English; empty when it is sound
};

// The values are read character by character with the code page's lead bytes (the setup passes the
// system's), so a second byte that looks like "|" or "\" is part of its character.
ParseResult ParseSwitches(const std::vector<std::string>& arguments,
                          text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

// The Type list position of an installation kind (0 main software ... 3 Illustrator); -1 for the USB
// drivers, which have their own button.
int TypeListPosition(Kind kind);

// The switches' value names ("app", "coreldraw", ...), for the log.
const char* KindName(Kind kind);

// Whether the all-users folders take the shortcuts.
bool ShortcutsForAllUsers(ShortcutScope scope, bool runsAsSystemAccount);

// The switches and exit codes, as the help box shows them.
extern const char* const kUsageText;

}  // namespace switches
