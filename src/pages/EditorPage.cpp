#include "pages/EditorPage.h"

#include "dataset/DataStore.h"

#include "widgets/ValueCheckBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zoz {

namespace {
constexpr int kCell = 30;
const char* const kMachines[5] = {"REC", "A", "B", "C", "D"};
const char* const kControls[3] = {"MIDI", "ESAM", "VCA"};
} // namespace

EditorPage::EditorPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : DataPage(6, QStringLiteral("editor"), QStringLiteral("TabStrip_Editor_"), texts, switches,
               parent) {}

void EditorPage::build() {
    for (int p = 1; p <= 4; ++p)
        fraContainerPart.append(
            makeFrame(QStringLiteral("fraContainerPart") + nn(p), QStringLiteral("Part") + nn(p)));

    auto* row01 = new QHBoxLayout(fraContainerPart[0]);
    for (int i = 0; i < 3; ++i) {
        chkControl.append(
            makeCheck(QStringLiteral("chkControl"), i, QString::fromLatin1(kControls[i])));
        row01->addWidget(chkControl[i]);
    }
    row01->addStretch(1);

    // The matrix: row headings left, column headings on top, the check boxes in between.
    fraMachSourceRowHdr = makeFrame(QStringLiteral("fraMachSourceRowHdr"), QStringLiteral("Masch"));
    fraMachSourceColHdr =
        makeFrame(QStringLiteral("fraMachSourceColHdr"), QStringLiteral("Source"));
    fraMachSource04 = makeFrame(QStringLiteral("fraMachSource04"), QStringLiteral(" "));
    auto* rowHdr = new QVBoxLayout(fraMachSourceRowHdr);
    rowHdr->setSpacing(0);
    for (int k = 0; k < 5; ++k) {
        QLabel* label =
            makeLabel(QStringLiteral("lblMaschine"), k, QString::fromLatin1(kMachines[k]));
        label->setFixedHeight(kCell);
        label->setAlignment(Qt::AlignCenter);
        lblMaschine.append(label);
        rowHdr->addWidget(label);
    }
    auto* colHdr = new QHBoxLayout(fraMachSourceColHdr);
    colHdr->setSpacing(0);
    auto* grid = new QGridLayout(fraMachSource04);
    grid->setSpacing(0);
    for (int s = 0; s < 12; ++s) {
        QLabel* label = makeLabel(QStringLiteral("lblSource"), s, nn(s + 1));
        label->setFixedWidth(kCell);
        label->setAlignment(Qt::AlignCenter);
        lblSource.append(label);
        colHdr->addWidget(label);
        chkMachSource.append(QList<ValueCheckBox*>());
        for (int k = 0; k < 5; ++k) {
            ValueCheckBox* box =
                makeCheck(QStringLiteral("chkMachSource") + nn(s + 1), k, QString());
            box->setFixedSize(kCell, kCell);
            box->setStyleSheet(QStringLiteral("QCheckBox { padding-left: 7px; }"));
            chkMachSource[s].append(box);
            showsField(QStringLiteral("editor.source[%1].%2")
                           .arg(s + 1)
                           .arg(QString::fromLatin1(kMachines[k]).toLower()),
                       box);
            grid->addWidget(box, k, s);
        }
    }
    colHdr->addStretch(1);
    grid->setColumnStretch(12, 1);
    auto* matrix = new QGridLayout(fraContainerPart[1]);
    matrix->setSpacing(4);
    matrix->addWidget(fraMachSourceColHdr, 0, 1);
    matrix->addWidget(fraMachSourceRowHdr, 1, 0);
    matrix->addWidget(fraMachSource04, 1, 1);
    matrix->setColumnStretch(1, 1);
    fraMachSourceRowHdr->setMinimumWidth(64);

    lblPart03.append(makeLabel(QStringLiteral("lblPart03"), 0, QString()));
    cmbFrames = new QComboBox(m_fraTab);
    cmbFrames->setObjectName(QStringLiteral("cmbFrames"));
    cmbFrames->addItem(QStringLiteral("25 frames"), 25);
    cmbFrames->addItem(QStringLiteral("30 frames"), 30);
    auto* row03 = new QHBoxLayout(fraContainerPart[2]);
    row03->addWidget(lblPart03[0]);
    row03->addWidget(cmbFrames, 1);
    lblPart04.append(makeLabel(QStringLiteral("lblPart04"), 0, QString()));
    cmbChannels = new QComboBox(m_fraTab);
    cmbChannels->setObjectName(QStringLiteral("cmbChannels"));
    auto* row04 = new QHBoxLayout(fraContainerPart[3]);
    row04->addWidget(lblPart04[0]);
    row04->addWidget(cmbChannels, 1);

    showsFields("editor.control", chkControl);
    showsField(QStringLiteral("editor.frames"), cmbFrames);
    showsField(QStringLiteral("editor.channels"), cmbChannels);

    m_rootLayout->addWidget(fraContainerPart[0]);
    m_rootLayout->addWidget(fraContainerPart[1]);
    auto* pair = new QHBoxLayout;
    pair->addWidget(fraContainerPart[2], 1);
    pair->addWidget(fraContainerPart[3], 1);
    m_rootLayout->addLayout(pair);
}

