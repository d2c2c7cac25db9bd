#pragma once

#include "pages/DataPage.h"

class QGroupBox;
class QToolBar;

namespace zoz {

// frmTabStripData09: the controller's version number, typed by the user or received.
class SystemPage : public DataPage {
    Q_OBJECT
public:
    SystemPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    QGroupBox* fraContainerPart01;
    QList<QLabel*> lblPart01;
    QLineEdit* txtQPLVersion;
    QToolBar* ToolbarPart01;
    QToolButton* sendButton;

signals:
    // The toolbar button: the dispatcher's command 108 (send the version).
    void sendVersionClicked();
};

} // namespace zoz
