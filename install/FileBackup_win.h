#pragma once
// Keeping the user's copy of a file that an installation replaces: the laser's calibrated settings in
// "QTXCfg\", AutoCAD's own "acad.lsp", "acad.dvb" and shape fonts. The replacing stays (dealers rely on
// it); a file whose bytes differ from the new one is first copied into "Backup\<date time>\" beside it
// (BackupName.h), and a copy never replaces an earlier one.

#include <string>

class FileBackup {
public:
    // Stamped with the local time now: one folder name for all copies of one installation.
    FileBackup();

    // Called before `destination` is replaced by `source`. True when it may be replaced: it does not
    // exist, it holds the same bytes as `source`, `source` can't be read (then nothing replaces it
    // anyway), or a copy of it has been kept. False when a copy was needed and could not be made (the
    // file is held open, the backup folder can't be made, the disk is full): the caller leaves the file
    // as it is, and GetLastError tells why.
    bool KeepBeforeReplacing(const std::string& source, const std::string& destination);

private:
    bool KeepCopy(const std::string& destination);

    std::string m_stamp;
};
