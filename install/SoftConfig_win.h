#pragma once
// "SoftCfg.ini" of an installation: the language the installed program starts in, and the "QTXCfg\"
// folder it lies in.

#include <string>

#include "payload/PayloadExtractor_win.h"

// Writes section "BaseCfg", key "Language" = languageIndex and leaves the rest of the file as it is.
// The folder must exist; a missing file is created.
void WriteSoftConfig(const std::string& iniPath, int languageIndex);

// Copies the setup's "QTXCfg\" files (sourceFolder) into an installation's "QTXCfg\" (destinationFolder,
// which exists; both end in "\") as CopyFolderFilesByContent does, then writes languageIndex into its
// "SoftCfg.ini". A file of the user's whose bytes differ from what the installation leaves in its place
// is kept first (FileBackup_win.h); for "SoftCfg.ini" that is the shipped file with this language written
// in, so a reinstall in the same language keeps no copy of what the setup wrote itself. False, with the
// failure, when a read or write of the copy failed; "SoftCfg.ini" is then not written.
bool InstallConfigFolder(const std::string& sourceFolder,
                         const std::string& destinationFolder,
                         int languageIndex,
                         ExtractFailure* failure);
