#pragma once

#include "app/UserInterface.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zoz {

// The user interface seam for programs without windows: message boxes and status texts go to a
// line sink (stderr for the command-line tool, nothing for a quiet probe), questions get a fixed
// answer, a file dialog answers the name set beforehand, and everything about windows and pages
// does nothing.
class ConsoleUserInterface : public UserInterface {
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
    void refreshPages() override {}
    void takeOverPages() override {}
    NameBox nameBox(int, int) override { return {}; }
    void showCommDialog(const QString&) override {}
    void hideCommDialog() override {}
    void showSplash() override {}
    void closeSplash() override {}
    void loadMainWindow() override {}
    void setMainCaption(const QString& caption) override { m_caption = caption; }
    QString mainCaption() const override { return m_caption; }
    void setToolbarButtonVisible(int, bool) override {}
    void setTestButtonVisible(bool) override {}
    void showMainWindow() override {}
    FormGeometry mainGeometry() const override { return {}; }
    void setMainGeometry(const FormGeometry&) override {}
    int activeTab() const override { return 1; }
    void focusTabStrip() override {}

private:
    void emitLine(const QString& text);

    Sink m_sink;
    QString m_caption;
};

} // namespace zoz
