#include "plugins/PluginInstall_win.h"

namespace {

using Outcome = PluginInstallResult::Outcome;

std::string PluginMessage(const PluginInstallResult& result,
                          const install::MessageTable& table,
                          install::MessageId notFound,
                          install::MessageId closeHost) {
    switch (result.outcome) {
        case Outcome::Installed:
            return std::string();
        case Outcome::PathError:
            return table.Text(install::MsgPathError);
        case Outcome::HostNotFound:
            return table.Text(notFound);
        case Outcome::CloseHost:
            return table.Text(closeHost);
        case Outcome::FilesInUse:
            return table.Text(install::MsgFilesInUse);
        case Outcome::NoSpace:
            return table.Text(install::MsgNoSpace);
        case Outcome::Cancelled:
            return std::string();
        case Outcome::FileFailed:
            break;  // FileFailureMessage names the file
    }
    return std::string();
}

}  // namespace

std::string CorelDrawInstallMessage(const PluginInstallResult& result, const install::MessageTable& table) {
    return PluginMessage(result, table, install::MsgCorelNotFound, install::MsgCloseCorel);
}

std::string AutoCadInstallMessage(const PluginInstallResult& result, const install::MessageTable& table) {
    return PluginMessage(result, table, install::MsgAutoCadNotFound, install::MsgCloseAutoCad);
}

// Illustrator is never looked for in the registry, so it has no not-found message of its own.
std::string IllustratorInstallMessage(const PluginInstallResult& result, const install::MessageTable& table) {
    return PluginMessage(result, table, install::MsgPathError, install::MsgCloseIllustrator);
}
