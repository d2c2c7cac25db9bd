#pragma once

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zoz {

// The user seams for programs without windows: message boxes and status texts go to a line sink
// (stderr for the command-line tool, nothing for a quiet probe), questions get a fixed answer, a
// file dialog answers the name set beforehand. There are no pages to copy and no cursor or
// transfer dialog to show.
class ConsoleUserInterface : public Prompts, public Activity, public PageCopy {
public:
    using Sink = std::function<void(const QString& line)>;
    explicit ConsoleUserInterface(Sink sink = {}) : m_sink(std::move(sink)) {}

    // Yes/Ok by default: the command line has already said what it wants.
    MsgAnswer questionAnswer = MsgAnswer::Yes;
    // The name every file dialog returns ("" = cancelled).
    QString fileName;
    // Status texts are shown too when true (a chatty run); boxes always are.
    bool showStatus = false;
    // Texts of every box shown so far, oldest first.
    QStringList boxes;

    void showStatusText(const QString& text) override;
    MsgAnswer messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    QString fileDialog(const FileDialogRequest& request) override;
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
    void emitLine(const QString& text);

    Sink m_sink;
    QString m_caption;
};

} // namespace zoz
