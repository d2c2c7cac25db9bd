#include "pages/MonitorPage.h"

#include "dataset/DataStore.h"
#include "dataset/PageLists.h"
#include "pages/DataPages.h"

#include "pages/TagNumber.h"
#include "widgets/AssignBox.h"
#include "widgets/ValueCheckBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace zoz {

QStringList MonitorPage::volumeItems() {
    return PageLists::MonitorVolumes();
}

QStringList MonitorPage::kanalItems() {
    return PageLists::MonitorChannels();
}

MonitorPage::MonitorPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : DataPage(4, QStringLiteral("monitor"), QStringLiteral("TabStrip_Monitor_"), texts, switches,
               parent) {}

void MonitorPage::build() {
    for (int p = 1; p <= 4; ++p)
        fraContainerPart.append(
            makeFrame(QStringLiteral("fraContainerPart") + nn(p), QStringLiteral("Part") + nn(p)));

    // Frame 01: mode, volume, channel.
    const char* const labels01[3] = {"Monitor Mode", "Monitor Volume", "Monitor Kanal"};
    for (int i = 0; i < 3; ++i)
        lblPart01.append(
            makeLabel(QStringLiteral("lblPart01"), i, QString::fromLatin1(labels01[i])));
    const char* const modes[4] = {"Stereo", "Mono", "LL", "RR"};
    for (int i = 0; i < 4; ++i)
        chkMonMode.append(
            makeCheck(QStringLiteral("chkMonMode"), i, QString::fromLatin1(modes[i])));
    cmbVolume = new QComboBox(m_fraTab);
    cmbVolume->setObjectName(QStringLiteral("cmbVolume"));
    cmbVolume->addItems(volumeItems());
    cmbVolume->setMaxVisibleItems(16);
    cmbKanal = new QComboBox(m_fraTab);
    cmbKanal->setObjectName(QStringLiteral("cmbKanal"));
    cmbKanal->addItems(kanalItems());
    cmbKanal->setMaxVisibleItems(14);
    auto* grid01 = new QGridLayout(fraContainerPart[0]);
    grid01->addWidget(lblPart01[0], 0, 0);
    auto* modeRow = new QHBoxLayout;
    for (ValueCheckBox* box : chkMonMode)
        modeRow->addWidget(box);
    modeRow->addStretch(1);
    grid01->addLayout(modeRow, 0, 1, 1, 2);
    grid01->addWidget(lblPart01[1], 1, 0);
    grid01->addWidget(cmbVolume, 1, 1);
    grid01->addWidget(lblPart01[2], 2, 0);
    grid01->addWidget(cmbKanal, 2, 1);
    grid01->setColumnStretch(2, 1);
    cmbVolume->setMinimumWidth(120);
    cmbKanal->setMinimumWidth(120);

    // Frame 02: tap point; frame 03: peak meter.
    lblPart02.append(makeLabel(QStringLiteral("lblPart02"), 0, QStringLiteral("Abgriff")));
    const char* const taps[3] = {"MON", "PF", "AF"};
    for (int i = 0; i < 3; ++i)
        chkMonAbgriff.append(
            makeCheck(QStringLiteral("chkMonAbgriff"), i, QString::fromLatin1(taps[i])));
    auto* grid02 = new QHBoxLayout(fraContainerPart[1]);
    grid02->addWidget(lblPart02[0]);
    for (ValueCheckBox* box : chkMonAbgriff)
        grid02->addWidget(box);
    grid02->addStretch(1);
    lblPart03.append(makeLabel(QStringLiteral("lblPart03"), 0, QStringLiteral("Kanal")));
    chkPeakmeter.append(makeCheck(QStringLiteral("chkPeakmeter"), 0, QStringLiteral("4 Kanal")));
    chkPeakmeter.append(
        makeCheck(QStringLiteral("chkPeakmeter"), 1, QStringLiteral("2 x 2 Kanal")));
    auto* grid03 = new QHBoxLayout(fraContainerPart[2]);
    grid03->addWidget(lblPart03[0]);
    for (ValueCheckBox* box : chkPeakmeter)
        grid03->addWidget(box);
    grid03->addStretch(1);

    // Frame 04: the external monitor keys, two per row.
    auto* grid04 = new QGridLayout(fraContainerPart[3]);
    for (int i = 0; i < 4; ++i) {
        lblPart04.append(makeLabel(QStringLiteral("lblPart04"), i, QStringLiteral("Belegung")));
        AssignBox* box = makeAssignBox(QStringLiteral("txtExtMon"), i);
        box->setMinimumWidth(90);
        txtExtMon.append(box);
        QToolButton* button = makeDropDown(QStringLiteral("pic"), i);
        pic.append(button);
        const int row = i / 2;
        const int col = (i % 2) * 3;
        grid04->addWidget(lblPart04[i], row, col);
        grid04->addWidget(box, row, col + 1);
        grid04->addWidget(button, row, col + 2);
        connect(box, &AssignBox::clicked, this, [this, i] { emit extMonClicked(i); });
        connect(button, &QToolButton::clicked, this, [this, i] { emit extMonClicked(i); });
    }
    grid04->setColumnStretch(1, 1);
    grid04->setColumnStretch(4, 1);
    grid04->setColumnMinimumWidth(3, 90);

    showsFields("monitor.mode", chkMonMode);
    showsField(QStringLiteral("monitor.volume"), cmbVolume);
    showsField(QStringLiteral("monitor.channel"), cmbKanal);
    showsFields("monitor.tap", chkMonAbgriff);
    showsFields("monitor.peakmeter", chkPeakmeter);
    showsFields("monitor.extmon", txtExtMon);

    m_rootLayout->addWidget(fraContainerPart[0]);
    auto* pair = new QHBoxLayout;
    pair->addWidget(fraContainerPart[1], 1);
    pair->addWidget(fraContainerPart[2], 1);
    m_rootLayout->addLayout(pair);
    m_rootLayout->addWidget(fraContainerPart[3]);
}

