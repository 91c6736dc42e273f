#pragma once
// The build's dist (scripts/make-dist.sh) and its sample payload, seen from Wine, and the files an
// installation of a plug-in must leave in the host's folder.

#include <initializer_list>
#include <string>
#include <vector>

#include "framework/File_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace wintest {

// dist\ and payload-small\ of the build, through drive Z:, ending in "\".
std::string DistFolder();
std::string PayloadFolder();
// The setup with the payload, as the installations extract it: its path, and the file opened for
// reading once for the whole test program, as the setup opens its own.
std::string DistSetup();
CFile* DistSetupFile();

// A value of an INI file, or "<none>".
std::string IniValue(const std::string& path, const char* section, const char* key);

// The payload's files the extraction writes (all but "MxDriver" and "Contour") without those of the
// given top folders (matched without regard to case), plus the loose folders beside the setup that
// every plug-in installation copies, plus "QTXCfg\SoftCfg.ini". Sorted, like ListFiles.
std::vector<std::string> InstalledPluginFiles(std::initializer_list<const char*> removedFolders,
                                              std::initializer_list<std::string> extraFiles = {});

}  // namespace wintest
