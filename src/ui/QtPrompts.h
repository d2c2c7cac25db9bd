#pragma once

#include "app/Prompts.h"

class QWidget;

namespace zoz {

// Real message boxes and file dialogs, over the main window once it is shown; boxes take the
// main window's caption as their title where the program asks for it.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget& mainWindow);

    // "VX418 ZozEdud <text>  (*.DAT *.dat)"
    static QString fileFilter(const QString& text, const QString& extension);

    MsgAnswer messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    QString fileDialog(const FileDialogRequest& request) override;
    void errorBox(const QString& report, const QString& title) override;
    QString mainCaption() const override;

private:
    QWidget& m_mainWindow;
};

} // namespace zoz