void EditorPage::LoadTexts() {
    loadFrameTexts(fraContainerPart[0], 1, QStringLiteral("Part01"));
    for (int m = 1; m <= 3; ++m) {
        const QString key = QStringLiteral("Part01.Opt") + nn(m);
        chkControl[m - 1]->setText(
            text(key + QStringLiteral(".Caption"), key + QStringLiteral(".Caption")));
        chkControl[m - 1]->setToolTip(text(key + QStringLiteral(".ToolTip"), QString()));
    }
    loadFrameTexts(fraContainerPart[1], 2, QStringLiteral("Part02"));
    fraMachSourceColHdr->setTitle(
        text(QStringLiteral("Part02.Col.Caption"), QStringLiteral("Col.Caption")));
    const QString colTip = text(QStringLiteral("Part02.Col.ToolTip"), QString());
    fraMachSourceColHdr->setToolTip(colTip);
    for (QLabel* label : lblSource)
        label->setToolTip(colTip);
    fraMachSourceRowHdr->setTitle(
        text(QStringLiteral("Part02.Row.Caption"), QStringLiteral("Row.Caption")));
    const QString rowTip = text(QStringLiteral("Part02.Row.ToolTip"), QString());
    fraMachSourceRowHdr->setToolTip(rowTip);
    for (QLabel* label : lblMaschine)
        label->setToolTip(rowTip);
    loadFrameTexts(fraContainerPart[2], 3, QStringLiteral("Part03"));
    lblPart03[0]->setText(text(QStringLiteral("Part03.Label01"), QStringLiteral("Part03.Label01")));
    lblPart03[0]->setToolTip(text(QStringLiteral("Part03.ToolTip01"), QString()));
    loadFrameTexts(fraContainerPart[3], 4, QStringLiteral("Part04"));
    lblPart04[0]->setText(text(QStringLiteral("Part04.Label01"), QStringLiteral("Part04.Label01")));
    lblPart04[0]->setToolTip(text(QStringLiteral("Part04.ToolTip01"), QString()));

    // The item data are what the encoder sends: 2 for two channels, 1 for four.
    cmbChannels->clear();
    cmbChannels->addItem(message(QStringLiteral("TwoChannels"), QStringLiteral("TwoChannels")), 2);
    cmbChannels->addItem(message(QStringLiteral("FourChannels"), QStringLiteral("FourChannels")),
                         1);
    cmbChannels->setCurrentIndex(0);
}

void EditorPage::Refresh(DataStore& store, DataPages&) {
    EditorRecord& ed = store.DataSet.Editor;
    for (int i = 0; i < 3; ++i)
        step([&] { at(chkControl, i)->setValue(ed.Control.at(i + 1)); });
    for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
        for (int k = 0; k < 5; ++k)
            step([&] { at(at(chkMachSource, s - 1), k)->setValue(ed.MachSource(s).at(k + 1)); });
    step([&] { setListIndex(cmbFrames, ed.Frames); });
    step([&] { setListIndex(cmbChannels, ed.Channels); });
}

void EditorPage::TakeOver(DataStore& store, DataPages&) {
    EditorRecord& ed = store.DataSet.Editor;
    for (int i = 0; i < 3; ++i)
        step([&] { ed.Control.at(i + 1) = at(chkControl, i)->value(); });
    for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
        for (int k = 0; k < 5; ++k)
            step([&] {
                ed.MachSource(s).at(k + 1) =
                    static_cast<quint8>(at(at(chkMachSource, s - 1), k)->value());
            });
    step([&] { ed.Frames = cmbFrames->currentIndex(); });
    step([&] { ed.Channels = cmbChannels->currentIndex(); });
}

} // namespace zoz
