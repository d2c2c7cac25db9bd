#pragma once

#include "pages/GpioPageBase.h"

class QListWidget;

namespace zoz {

// frmTabStripData05: 4 GPIO inputs and 16 outputs. It also holds the two hidden definition lists
// lstData(0) (input functions) and lstData(1) (output functions) that the FBox page shares.
class GpioPage : public GpioPageBase {
    Q_OBJECT
public:
    GpioPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    QList<QListWidget*> lstData;
};

} // namespace zoz
