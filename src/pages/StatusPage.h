#pragma once

#include "pages/DataPage.h"

class QGroupBox;

namespace zoz {

// frmTabStripData01: the six status texts the controller reports, read-only.
class StatusPage : public DataPage {
    Q_OBJECT
public:
    StatusPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    QGroupBox* fraStatus;
    QList<QLabel*> lblStatus;
    QList<QLineEdit*> txtStatus;
};

} // namespace zoz
