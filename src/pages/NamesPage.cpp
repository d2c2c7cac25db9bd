#include "pages/NamesPage.h"

#include "dataset/DataStore.h"

#include "widgets/KeyFilter.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace zoz {

namespace {

struct Group {
    const char* boxName;
    int boxes;
    int labels;
    const char* labelCaption;
};

// Frames 01..05: name boxes, labels (each label heads boxes / labels boxes of its row).
constexpr Group kGroups[5] = {{"txtInputDigital", 16, 4, "dig In"},
                              {"txtInputAnalog", 8, 4, "ana In"},
                              {"txtInputAdat", 8, 2, "Adat In"},
                              {"txtInputExtMon", 4, 1, "ExtMon In"},
                              {"txtOutputSummen", 4, 4, "Bus"}};

} // namespace

NamesPage::NamesPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : DataPage(2, QStringLiteral("name"), QStringLiteral("TabStrip_Name_"), texts, switches,
               parent) {}

void NamesPage::build() {
    QList<QLineEdit*>* lists[5] = {&txtInputDigital, &txtInputAnalog, &txtInputAdat,
                                   &txtInputExtMon, &txtOutputSummen};
    for (int g = 0; g < 5; ++g) {
        const Group& def = kGroups[g];
        QGroupBox* frame = makeFrame(QStringLiteral("fraContainerPart") + nn(g + 1), QString());
        fraContainerPart.append(frame);
        auto* grid = new QGridLayout(frame);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        lblPart.append(QList<QLabel*>());
        const int perRow = def.boxes / def.labels;
        for (int l = 0; l < def.labels; ++l) {
            QLabel* label = makeLabel(QStringLiteral("lblPart") + nn(g + 1), l,
                                      QString::fromLatin1(def.labelCaption));
            label->setMinimumWidth(96);
            lblPart[g].append(label);
            grid->addWidget(label, l, 0);
            for (int c = 0; c < perRow; ++c) {
                const int index = l * perRow + c;
                QLineEdit* box = makeTextBox(QString::fromLatin1(def.boxName), index, false);
                box->setMaxLength(8);
                box->setFixedWidth(84);
                new KeyFilter(KeyFilter::Kind::Name, box);
                lists[g]->append(box);
                grid->addWidget(box, l, c + 1);
            }
        }
        grid->setColumnStretch(perRow + 1, 1);
    }
    const char* const stems[5] = {"names.digital", "names.analog", "names.adat", "names.extmon",
                                  "names.bus"};
    for (int g = 0; g < 5; ++g)
        showsFields(stems[g], *lists[g]);
    // Analog inputs and buses both have four rows: side by side they keep the page short.
    m_rootLayout->addWidget(fraContainerPart[0]);
    auto* pair = new QHBoxLayout;
    pair->addWidget(fraContainerPart[1], 3);
    pair->addWidget(fraContainerPart[4], 2);
    m_rootLayout->addLayout(pair);
    m_rootLayout->addWidget(fraContainerPart[2]);
    m_rootLayout->addWidget(fraContainerPart[3]);
}

const QList<QLineEdit*>& NamesPage::group(int group) const {
    switch (group) {
    case 1:
        return txtInputDigital;
    case 2:
        return txtInputAnalog;
    case 3:
        return txtInputAdat;
    case 4:
        return txtInputExtMon;
    case 5:
        return txtOutputSummen;
    default:
        return m_empty;
    }
}

void NamesPage::LoadTexts() {
    for (int g = 0; g < 5; ++g) {
        const QString part = QStringLiteral("Part") + nn(g + 1);
        const QString caption = text(part + QStringLiteral(".Caption"), QString());
        fraContainerPart[g]->setTitle(caption);
        fraContainerPart[g]->setToolTip(text(part + QStringLiteral(".ToolTip"), caption));
        for (int m = 1; m <= lblPart[g].size(); ++m) {
            const QString key = part + QStringLiteral(".Label") + nn(m);
            lblPart[g][m - 1]->setText(text(key, key));
        }
        const QList<QLineEdit*>& boxes = group(g + 1);
        for (int m = 1; m <= boxes.size(); ++m)
            boxes[m - 1]->setToolTip(boxToolTip(g + 1, m));
    }
}

QString NamesPage::boxToolTip(int group, int index) const {
    return text(QStringLiteral("Part") + nn(group) + QStringLiteral(".ToolTip") + nn(index),
                QString());
}

NameBox NamesPage::nameBox(int group, int index, const DataStore* held) const {
    if (isBuilt()) {
        const QList<QLineEdit*>& boxes = this->group(group);
        if (index < 1 || index > boxes.size())
            return {};
        return {boxes.at(index - 1)->text(), boxes.at(index - 1)->toolTip()};
    }
    if (group < 1 || group > DataSet::GroupCount || index < 1 || index > kGroups[group - 1].boxes)
        return {};
    // Refresh's statement for the box (which always succeeds: a box per name, and a name of at
    // most eight characters fits the box's length), or the empty box of a page never refreshed.
    const QString shownText =
        held ? shown(held->DataSet.ChannelName(group, index).trimmedRight()) : QString();
    return {shownText, boxToolTip(group, index)};
}

// Digital, analog, Adat, ext. monitor, bus.
void NamesPage::Refresh(DataStore& store, DataPages&) {
    DataSet& data = store.DataSet;
    for (int g = 1; g <= DataSet::GroupCount; ++g) {
        const QList<QLineEdit*>& boxes = group(g);
        for (int i = 0; i < boxes.size(); ++i)
            step([&] { boxes.at(i)->setText(shown(data.ChannelName(g, i + 1).trimmedRight())); });
    }
}

void NamesPage::TakeOver(DataStore& store, DataPages&) {
    DataSet& data = store.DataSet;
    for (int g = 1; g <= DataSet::GroupCount; ++g) {
        const QList<QLineEdit*>& boxes = group(g);
        for (int i = 0; i < boxes.size(); ++i)
            step([&] {
                if (i + 1 > DataSet::GroupSize.at(g))
                    throw std::out_of_range("channel");
                data.ChannelName(g, i + 1) = rightTrimmed(boxes.at(i)->text());
            });
    }
}

} // namespace zoz
