#include "pages/LayerPage.h"

#include "dataset/DataStore.h"
#include "pages/DataPages.h"

#include "pages/TagNumber.h"
#include "widgets/AssignBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace zoz {

namespace {
constexpr int kRowHeight = 30;
const char* const kRows[6] = {"1 / 2", "3 / 4", "5 / 6", "7 / 8", "9 / 10", "11 / 12"};
} // namespace

LayerPage::LayerPage(const Texts& texts, const Switches& switches, QWidget* parent)
    : DataPage(3, QStringLiteral("layer"), QStringLiteral("TabStrip_Layer_"), texts, switches,
               parent) {}

void LayerPage::build() {
    // A blank caption gives the grid the same top margin as the captioned row headings.
    fraChannelLayer01 = makeFrame(QStringLiteral("fraChannelLayer01"), QStringLiteral(" "));
    fraChannelLayer02 = makeFrame(QStringLiteral("fraChannelLayer02"), QStringLiteral("Layer"));
    fraChannelLayer03 = makeFrame(QStringLiteral("fraChannelLayer03"), QStringLiteral("Channel"));

    auto* headings = new QHBoxLayout(fraChannelLayer02);
    for (int c = 0; c < 4; ++c) {
        QLabel* label = makeLabel(QStringLiteral("lblLayer"), c, QString(QChar('A' + c)));
        label->setAlignment(Qt::AlignCenter);
        lblLayer.append(label);
        headings->addWidget(label, 1);
    }
    auto* rows = new QVBoxLayout(fraChannelLayer03);
    rows->setSpacing(0);
    auto* grid = new QGridLayout(fraChannelLayer01);
    grid->setVerticalSpacing(0);
    grid->setHorizontalSpacing(2);
    for (int c = 0; c < 4; ++c) {
        txtInput.append(QList<AssignBox*>());
        pic.append(QList<QToolButton*>());
    }
    for (int r = 0; r < 6; ++r) {
        QLabel* left = makeLabel(QStringLiteral("lblLeft"), r, QString::fromLatin1(kRows[r]));
        left->setFixedHeight(kRowHeight);
        left->setAlignment(Qt::AlignVCenter | Qt::AlignHCenter);
        lblLeft.append(left);
        rows->addWidget(left);
        for (int c = 0; c < 4; ++c) {
            const QString letter(QChar('A' + c));
            AssignBox* cell = makeAssignBox(QStringLiteral("txtInput") + letter, r);
            cell->setFixedHeight(kRowHeight - 6);
            cell->setMinimumWidth(90);
            QToolButton* button = makeDropDown(QStringLiteral("pic") + letter, r);
            button->setFixedWidth(18);
            txtInput[c].append(cell);
            showsField(QStringLiteral("layer.%1[%2]").arg(letter).arg(r + 1), cell);
            pic[c].append(button);
            auto* pair = new QHBoxLayout;
            pair->setSpacing(1);
            pair->addWidget(cell, 1);
            pair->addWidget(button);
            auto* holder = new QWidget(fraChannelLayer01);
            holder->setFixedHeight(kRowHeight);
            pair->setContentsMargins(0, 0, 3, 0);
            holder->setLayout(pair);
            grid->addWidget(holder, r, c);
            connect(cell, &AssignBox::clicked, this,
                    [this, cell, r] { emit cellClicked(cell, r); });
            connect(button, &QToolButton::clicked, this,
                    [this, cell, r] { emit cellClicked(cell, r); });
        }
    }
    for (int c = 0; c < 4; ++c)
        grid->setColumnStretch(c, 1);

    // Headings above the grid, row headings to its left; the grid's frame carries no caption so
    // that its rows line up with the row headings.
    auto* layout = new QGridLayout;
    layout->setHorizontalSpacing(4);
    layout->addWidget(fraChannelLayer02, 0, 1);
    layout->addWidget(fraChannelLayer03, 1, 0);
    layout->addWidget(fraChannelLayer01, 1, 1);
    layout->setColumnStretch(1, 1);
    fraChannelLayer03->setMinimumWidth(56);
    m_rootLayout->addLayout(layout);
}

void LayerPage::LoadTexts() {
    fraChannelLayer02->setTitle(text(QStringLiteral("Row.Caption"), QStringLiteral("Row.Caption")));
    const QString rowTip = text(QStringLiteral("Row.ToolTip"), QString());
    fraChannelLayer02->setToolTip(rowTip);
    for (QLabel* label : lblLayer)
        label->setToolTip(rowTip);
    fraChannelLayer03->setTitle(text(QStringLiteral("Col.Caption"), QStringLiteral("Col.Caption")));
    const QString colTip = text(QStringLiteral("Col.ToolTip"), QString());
    fraChannelLayer03->setToolTip(colTip);
    for (QLabel* label : lblLeft)
        label->setToolTip(colTip);
    const QString dropTip = text(QStringLiteral("DropDown.ToolTip"), QString());
    QList<QToolButton*> buttons;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 6; ++r)
            txtInput[c][r]->setToolTip(dropTip);
        buttons += pic[c];
    }
    applyDropDownLook(buttons);
}

// Row by row, columns A..D.
void LayerPage::Refresh(DataStore& store, DataPages& pages) {
    DataSet& data = store.DataSet;
    const std::array<qint16, 7>* layers[4] = {&data.Layer.LayerA, &data.Layer.LayerB,
                                              &data.Layer.LayerC, &data.Layer.LayerD};
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 4; ++c) {
            step([&] {
                AssignBox* cell = at(at(txtInput, c), r);
                cell->setTag(QString::number(layers[c]->at(r + 1)));
            });
            step([&] {
                AssignBox* cell = at(at(txtInput, c), r);
                pages.ShowChannelName(cell, toInteger(TagNumber::of(cell->tag())));
            });
        }
    }
}

void LayerPage::TakeOver(DataStore& store, DataPages&) {
    DataSet& data = store.DataSet;
    std::array<qint16, 7>* layers[4] = {&data.Layer.LayerA, &data.Layer.LayerB, &data.Layer.LayerC,
                                        &data.Layer.LayerD};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c)
            step([&] {
                layers[c]->at(r + 1) = toInteger(TagNumber::of(at(at(txtInput, c), r)->tag()));
            });
}

} // namespace zoz
