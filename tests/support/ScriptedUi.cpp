#include "support/ScriptedUi.h"

#include <QCoreApplication>

namespace zoz::test {

void ScriptedUi::showStatusText(const QString& text) {
    statusTexts.append(text);
}

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

void ScriptedUi::setBusyCursor(bool b) {
    busy = b;
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

NameBox ScriptedUi::nameBox(int group, int index) {
    if (onNameBox)
        return onNameBox(group, index);
    return {};
}

void ScriptedUi::showCommDialog(const QString& text) {
    ++commDialogDepth;
    events.append(QStringLiteral("commShow:") + text);
}

void ScriptedUi::hideCommDialog() {
    --commDialogDepth;
    events.append(QStringLiteral("commHide"));
}

void ScriptedUi::showSplash() {
    events.append(QStringLiteral("splash"));
}
void ScriptedUi::closeSplash() {
    events.append(QStringLiteral("splashClosed"));
}
void ScriptedUi::loadMainWindow() {
    events.append(QStringLiteral("loadMain"));
}
void ScriptedUi::setMainCaption(const QString& text) {
    caption = text;
}
QString ScriptedUi::mainCaption() const {
    return caption;
}

void ScriptedUi::setToolbarButtonVisible(int button, bool visible) {
    hiddenButtons.removeAll(button);
    if (!visible)
        hiddenButtons.append(button);
}

void ScriptedUi::setTestButtonVisible(bool visible) {
    testButtonVisible = visible;
}

void ScriptedUi::showMainWindow() {
    mainShown = true;
    events.append(QStringLiteral("showMain"));
}

FormGeometry ScriptedUi::mainGeometry() const {
    return geometry;
}
void ScriptedUi::setMainGeometry(const FormGeometry& g) {
    geometry = g;
}
int ScriptedUi::activeTab() const {
    return tab;
}
void ScriptedUi::focusTabStrip() {
    events.append(QStringLiteral("focusTabStrip"));
}

} // namespace zoz::test
