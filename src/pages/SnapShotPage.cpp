#include "pages/SnapShotPage.h"

#include "dataset/DataStore.h"
#include "pages/DataPages.h"
#include "pages/TagNumber.h"
#include "widgets/Pictures.h"
#include <cmath>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace zoz {

namespace {

const QString kImages[5] = {
    QString(), QStringLiteral(":/pages/switch1_on"), QStringLiteral(":/pages/switch1_off"),
    QStringLiteral(":/pages/switch2_on"), QStringLiteral(":/pages/switch2_off")};

void setImage(QToolButton* button, int image) {
    if (SnapShotPage::imageOf(button) == image)
        return;
    button->setIcon(Pictures::icon(kImages[image]));
    button->setProperty("Image", image);
}

} // namespace

SnapShotPage::SnapShotPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : DataPage(7, QStringLiteral("snapshot"), QStringLiteral("TabStrip_SnapShot_"), texts, switches,
               parent) {}

void SnapShotPage::build() {
    for (int p = 1; p <= 3; ++p)
        fraContainerPart.append(
            makeFrame(QStringLiteral("fraContainerPart") + nn(p), QStringLiteral("Part") + nn(p)));

    auto* grid01 = new QGridLayout(fraContainerPart[0]);
    grid01->setVerticalSpacing(2);
    for (int i = 0; i < 8; ++i) {
        lblPart01.append(makeLabel(QStringLiteral("lblPart01"), i, QString()));
        ToolbarPart01.append(makeToolbar(QStringLiteral("ToolbarPart01"), i, true));
        txtInfoPart01.append(makeTextBox(QStringLiteral("txtInfoPart01"), i, true));
        txtInfoPart01[i]->setMaxLength(255);
        grid01->addWidget(lblPart01[i], i, 0);
        grid01->addWidget(ToolbarPart01[i], i, 1);
        grid01->addWidget(txtInfoPart01[i], i, 2);
        QToolBar* toolbar = ToolbarPart01[i];
        for (int b : {1, 2})
            connect(button(toolbar, b), &QToolButton::clicked, this,
                    [this, toolbar, b] { toggleSwitch(button(toolbar, b)); });
        connect(button(toolbar, 4), &QToolButton::clicked, this,
                [this, i] { emit requestConfiguration(i + 1); });
        connect(button(toolbar, 5), &QToolButton::clicked, this,
                [this, i] { emit sendConfiguration(i + 1); });
    }
    grid01->setColumnStretch(2, 1);
    grid01->setColumnMinimumWidth(0, 90);

    auto* grid02 = new QGridLayout(fraContainerPart[1]);
    lblPart02.append(makeLabel(QStringLiteral("lblPart02"), 0, QString()));
    ToolbarPart02.append(makeToolbar(QStringLiteral("ToolbarPart02"), 0, false));
    txtInfoPart02.append(makeTextBox(QStringLiteral("txtInfoPart02"), 0, true));
    txtInfoPart02[0]->setMaxLength(255);
    grid02->addWidget(lblPart02[0], 0, 0);
    grid02->addWidget(ToolbarPart02[0], 0, 1);
    grid02->addWidget(txtInfoPart02[0], 0, 2);
    grid02->setColumnStretch(2, 1);
    grid02->setColumnMinimumWidth(0, 90);
    connect(button(ToolbarPart02[0], 4), &QToolButton::clicked, this,
            [this] { emit requestConfiguration(0); });
    connect(button(ToolbarPart02[0], 5), &QToolButton::clicked, this,
            [this] { emit sendConfiguration(0); });

    lblPart03.append(makeLabel(QStringLiteral("lblPart03"), 0, QString()));
    cmbStartUpConf = new QComboBox(m_fraTab);
    cmbStartUpConf->setObjectName(QStringLiteral("cmbStartUpConf"));
    cmbStartUpConf->addItem(QStringLiteral("temporär"), 0);
    for (int i = 1; i <= 8; ++i)
        cmbStartUpConf->addItem(nn(i), i);
    cmbStartUpConf->setMinimumWidth(160);
    auto* row03 = new QHBoxLayout(fraContainerPart[2]);
    row03->addWidget(lblPart03[0]);
    row03->addWidget(cmbStartUpConf);
    row03->addStretch(1);

    for (int i = 0; i < 8; ++i)
        for (int w : {1, 2})
            showsField(QStringLiteral("snapshot.switch%1[%2]").arg(w).arg(i + 1),
                       button(ToolbarPart01[i], w));
    showsFields("snapshot.file", txtInfoPart01);
    showsField(QStringLiteral("snapshot.groupfile"), txtInfoPart02[0]);
    showsField(QStringLiteral("snapshot.startup"), cmbStartUpConf);

    for (QGroupBox* frame : fraContainerPart)
        m_rootLayout->addWidget(frame);
}

