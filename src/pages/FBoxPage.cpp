#include "pages/FBoxPage.h"

namespace zoz {

FBoxPage::FBoxPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : GpioPageBase(8, QStringLiteral("fbox"), QStringLiteral("TabStrip_FBox_"), 9, 9, false, texts,
                   switches, parent) {
    finishLoad();
}

void FBoxPage::LoadTexts() {
    loadRowTexts();
    clearRows();
}

} // namespace zoz
