#include "pages/SystemPage.h"

#include "dataset/DataStore.h"

#include "widgets/KeyFilter.h"
#include "widgets/Pictures.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace zoz {

SystemPage::SystemPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : DataPage(9, QStringLiteral("system"), QString(), texts, switches, parent) {}

void SystemPage::build() {
    fraContainerPart01 =
        makeFrame(QStringLiteral("fraContainerPart01"), QStringLiteral("Systeminformation"));
    lblPart01.append(makeLabel(QStringLiteral("lblPart01"), 0, QStringLiteral("QPL Version")));
    txtQPLVersion = new QLineEdit(m_fraTab);
    txtQPLVersion->setObjectName(QStringLiteral("txtQPLVersion"));
    txtQPLVersion->setMaxLength(4);
    txtQPLVersion->setFixedWidth(60);
    new KeyFilter(KeyFilter::Kind::Digit, txtQPLVersion);

    ToolbarPart01 = new QToolBar(m_fraTab);
    ToolbarPart01->setObjectName(QStringLiteral("ToolbarPart01"));
    ToolbarPart01->setIconSize(QSize(16, 16));
    sendButton = new QToolButton(ToolbarPart01);
    sendButton->setObjectName(QStringLiteral("Button1"));
    sendButton->setIcon(Pictures::icon(QStringLiteral(":/pages/send")));
    sendButton->setToolTip(QStringLiteral("QPL Version senden"));
    ToolbarPart01->addWidget(sendButton);
    connect(sendButton, &QToolButton::clicked, this, &SystemPage::sendVersionClicked);

    auto* row = new QHBoxLayout(fraContainerPart01);
    row->addWidget(lblPart01[0]);
    row->addWidget(txtQPLVersion);
    row->addWidget(ToolbarPart01);
    row->addStretch(1);
    m_rootLayout->addWidget(fraContainerPart01);
}

// The System page keeps its design captions; only the toolbar turns flat.
void SystemPage::LoadTexts() {
    sendButton->setAutoRaise(true);
}

void SystemPage::Refresh(DataStore& store, DataPages&) {
    step([&] { txtQPLVersion->setText(shown(store.QPLVersion.trimmedRight())); });
}

void SystemPage::TakeOver(DataStore& store, DataPages&) {
    step([&] { store.QPLVersion = rightTrimmed(txtQPLVersion->text()); });
}

} // namespace zoz
