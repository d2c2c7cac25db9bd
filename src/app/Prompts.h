#pragma once

#include <QString>

namespace zoz {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// What a data or configuration file dialog is asked to show.
struct FileDialogRequest {
    bool save = false;
    QString title;       // dialog caption
    QString filterText;  // the "<text>" of "VX418 ZozEdud <text>  (*.DAT *.dat)"
    QString extension;   // "DAT", "CNS" or "CNG": filter and default suffix
    QString initialName; // proposed file name, full path or bare name
    QString folder;      // the folder the dialog starts in, absolute
};

// Questions and answers: message boxes and file dialogs. The editor shows real ones over its main
// window, the command-line tool answers from its arguments, tests from a script.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual MsgAnswer messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& title) = 0;
    // The chosen file name, or "" when the user cancelled.
    virtual QString fileDialog(const FileDialogRequest& request) = 0;
    // An error report in an exclamation box: the report keeps its two leading blanks for the log,
    // the box shows it without them.
    virtual void errorBox(const QString& report, const QString& title) {
        messageBox(report, MsgButtons::Ok, MsgIcon::Exclamation, title);
    }
    // The main window's caption, the title of most boxes.
    virtual QString mainCaption() const = 0;
};

} // namespace zoz