void MonitorPage::LoadTexts() {
    struct Frame {
        QList<QLabel*>* labels;
        QList<ValueCheckBox*>* options;
    };
    const Frame frames[4] = {{&lblPart01, &chkMonMode},
                             {&lblPart02, &chkMonAbgriff},
                             {&lblPart03, &chkPeakmeter},
                             {&lblPart04, nullptr}};
    for (int f = 0; f < 4; ++f) {
        const QString part = QStringLiteral("Part") + nn(f + 1);
        loadFrameTexts(fraContainerPart[f], f + 1, part);
        for (int m = 1; m <= frames[f].labels->size(); ++m) {
            const QString key = part + QStringLiteral(".Label") + nn(m);
            QLabel* label = (*frames[f].labels)[m - 1];
            label->setText(text(key, key));
            label->setToolTip(text(part + QStringLiteral(".ToolTip") + nn(m), QString()));
        }
        if (!frames[f].options)
            continue;
        for (int m = 1; m <= frames[f].options->size(); ++m) {
            const QString key = part + QStringLiteral(".Opt") + nn(m);
            ValueCheckBox* box = (*frames[f].options)[m - 1];
            box->setText(text(key + QStringLiteral(".Caption"), key + QStringLiteral(".Caption")));
            box->setToolTip(text(key + QStringLiteral(".ToolTip"), QString()));
        }
    }
    const QString dropTip = text(QStringLiteral("DropDown.ToolTip"), QString());
    for (AssignBox* box : txtExtMon)
        box->setToolTip(dropTip);
    applyDropDownLook(pic);
    cmbVolume->setItemText(0, QStringLiteral("  ") +
                                  message(QStringLiteral("MonitorOff"), QStringLiteral("off")));
}

void MonitorPage::Refresh(DataStore& store, DataPages& pages) {
    MonitorRecord& mon = store.DataSet.Monitor;
    for (int i = 0; i < 4; ++i)
        step([&] { at(chkMonMode, i)->setValue(mon.MonMode.at(i + 1)); });
    step([&] { setListIndex(cmbVolume, mon.MonVolume); });
    step([&] { setListIndex(cmbKanal, mon.MonKanal); });
    for (int i = 0; i < 3; ++i)
        step([&] { at(chkMonAbgriff, i)->setValue(mon.MonAbgriff.at(i + 1)); });
    for (int i = 0; i < 2; ++i)
        step([&] { at(chkPeakmeter, i)->setValue(mon.Peakmeter.at(i + 1)); });
    for (int k = 0; k < 4; ++k) {
        step([&] { at(txtExtMon, k)->setTag(QString::number(mon.ExtMon.at(k + 1))); });
        step([&] {
            AssignBox* box = at(txtExtMon, k);
            pages.ShowChannelName(box, toInteger(TagNumber::of(box->tag())));
        });
    }
}

void MonitorPage::TakeOver(DataStore& store, DataPages&) {
    MonitorRecord& mon = store.DataSet.Monitor;
    for (int i = 0; i < 4; ++i)
        step([&] { mon.MonMode.at(i + 1) = at(chkMonMode, i)->value(); });
    step([&] { mon.MonVolume = cmbVolume->currentIndex(); });
    step([&] { mon.MonKanal = cmbKanal->currentIndex(); });
    for (int i = 0; i < 3; ++i)
        step([&] { mon.MonAbgriff.at(i + 1) = at(chkMonAbgriff, i)->value(); });
    for (int i = 0; i < 2; ++i)
        step([&] { mon.Peakmeter.at(i + 1) = at(chkPeakmeter, i)->value(); });
    for (int k = 0; k < 4; ++k)
        step([&] { mon.ExtMon.at(k + 1) = toInteger(TagNumber::of(at(txtExtMon, k)->tag())); });
}

} // namespace zoz
