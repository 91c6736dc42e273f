#pragma once
// The install command's failure texts: one row per message, one column per language. The Language
// list's position 0 (Simplified Chinese) and position 1 (Traditional Chinese) have their own columns;
// every other position, English among them, takes the last one. Chinese texts are GBK bytes, shown as
// stored.

#include <string>

namespace install {

enum MessageId {
    MsgPathError,
    MsgCopyFailed,
    MsgCorelNotFound,
    MsgCloseCorel,
    MsgAutoCadNotFound,
    MsgCloseAutoCad,
    MsgCloseIllustrator,
    // Lead-ins of the message for a read or write that failed in the middle of a copy.
    MsgReadFailed,
    MsgWriteFailed,
    // The setup's own archive is damaged or unreadable: shown before anything is written.
    MsgSetupDamaged,
    // No path the ANSI functions take reaches the folder of the setup: what ships beside it cannot be read.
    MsgSetupFolderUnreadable,
    // Files the installation would replace or delete are held open: the lead-in of the box that names
    // them (with Retry and Cancel), and what follows the tenth ("%" is the number of the others).
    MsgFilesInUse,
    MsgMoreFiles,
    // The target's volume lacks room: the lead-in before the folder, then the megabytes ("%") missing.
    MsgNoSpace,
    MsgSpaceNeeded,
    kMessageCount,
};

inline constexpr int kMessageColumns = 3;

// The table itself, so a test can walk it row by row.
extern const char* const kMessageTexts[kMessageCount][kMessageColumns];

// The column that a Language-list position selects.
int MessageColumn(int languagePosition);

class MessageTable {
public:
    explicit MessageTable(int languagePosition) : m_column(MessageColumn(languagePosition)) {}
    const char* Text(MessageId id) const { return kMessageTexts[id][m_column]; }

private:
    int m_column;
};

}  // namespace install
