#pragma once

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"
#include "app/Shell.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

namespace zoz::test {

// A user who answers from a script and remembers everything shown to them; passed for each of
// the user seams a class takes.
class ScriptedUi : public Prompts, public Activity, public PageCopy, public Shell {
public:
    struct Box {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString title;
    };

    // Answers for the next boxes and file dialogs, in order. A box without a scripted answer gets
    // Ok (for Ok boxes) or No; a file dialog without one is cancelled.
    QQueue<MsgAnswer> answers;
    QQueue<QString> fileNames;

    QStringList statusTexts;
    QList<Box> boxes;
    QList<FileDialogRequest> fileDialogs;
    QStringList events; // "refresh", "takeover", "commShow:<caption>", "commHide", "splash", ...
    bool busy = false;
    int refreshCount = 0;
    int takeOverCount = 0;
    int commDialogDepth = 0;

    // Optional hooks for pages that tests want to simulate.
    std::function<void()> onRefresh;
    std::function<void()> onTakeOver;
    std::function<NameBox(int, int)> onNameBox;
    std::function<void()> onProcessEvents;

    QString caption;
    FormGeometry geometry;
    int tab = 1;
    QList<int> hiddenButtons;
    bool testButtonVisible = false;
    bool mainShown = false;

    void showStatusText(const QString& text) override { statusTexts.append(text); }
    MsgAnswer messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    QString fileDialog(const FileDialogRequest& request) override;
    void setBusyCursor(bool b) override { busy = b; }
    void processEvents() override;
    void refreshPages() override;
    void takeOverPages() override;
    NameBox nameBox(int group, int index) override {
        return onNameBox ? onNameBox(group, index) : NameBox{};
    }
    void showCommDialog(const QString& caption) override;
    void hideCommDialog() override;
    void showSplash() override { events.append(QStringLiteral("splash")); }
    void closeSplash() override { events.append(QStringLiteral("splashClosed")); }
    void loadMainWindow() override { events.append(QStringLiteral("loadMain")); }
    void setMainCaption(const QString& text) override { caption = text; }
    QString mainCaption() const override { return caption; }
    void setToolbarButtonVisible(int button, bool visible) override;
    void setTestButtonVisible(bool visible) override { testButtonVisible = visible; }
    void showMainWindow() override;
    FormGeometry mainGeometry() const override { return geometry; }
    void setMainGeometry(const FormGeometry& g) override { geometry = g; }
    int activeTab() const override { return tab; }
    void focusTabStrip() override { events.append(QStringLiteral("focusTabStrip")); }

    QString lastStatus() const { return statusTexts.isEmpty() ? QString() : statusTexts.last(); }
};

} // namespace zoz::test
