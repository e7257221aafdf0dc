// CGatherSettings: Gather's settings file VARNOLE.dat in the program directory, read once at
// start-up into the tables and written once at the orderly exit.
#pragma once
#include <string>

#include "file_ops.h"
#include "gather_tables.h"

class CSettingsContents;

// Reports nothing itself: a load or save that goes wrong leaves a text for the user, which the
// controller shows.
class CGatherSettings {
public:
    // The tables and the file operations must outlive this object.
    CGatherSettings(CGatherTables& tables, IFileOps& fileOps);
    CGatherSettings(const CGatherSettings&) = delete;
    CGatherSettings& operator=(const CGatherSettings&) = delete;

    // The program directory, with its trailing separator.
    void SetProgramDirectory(const std::string& strDirectory);

    // Reads VARNOLE.dat into the tables. Returns false when the file does not exist (all schedule
    // slots are then blank), true when it exists. Loaded schedules are waiting, whatever state
    // was stored; their list rows are the caller's. A file that cannot be read whole leaves
    // LoadProblem() set: the tables keep the records read before the fault, and the file is set
    // aside (see SetAsidePath) so that the next save keeps VARNOLE.old. When only the temporary
    // file of an interrupted save is there, it becomes VARNOLE.dat and is read.
    bool Load();
    // What the user must be told after the last load; empty when the file was read whole.
    const std::string& LoadProblem() const { return m_strLoadProblem; }

    // Writes the tables to VARNOLE.dat, keeping the previous file as VARNOLE.old. The new file is
    // written and flushed under a temporary name first, so a failure leaves both files as they
    // were. Returns an empty text when saved, else what the user must be told.
    std::string Save();

    std::string SettingsPath() const;   // <program directory>VARNOLE.dat
    std::string BackupPath() const;     // <program directory>VARNOLE.old
    std::string TemporaryPath() const;  // <program directory>VARNOLE.new, the file being saved
    // Where the last load set an unreadable VARNOLE.dat aside; empty when it did not.
    const std::string& SetAsidePath() const { return m_strSetAsidePath; }

private:
    bool RecoverInterruptedSave();
    void ApplyLoadedSettings(CSettingsContents& contents);
    std::string MoveSettingsAside();
    void SetAsideUnreadableSettings(const std::string& strReason);

    CGatherTables* m_pTables;
    IFileOps* m_pFileOps;
    std::string m_strDirectory;
    std::string m_strLoadProblem;
    // The last load found VARNOLE.dat unreadable and could not set it aside: the next save must
    // not make it the backup (it tries again to set it aside, else replaces it).
    bool m_bUnreadableSettings = false;
    std::string m_strSetAsidePath;
};
