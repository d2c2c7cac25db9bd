#include "ui/QtPrompts.h"

#include "dataset/HexCodec.h"

#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>

namespace zoz {

namespace {

QMessageBox::Icon toIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtPrompts::QtPrompts(QWidget& mainWindow) : m_mainWindow(mainWindow) {}

QString QtPrompts::fileFilter(const QString& text, const QString& extension) {
    return QStringLiteral("VX418 ZozEdud %1  (*.%2 *.%3)")
        .arg(text, extension.toUpper(), extension.toLower());
}

MsgAnswer QtPrompts::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                const QString& title) {
    QMessageBox box(m_mainWindow.isVisible() ? &m_mainWindow : nullptr);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setIcon(toIcon(icon));
    box.setWindowTitle(title);
    box.setText(text);
    // The first button is the default, as in the original boxes; Esc picks the safe one.
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
}

void QtPrompts::errorBox(const QString& report, const QString& title) {
    messageBox(TrimBlanks(report), MsgButtons::Ok, MsgIcon::Exclamation, title);
}

QString QtPrompts::fileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(m_mainWindow.isVisible() ? &m_mainWindow : nullptr, request.title);
    dialog.setObjectName(request.save ? QStringLiteral("dlgSave") : QStringLiteral("dlgOpen"));
    // Qt's own dialog on every platform: only its filter box can show the filter as worded.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any typed name, also when opening: the program checks that the file exists and reports a
    // missing one itself (FileNotFound, ReadingConfig_Err).
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks QueryOverwrite itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QString filter = fileFilter(request.filterText, request.extension);
    dialog.setNameFilter(filter);
    // QFileDialog simplifies the white space of a filter; the filter box gets back the two
    // blanks before "(". Filtering itself goes by the dialog's own (simplified) copy.
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        types->setItemText(0, filter);
    dialog.setDefaultSuffix(request.extension);
    const QFileInfo initial(request.initialName);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    else if (request.initialName.contains(QLatin1Char('/')))
        dialog.setDirectory(initial.absolutePath());
    if (!request.initialName.isEmpty())
        dialog.selectFile(initial.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPrompts::mainCaption() const {
    return m_mainWindow.windowTitle();
}

} // namespace zoz
