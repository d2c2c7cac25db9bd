#include "pages/GpioPage.h"

#include "dataset/DataStore.h"

#include <QListWidget>

namespace zoz {

GpioPage::GpioPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : GpioPageBase(5, QStringLiteral("gpio"), QStringLiteral("TabStrip_GPIO_"), 4, 16, false, texts,
                   switches, parent) {}

void GpioPage::build() {
    buildRows();
    showsFields("gpio.input", txtInput);
    showsFields("gpio.output", txtOutput);
    for (int k = 0; k < 2; ++k) {
        auto* list = new QListWidget(m_fraTab);
        list->setObjectName(controlName(QStringLiteral("lstData"), k));
        list->hide();
        lstData.append(list);
    }
}

void GpioPage::LoadTexts() {
    loadRowTexts();
    for (QListWidget* list : lstData)
        list->clear();
    clearRows();
}

void GpioPage::Refresh(DataStore& store, DataPages& pages) {
    refreshRows(pages, store, store.DataSet.GPIO.GPIOInput, store.DataSet.GPIO.GPIOOutput);
}

void GpioPage::TakeOver(DataStore& store, DataPages&) {
    takeOverRows(store.DataSet.GPIO.GPIOInput, store.DataSet.GPIO.GPIOOutput);
}

} // namespace zoz
