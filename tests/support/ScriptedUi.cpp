#include "support/ScriptedUi.h"

#include <QCoreApplication>

namespace zoz::test {

MsgAnswer ScriptedUi::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& title) {
    boxes.append({text, buttons, icon, title});
    events.append(QStringLiteral("box:") + text);
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}

QString ScriptedUi::fileDialog(const FileDialogRequest& request) {
    fileDialogs.append(request);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

void ScriptedUi::processEvents() {
    if (onProcessEvents)
        onProcessEvents();
    QCoreApplication::processEvents();
}

void ScriptedUi::refreshPages() {
    ++refreshCount;
    events.append(QStringLiteral("refresh"));
    if (onRefresh)
        onRefresh();
}

void ScriptedUi::takeOverPages() {
    ++takeOverCount;
    events.append(QStringLiteral("takeover"));
    if (onTakeOver)
        onTakeOver();
}

void ScriptedUi::showCommDialog(const QString& text) {
    ++commDialogDepth;
    events.append(QStringLiteral("commShow:") + text);
}

void ScriptedUi::hideCommDialog() {
    --commDialogDepth;
    events.append(QStringLiteral("commHide"));
}

void ScriptedUi::setToolbarButtonVisible(int button, bool visible) {
    hiddenButtons.removeAll(button);
    if (!visible)
        hiddenButtons.append(button);
}

void ScriptedUi::showMainWindow() {
    mainShown = true;
    events.append(QStringLiteral("showMain"));
}

} // namespace zoz::test
