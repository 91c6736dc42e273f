#pragma once
// Where the main software's files go under the target folder the user chose, and the folders it
// takes from beside the setup.

#include <array>
#include <string>

#include "framework/CharacterWalk.h"

namespace install {

// The install folder's own name below the target.
inline constexpr const char* kInstallFolderName = "Vectrace\\";

// Target folder, one "\", "Vectrace\"; empty for a target that is not a full path (IsFullPath), empty
// or relative, which has no install folder.
std::string InstallFolderFor(const std::string& targetFolder, text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

// Plug-in folders that the payload brings along and the main software does not keep. The file system
// matches "QTXAi" to the archive's "QtxAi".
inline constexpr const char* kAutoCadFolder = "QTXCad\\";
inline constexpr const char* kCorelDrawFolder = "QTXCorel\\";
inline constexpr const char* kIllustratorFolder = "QTXAi\\";

// Folders created in the install folder, in this order, and filled from the same-named folders beside
// the setup ("QTXCfg" by content, so "SoftCfg.ini" can be written into a fresh copy).
inline constexpr std::array<const char*, 4> kLooseFolders = {"QTXDoc\\", "QTXLanguage\\", "QTXRes\\", "QTXCfg\\"};

inline constexpr const char* kProgramPath = "QTXPrograms\\Vectrace.exe";
inline constexpr const char* kUninstallerPath = "QTXPrograms\\Uninstall.exe";
inline constexpr const char* kIconPath = "QTXRes\\title.ico";
inline constexpr const char* kSoftConfigPath = "QTXCfg\\SoftCfg.ini";
inline constexpr const char* kMenuFolderName = "Vectrace\\";
inline constexpr const char* kUninstallShortcutName = "Uninstall.lnk";
inline constexpr const char* kDefaultShortcutName = "Vectrace";

// The product name when it can be a file name of its own, otherwise "Vectrace": it comes from
// "SetupCfg.ini", and the elevated setup would write the shortcut wherever a path in it points. Not a
// name: one holding \ / : * ? " < > | or a control character, one of only dots and spaces (the empty
// one too), a device name ("COM1" would make "COM1.lnk" the serial port).
std::string ShortcutBaseName(const std::string& productName, text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

// Folder + ShortcutBaseName + ".lnk"; the folder ends in "\".
std::string ShortcutPath(const std::string& folder,
                         const std::string& productName,
                         text::LeadByteTest isLeadByte = text::IsGbkLeadByte);

}  // namespace install
