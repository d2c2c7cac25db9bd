#pragma once

#include <QString>
#include <functional>

namespace zoz {

// Where the program keeps its settings file, log, hex dump and data files, and why it could not
// get there.
struct ProgramPlace {
    QString folder;          // no trailing separator
    QString name;            // the executable's base name
    QString templates;       // the shipped templates of an installation (<prefix>/share/<name>)
    bool installed = false;  // true: the user's own folder, made from the templates
    QString errorKey;        // "" on success, otherwise the Messages_ key of the failure
    QString errorText;       // the system's description of the error; a missing template
    QString errorPath;       // the folder or file the failure concerns
    QString fallbackMessage; // the failure in English, for when no settings file can be read
    // The settings file was missing and came back from its lined-up copy tmptmp.tmp.
    bool settingsTakenBack = false;
};

// Decides the program folder. A build or a portable copy (also a read-only one without templates)
// keeps everything beside the executable.
// An executable in a folder the user cannot write (/usr/bin), or an installed one (a share folder
// of templates beside its bin folder) without a settings file beside it (a prefix of ~/.local, or
// root), uses $XDG_DATA_HOME/<name> (~/.local/share/<name>), made at the first start from copies
// of the templates.
class ProgramFolder {
public:
    struct Environment {
        // The base of the user's data: $XDG_DATA_HOME, or ~/.local/share when that is unset.
        QString dataHome;
        // Whether the executable's folder may be written; the system's answer by default. Root
        // may write everywhere, so tests decide this themselves.
        std::function<bool(const QString& folder)> isWritable;
    };
    static Environment systemEnvironment();

    // executable: the running program's file (symlinks are resolved here).
    static ProgramPlace Locate(const QString& executable,
                               const Environment& environment = systemEnvironment());
};

} // namespace zoz
