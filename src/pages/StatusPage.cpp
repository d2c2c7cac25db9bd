#include "pages/StatusPage.h"

#include "dataset/DataStore.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zoz {

StatusPage::StatusPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : DataPage(1, QStringLiteral("status"), QStringLiteral("TabStrip_Status_"), texts, switches,
               parent) {}

void StatusPage::build() {
    fraStatus = makeFrame(QStringLiteral("fraStatus"), QString());
    auto* grid = new QGridLayout(fraStatus);
    for (int i = 0; i < 6; ++i) {
        lblStatus.append(makeLabel(QStringLiteral("lblStatus"), i, QStringLiteral("lblStatus")));
        QLineEdit* box = makeTextBox(QStringLiteral("txtStatus"), i, true);
        box->setMaxLength(32);
        box->setMinimumWidth(300);
        QPalette grey = box->palette();
        // As a style sheet's background: the box and the ground its frame's shade is taken from.
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
            grey.setColor(role, QColor(0xe8, 0xe8, 0xe8));
        box->setPalette(grey);
        txtStatus.append(box);
        grid->addWidget(lblStatus[i], i, 0);
        grid->addWidget(box, i, 1);
    }
    grid->setColumnStretch(1, 1);
    m_rootLayout->addWidget(fraStatus);
}

void StatusPage::LoadTexts() {
    fraStatus->setTitle(QString());
    for (int i = 1; i <= 6; ++i) {
        const QString label = QStringLiteral("Label") + nn(i);
        lblStatus[i - 1]->setText(text(label, label));
        const QString tip = text(QStringLiteral("ToolTip") + nn(i), QString());
        lblStatus[i - 1]->setToolTip(tip);
        txtStatus[i - 1]->setToolTip(tip);
    }
}

void StatusPage::Refresh(DataStore& store, DataPages&) {
    for (int i = 0; i < 6; ++i)
        step([&] { at(txtStatus, i)->setText(shown(store.StatusText.at(i + 1).trimmedRight())); });
}

void StatusPage::TakeOver(DataStore& store, DataPages&) {
    for (int i = 0; i < 6; ++i)
        step([&] { store.StatusText.at(i + 1) = rightTrimmed(at(txtStatus, i)->text()); });
}

} // namespace zoz
