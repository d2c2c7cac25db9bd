#pragma once

#include "pages/GpioPageBase.h"

namespace zoz {

// frmTabStripData08: the 9 inputs and 9 outputs of the function box; it draws its functions
// from the GPIO page's definition lists.
class FBoxPage : public GpioPageBase {
    Q_OBJECT
public:
    FBoxPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;
};

} // namespace zoz
