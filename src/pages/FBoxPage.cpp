#include "pages/FBoxPage.h"

#include "dataset/DataStore.h"

namespace zoz {

FBoxPage::FBoxPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : GpioPageBase(8, QStringLiteral("fbox"), QStringLiteral("TabStrip_FBox_"), 9, 9, false, texts,
                   switches, parent) {}

void FBoxPage::build() {
    buildRows();
    showsFields("fbox.input", txtInput);
    showsFields("fbox.output", txtOutput);
}

void FBoxPage::LoadTexts() {
    loadRowTexts();
    clearRows();
}

void FBoxPage::Refresh(DataStore& store, DataPages& pages) {
    refreshRows(pages, store, store.DataSet.FBox.FBoxInput, store.DataSet.FBox.FBoxOutput);
}

void FBoxPage::TakeOver(DataStore& store, DataPages&) {
    takeOverRows(store.DataSet.FBox.FBoxInput, store.DataSet.FBox.FBoxOutput);
}

} // namespace zoz
