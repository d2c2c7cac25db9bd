#pragma once

#include <QString>

namespace zoz {

// The program's file names, the [Main] switches and the values derived from them at start-up.
// One instance, owned by the program and passed to those that read it.
struct Switches {
    // Folder of the running executable (no trailing separator) and its base name.
    QString ProgramFolder;
    QString ProgramName;

    QString IniFileName;
    QString LogFileName;
    QString DatFileName; // also the last data file chosen in a dialog
    QString HexFileName;
    QString DefaultDataFile;

    QString Language = QStringLiteral("GER");
    QString NotDefinedText;
    QString ReadyText;
    bool InitDone = false;

    bool WriteLogFile = true;
    bool LogHexData = false;
    bool ShowMsgBox = true;
    bool RequestData = true;
    bool Debug = false;
    bool SaveLoadEnabled = true;
    bool SystemResetEnabled = false;
    bool VersionInfoEnabled = false;
    bool OnlineTestEnabled = false;
    bool ShowProtocolEnabled = false;
    bool RequestStatus = true;
    bool ShowTabStrip_System = false;
    bool RestoreLastPosition = true;
    bool XPLook = false;
    bool OutputOnMonitorKeys = false;
};

} // namespace zoz
