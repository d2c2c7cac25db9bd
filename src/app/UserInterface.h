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

// Left, top and height of the main window in logical pixels; the settings file keeps twips.
struct FormGeometry {
    int left = 0;
    int top = 0;
    int height = 0;
    bool normalState = true; // neither minimised nor maximised
};

// A name box of the Names page as the user sees it right now (text and tool tip).
struct NameBox {
    QString text;
    QString toolTip;
};

// The one way the core reaches the user. The main window implements it; tests use a scripted fake
// (tests/support/ScriptedUi) that answers questions and dialogs and records what was shown.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Texts, boxes, dialogs, cursor.
    virtual void showStatusText(const QString& text) = 0;
    virtual MsgAnswer messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& title) = 0;
    // The chosen file name, or "" when the user cancelled.
    virtual QString fileDialog(const FileDialogRequest& request) = 0;
    // An error report in an exclamation box: the report keeps its two leading blanks for the log,
    // the box shows it without them.
    virtual void errorBox(const QString& report, const QString& title) {
        messageBox(report, MsgButtons::Ok, MsgIcon::Exclamation, title);
    }
    // true: hourglass; false: every override removed (not a stack).
    virtual void setBusyCursor(bool busy) = 0;
    virtual void processEvents() = 0;

    // Pages: copy the data set onto every page, or every page into the data set.
    virtual void refreshPages() = 0;
    virtual void takeOverPages() = 0;
    // group 2..5 (analog, ADAT, ext. monitor, bus), index from 1 within the group. Group 1
    // (digital) is asked too, for the tool tip of a replaced name only.
    virtual NameBox nameBox(int group, int index) = 0;

    // The transfer dialog with its Cancel button; shown and hidden in pairs.
    virtual void showCommDialog(const QString& caption) = 0;
    virtual void hideCommDialog() = 0;

    // Windows that start-up and shutdown drive.
    virtual void showSplash() = 0;
    virtual void closeSplash() = 0;
    virtual void loadMainWindow() = 0; // creates it once; later calls do nothing
    virtual void setMainCaption(const QString& caption) = 0;
    virtual QString mainCaption() const = 0;
    virtual void setToolbarButtonVisible(int button,
                                         bool visible) = 0; // button from 1, separators counted
    virtual void setTestButtonVisible(bool visible) = 0;
    virtual void showMainWindow() = 0;
    virtual FormGeometry mainGeometry() const = 0;
    virtual void setMainGeometry(const FormGeometry& geometry) = 0;
    virtual int activeTab() const = 0; // from 1
    virtual void focusTabStrip() = 0;
};

} // namespace zoz
