#pragma once

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"

#include <QString>

namespace zoz {

// The user seams for programs without windows: boxes and status texts go nowhere (the
// command-line tool reports by its own lines), every question is answered Yes or OK, since the
// command line has already said what it wants, and a file dialog answers the name set beforehand.
// There are no pages to copy and no cursor or transfer dialog to show.
class ConsoleUserInterface : public Prompts, public Activity, public PageCopy {
public:
    // The name every file dialog returns ("" = cancelled).
    QString fileName;

    void showStatusText(const QString&) override {}
    MsgAnswer messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    QString fileDialog(const FileDialogRequest&) override { return fileName; }
    void setBusyCursor(bool) override {}
    void processEvents() override;
    void showCommDialog(const QString&) override {}
    void hideCommDialog() override {}
    void focusTabStrip() override {}
    void refreshPages() override {}
    void takeOverPages() override {}
    NameBox nameBox(int, int) override { return {}; }
    void setMainCaption(const QString& caption) { m_caption = caption; }
    QString mainCaption() const override { return m_caption; }

private:
    QString m_caption;
};

} // namespace zoz
