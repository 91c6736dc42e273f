#include "app/commandline/SetupSwitches.h"

#include <iterator>

#include "VtVersion.h"
#include "install/FolderPath.h"
#include "plugins/InstallPathTexts.h"

namespace switches {

namespace {

constexpr int kLastLanguage = 14;  // "Other": can be chosen, though never configured

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII letters folded, every other byte compared as it is: the names we compare with are ASCII, so
// the bytes of a two-byte character can never make a match.
bool SameText(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

template <size_t N>
int FindIn(const char* const (&list)[N], const std::string& text) {
    for (size_t i = 0; i < N; ++i) {
        if (SameText(text, list[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

struct KindEntry {
    const char* name;
    Kind kind;
};
constexpr KindEntry kKinds[] = {
    {"app", Kind::App},
    {"coreldraw", Kind::CorelDraw},
    {"autocad", Kind::AutoCad},
    {"illustrator", Kind::Illustrator},
    {"usbdriver", Kind::UsbDriver},
};

// Characters no Windows path holds. A quote mostly comes from a value written "C:\Folder\": the
// backslash before the closing quote made it a literal one.
std::string PathValueProblem(const char* name, const std::string& value, text::LeadByteTest isLeadByte) {
    for (const text::Character c : text::Characters(value, isLeadByte)) {
        if (c.Is('"')) {
            return std::string("/") + name + " holds a quote (\"): write a backslash before a closing quote as \\\\, " +
                   "or leave the backslash out";
        }
        if (c.IsSingle() && (c.byte < 0x20 || c.Is('<') || c.Is('>') || c.Is('|') || c.Is('*') || c.Is('?'))) {
            return std::string("/") + name + " holds a character no path may hold";
        }
    }
    return std::string();
}

// A path value must name one place whatever the current folder, which for a setup started by a
// deployment tool is the system folder.
std::string FullPathProblem(const char* name, const std::string& value, text::LeadByteTest isLeadByte) {
    std::string problem = PathValueProblem(name, value, isLeadByte);
    if (problem.empty() && !install::IsFullPath(value, isLeadByte)) {
        problem = std::string("/") + name + "=" + value +
                  " is not a full path (a drive letter with \":\\\", or \\\\server\\share)";
    }
    return problem;
}

bool ParseLanguage(const std::string& value, int* index) {
    if (value.empty() || value.size() > 2) {
        return false;
    }
    int number = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > kLastLanguage) {
        return false;
    }
    *index = number;
    return true;
}

class Parser {
public:
    Parser(ParseResult& result, text::LeadByteTest isLeadByte)
        : m_result(result), m_switches(result.switches), m_isLeadByte(isLeadByte) {}

    void Argument(const std::string& argument) {
        if (argument.size() < 2 || argument[0] != '/') {
            Fail("Unexpected argument \"" + argument + "\": switches begin with /");
            return;
        }
        m_switches.given = true;
        const size_t equals = text::FindCharacter(argument, '=', m_isLeadByte);
        const std::string name = argument.substr(1, equals == std::string::npos ? std::string::npos : equals - 1);
        const bool hasValue = equals != std::string::npos;
        const std::string value = hasValue ? argument.substr(equals + 1) : std::string();

        if (SameText(name, "SILENT") || SameText(name, "VERYSILENT") || SameText(name, "HELP") || SameText(name, "?") ||
            SameText(name, "ALLUSERS") || SameText(name, "CURRENTUSER")) {
            Flag(name, hasValue);
        } else if (SameText(name, "TYPE") || SameText(name, "DIR") || SameText(name, "VERSION") ||
                   SameText(name, "LANG") || SameText(name, "LOG")) {
            if (value.empty()) {
                Fail("/" + name + " needs a value: /" + name + "=...");
                return;
            }
            Value(name, value);
        } else {
            Fail("Unknown switch \"" + argument + "\"");
        }
    }

    // What depends on more than one switch, once all are known.
    void Combinations() {
        const Kind kind = m_switches.kind;
        if (!m_versionText.empty()) {
            if (kind == Kind::CorelDraw) {
                m_switches.versionIndex = FindIn(installpath::kCorelVersions, m_versionText);
            } else if (kind == Kind::Illustrator) {
                m_switches.versionIndex = FindIn(installpath::kIllustratorVersions, m_versionText);
            } else {
                Fail("/VERSION goes with /TYPE=coreldraw or /TYPE=illustrator only");
                return;
            }
            if (m_switches.versionIndex < 0) {
                Fail("/VERSION=" + m_versionText + " is not in the version list of /TYPE=" + KindName(kind));
                return;
            }
            m_switches.versionText = m_versionText;
        }
        if (m_switches.hasFolder && kind == Kind::UsbDriver) {
            Fail("/DIR does not go with /TYPE=usbdriver: the drivers go into the system folder");
            return;
        }
        if (!m_switches.hasFolder && kind == Kind::Illustrator && m_switches.mode != Mode::Window) {
            Fail("/TYPE=illustrator needs /DIR=<the Illustrator folder>");
        }
    }

private:
    void Fail(const std::string& reason) {
        if (m_result.error.empty()) {
            m_result.error = reason;
        }
    }

    void Flag(const std::string& name, bool hasValue) {
        if (hasValue) {
            Fail("/" + name + " takes no value");
            return;
        }
        if (SameText(name, "SILENT")) {
            // /VERYSILENT is the quieter and wins, in whichever order the two come.
            if (m_switches.mode != Mode::VerySilent) {
                m_switches.mode = Mode::Silent;
            }
        } else if (SameText(name, "VERYSILENT")) {
            m_switches.mode = Mode::VerySilent;
        } else if (SameText(name, "ALLUSERS")) {
            m_switches.shortcuts = ShortcutScope::AllUsers;
        } else if (SameText(name, "CURRENTUSER")) {
            m_switches.shortcuts = ShortcutScope::CurrentUser;
        } else {
            m_switches.help = true;
        }
    }

    void Value(const std::string& name, const std::string& value) {
        if (SameText(name, "TYPE")) {
            for (const KindEntry& entry : kKinds) {
                if (SameText(value, entry.name)) {
                    m_switches.hasKind = true;
                    m_switches.kind = entry.kind;
                    return;
                }
            }
            Fail("/TYPE=" + value + " is none of app, coreldraw, autocad, illustrator, usbdriver");
        } else if (SameText(name, "DIR")) {
            const std::string problem = FullPathProblem("DIR", value, m_isLeadByte);
            if (!problem.empty()) {
                Fail(problem);
                return;
            }
            m_switches.hasFolder = true;
            m_switches.folder = value;
        } else if (SameText(name, "VERSION")) {
            m_versionText = value;
        } else if (SameText(name, "LANG")) {
            if (!ParseLanguage(value, &m_switches.languageIndex)) {
                Fail("/LANG=" + value + " is not a language number from 1 to 14");
            }
        } else {
            const std::string problem = FullPathProblem("LOG", value, m_isLeadByte);
            if (!problem.empty()) {
                Fail(problem);
                return;
            }
            m_switches.logFile = value;
        }
    }

    ParseResult& m_result;
    SetupSwitches& m_switches;
    text::LeadByteTest m_isLeadByte;
    std::string m_versionText;
};

}  // namespace

ParseResult ParseSwitches(const std::vector<std::string>& arguments, text::LeadByteTest isLeadByte) {
    ParseResult result;
    Parser parser(result, isLeadByte);
    for (const std::string& argument : arguments) {
        parser.Argument(argument);
    }
    if (result.error.empty()) {
        parser.Combinations();
    }
    return result;
}

int TypeListPosition(Kind kind) {
    switch (kind) {
        case Kind::App:
            return 0;
        case Kind::CorelDraw:
            return 1;
        case Kind::AutoCad:
            return 2;
        case Kind::Illustrator:
            return 3;
        case Kind::UsbDriver:
            break;
    }
    return -1;
}

const char* KindName(Kind kind) {
    for (const KindEntry& entry : kKinds) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return "";
}

bool ShortcutsForAllUsers(ShortcutScope scope, bool runsAsSystemAccount) {
    return scope == ShortcutScope::AllUsers || (scope == ShortcutScope::ByAccount && runsAsSystemAccount);
}

const char* const kUsageText =
    "Vectrace Setup " VT_VERSION_TEXT
    "\r\n"
    "\r\n"
    "VtSetup [/SILENT | /VERYSILENT] [/TYPE=type] [/DIR=folder] [/VERSION=text] [/LANG=n] [/LOG=file] "
    "[/ALLUSERS | /CURRENTUSER]\r\n"
    "\r\n"
    "/SILENT: no question and no message box; the wait banner and the driver progress window show.\r\n"
    "/VERYSILENT: no window at all.\r\n"
    "/TYPE=app, coreldraw, autocad, illustrator or usbdriver: what to install (default app).\r\n"
    "/DIR=folder: the target folder (app: default C:\\, the software goes into its Vectrace folder); for "
    "coreldraw and autocad the host's folder instead of the search in the registry; required for illustrator.\r\n"
    "/VERSION=text: the host's version as the list shows it, such as \"CorelDraw X6(64bit)\" or "
    "\"CC 2017(64bit)\".\r\n"
    "/LANG=n: the language, 1 to 14 as in SetupCfg.ini (1 Simplified Chinese, 2 Traditional Chinese, "
    "3 English).\r\n"
    "/LOG=file: a log in UTF-8, created or overwritten; a full path.\r\n"
    "/ALLUSERS: shortcuts on the desktop and start menu of all users.\r\n"
    "/CURRENTUSER: shortcuts for the current user only (the default).\r\n"
    "/? or /HELP: this text.\r\n"
    "\r\n"
    "Without /SILENT or /VERYSILENT the window opens with these choices made.\r\n"
    "\r\n"
    "Exit codes: 0 installed; 1 the command line is wrong, nothing was installed; 2 the installation failed; "
    "5 cancelled by the user (/SILENT).";

}  // namespace switches
