// vtpack: builds the setup (stub + payload archive) and reads any setup back.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/vtpack/Commands.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  vtpack build PAYLOAD_DIR --stub STUB.exe -o OUT.exe\n"
    "      Appends every file under PAYLOAD_DIR to a copy of STUB.exe. Names are stored in code page 936,\n"
    "      folders ordered so the setup can create them; refuses what the setup could not extract, and a\n"
    "      signed stub. Writes an integrity record and pads the file to 8 bytes: sign OUT.exe afterwards.\n"
    "  vtpack list SETUP.exe\n"
    "      Lists the entries (index, size, name), the folders they are in, and whether the setup carries\n"
    "      an integrity record and a signature.\n"
    "  vtpack verify SETUP.exe\n"
    "      Checks every rule of the archive layout and the integrity record's digest; exit 0 only when\n"
    "      all hold. A signed setup's archive is found in front of its certificate table.\n"
    "  vtpack extract SETUP.exe DIR [--select all|payload|drivers]\n"
    "      Writes the entries under DIR (payload and drivers select as the setup's two installs do).\n"
    "  vtpack --help\n";

int Usage(const std::string& problem) {
    std::cerr << "vtpack: " << problem << "\n" << kUsage;
    return 2;
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        return Usage("no command");
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "build") {
        std::string payloadDir, stub, output;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--stub" && i + 1 < args.size()) {
                stub = args[++i];
            } else if (args[i] == "-o" && i + 1 < args.size()) {
                output = args[++i];
            } else if (payloadDir.empty() && args[i][0] != '-') {
                payloadDir = args[i];
            } else {
                return Usage("unexpected argument \"" + args[i] + "\"");
            }
        }
        if (payloadDir.empty() || stub.empty() || output.empty()) {
            return Usage("build needs PAYLOAD_DIR, --stub and -o");
        }
        return BuildCommand(payloadDir, stub, output);
    }
    if ((command == "list" || command == "verify") && args.size() == 2) {
        return command == "list" ? ListCommand(args[1]) : VerifyCommand(args[1]);
    }
    if (command == "extract" && (args.size() == 3 || (args.size() == 5 && args[3] == "--select"))) {
        return ExtractCommand(args[1], args[2], args.size() == 5 ? args[4] : "all");
    }
    return Usage("unknown command or wrong arguments: " + command);
}

}  // namespace

// The commands report what they meet on disk themselves; this is only the last boundary, so that
// nothing ends the tool without a word (an allocation that fails, say).
int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "vtpack: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "vtpack: unexpected failure\n";
    }
    return 1;
}