QToolBar* SnapShotPage::makeToolbar(const QString& arrayName, int index, bool withSwitches) {
    auto* toolbar = new QToolBar(m_fraTab);
    toolbar->setObjectName(controlName(arrayName, index));
    toolbar->setIconSize(QSize(22, 22));
    toolbar->setFloatable(false);
    toolbar->setMovable(false);
    for (int b = 1; b <= 5; ++b) {
        auto* tool = new QToolButton(toolbar);
        tool->setObjectName(QStringLiteral("Button") + QString::number(b));
        tool->setProperty("Tag", QString());
        tool->setFixedSize(28, 26);
        if (b == 3) {
            // The spacer between the switches and the transfers.
            tool->setEnabled(false);
            tool->setFixedWidth(8);
        } else if (b == 4) {
            tool->setIcon(Pictures::icon(QStringLiteral(":/pages/request")));
        } else if (b == 5) {
            tool->setIcon(Pictures::icon(QStringLiteral(":/pages/send-22")));
        } else if (!withSwitches) {
            // The group row has no switches; the empty buttons keep its transfers in line.
            tool->setEnabled(false);
        }
        toolbar->addWidget(tool);
    }
    return toolbar;
}

QToolButton* SnapShotPage::button(QToolBar* toolbar, int b) {
    return toolbar->findChild<QToolButton*>(QStringLiteral("Button") + QString::number(b));
}

int SnapShotPage::switchValue(const QToolButton* button) {
    // "0" + Tag read as a number: the leading digits (with a fraction) count, the rest is ignored.
    const QString text = QStringLiteral("0") + button->property("Tag").toString().trimmed();
    int end = 0;
    while (end < text.size() && text.at(end).isDigit())
        ++end;
    bool ok = false;
    const long long value = text.left(end).toLongLong(&ok);
    return ok ? static_cast<int>(value) : 0;
}

int SnapShotPage::imageOf(const QToolButton* button) {
    return button->property("Image").toInt();
}

void SnapShotPage::toggleSwitch(QToolButton* tool) {
    tool->setProperty("Tag", switchValue(tool) == 0 ? QStringLiteral("1") : QStringLiteral("0"));
    UpdateSnapShotButtons();
}

void SnapShotPage::UpdateSnapShotButtons() {
    for (QToolBar* toolbar : ToolbarPart01) {
        QToolButton* first = button(toolbar, 1);
        const bool on1 = switchValue(first) == 1;
        setImage(first, on1 ? 1 : 2);
        first->setToolTip(on1 ? Button01ToolTipOn : Button01ToolTipOff);
        QToolButton* second = button(toolbar, 2);
        const bool on2 = switchValue(second) == 1;
        setImage(second, on2 ? 3 : 4);
        second->setToolTip(on2 ? Button02ToolTipOn : Button02ToolTipOff);
    }
}

