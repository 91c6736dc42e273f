#pragma once
// Planning steps the install branches share (install/InstallPlan.h): what they take from the setup's
// archive and from the folders beside the setup, and the folders they empty, read before anything is
// written.

#include <initializer_list>
#include <string>
#include <vector>

#include "framework/File_win.h"
#include "install/InstallPlan.h"
#include "payload/PayloadExtractor_win.h"

// Each entry into destination + its name, but those lying directly in one of `skipped` (folder names
// as the archive spells them, compared as Windows compares names): the payload's plug-in folders a
// branch does not keep. False, with the failure (UnsafeName), for a name that would write outside the
// destination; then nothing may be written.
bool PlanArchiveFiles(install::InstallPlan& plan,
                      const std::vector<ArchiveFile>& entries,
                      const std::string& destination,
                      std::initializer_list<const char*> skipped,
                      ExtractFailure* failure);

// The entry of that name (compared as Windows compares names) written to `destination`; null when the
// payload has no such entry.
install::PlannedFile* PlanArchiveFile(install::InstallPlan& plan,
                                      const std::vector<ArchiveFile>& entries,
                                      const char* name,
                                      const std::string& destination);

// A payload folder the branch does not keep: the files lying in it are deleted and it is removed if
// that empties it. A read-only file, or one that is a link, is not the payload's and stays.
void PlanEmptiedFolder(install::InstallPlan& plan, const std::string& folder);

// The folders beside the setup of those names (each ending in "\") made in `folder` and filled:
// "QTXCfg\" by content, each file the user changed kept before it is replaced, the others by the
// system's copy; then "QTXCfg\SoftCfg.ini" with the language index, starting from the shipped one if
// there is one, else from the installed one.
void PlanProgramFolders(install::InstallPlan& plan,
                        const std::string& setupFolder,
                        const std::string& folder,
                        std::initializer_list<const char*> names,
                        int languageIndex);