void SnapShotPage::LoadTexts() {
    loadFrameTexts(fraContainerPart[0], 1, QStringLiteral("Part01"));
    for (int m = 1; m <= 8; ++m) {
        const QString key = QStringLiteral("Part01.Label") + nn(m);
        lblPart01[m - 1]->setText(text(key, key));
        const QString tip = text(QStringLiteral("Part01.ToolTip") + nn(m), QString());
        lblPart01[m - 1]->setToolTip(tip);
        txtInfoPart01[m - 1]->setToolTip(tip);
    }
    Button01ToolTipOn = text(QStringLiteral("Part01.Button01.ToolTip_ON"), QString());
    Button01ToolTipOff = text(QStringLiteral("Part01.Button01.ToolTip_OFF"), QString());
    Button02ToolTipOn = text(QStringLiteral("Part01.Button02.ToolTip_ON"), QString());
    Button02ToolTipOff = text(QStringLiteral("Part01.Button02.ToolTip_OFF"), QString());
    const QString requestTip = text(QStringLiteral("Part01.Button03.ToolTip"), QString());
    const QString sendTip = text(QStringLiteral("Part01.Button04.ToolTip"), QString());
    for (QToolBar* toolbar : ToolbarPart01) {
        for (int b = 1; b <= 5; ++b)
            button(toolbar, b)->setAutoRaise(true);
        button(toolbar, 1)->setToolTip(Button01ToolTipOn);
        button(toolbar, 2)->setToolTip(Button02ToolTipOff);
        button(toolbar, 4)->setToolTip(requestTip);
        button(toolbar, 5)->setToolTip(sendTip);
    }

    loadFrameTexts(fraContainerPart[1], 2, QStringLiteral("Part02"));
    lblPart02[0]->setText(text(QStringLiteral("Part02.Label01"), QStringLiteral("Part02.Label01")));
    lblPart02[0]->setToolTip(text(QStringLiteral("Part02.ToolTip01"), QString()));
    for (int b = 1; b <= 5; ++b)
        button(ToolbarPart02[0], b)->setAutoRaise(true);
    button(ToolbarPart02[0], 4)
        ->setToolTip(text(QStringLiteral("Part02.Button01.ToolTip"), QString()));
    button(ToolbarPart02[0], 5)
        ->setToolTip(text(QStringLiteral("Part02.Button02.ToolTip"), QString()));

    loadFrameTexts(fraContainerPart[2], 3, QStringLiteral("Part03"));
    lblPart03[0]->setText(text(QStringLiteral("Part03.Label01"), QStringLiteral("Part03.Label01")));
    lblPart03[0]->setToolTip(text(QStringLiteral("Part03.ToolTip01"), QString()));

    cmbStartUpConf->clear();
    cmbStartUpConf->addItem(
        message(QStringLiteral("StartUpConf_Temp"), QStringLiteral("StartUpConf_Temp")), 0);
    for (int i = 0; i < 8; ++i)
        cmbStartUpConf->addItem(lblPart01[i]->text(), i + 1);
    cmbStartUpConf->setCurrentIndex(0);
}

void SnapShotPage::Refresh(DataStore& store, DataPages& pages) {
    SnapShotRecord& snap = store.DataSet.SnapShot;
    for (int i = 0; i < 8; ++i)
        step([&] {
            button(at(ToolbarPart01, i), 1)
                ->setProperty("Tag", QString::number(snap.SnapShotSwitch1.at(i + 1)));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            button(at(ToolbarPart01, i), 2)
                ->setProperty("Tag", QString::number(snap.SnapShotSwitch2.at(i + 1)));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            at(txtInfoPart01, i)
                ->setText(pages.displayFileName(snap.SnapShotFile.at(i + 1).text()));
        });
    step([&] {
        at(txtInfoPart02, 0)->setText(pages.displayFileName(snap.SnapShotGroupFile.text()));
    });
    step([&] { setListIndex(cmbStartUpConf, snap.StartUpConf); });
}

void SnapShotPage::TakeOver(DataStore& store, DataPages& pages) {
    SnapShotRecord& snap = store.DataSet.SnapShot;
    for (int i = 0; i < 8; ++i)
        step([&] {
            snap.SnapShotSwitch1.at(i + 1) =
                toInteger(std::floor(TagNumber::of(tagOf(button(at(ToolbarPart01, i), 1)))));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            snap.SnapShotSwitch2.at(i + 1) =
                toInteger(std::floor(TagNumber::of(tagOf(button(at(ToolbarPart01, i), 2)))));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            snap.SnapShotFile.at(i + 1) = pages.storedFileName(at(txtInfoPart01, i)->text());
        });
    step([&] { snap.SnapShotGroupFile = pages.storedFileName(at(txtInfoPart02, 0)->text()); });
    step([&] { snap.StartUpConf = cmbStartUpConf->currentIndex(); });
}

} // namespace zoz
