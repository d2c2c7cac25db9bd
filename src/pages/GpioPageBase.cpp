#include "pages/GpioPageBase.h"

#include "settings/Switches.h"
#include "widgets/AssignBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace zoz {

GpioPageBase::GpioPageBase(int number, const QString& designCaption, const QString& sectionPrefix,
                           int inputs, int outputs, bool sideBySide, const Texts& texts,
                           const Switches& switches, QWidget* parent)
    : DataPage(number, designCaption, sectionPrefix, texts, switches, parent), m_inputs(inputs),
      m_outputs(outputs), m_sideBySide(sideBySide) {}

void GpioPageBase::buildRows() {
    const int inputs = m_inputs;
    const int outputs = m_outputs;
    const bool sideBySide = m_sideBySide;
    fraContainerPart01 = makeFrame(QStringLiteral("fraContainerPart01"), QStringLiteral("Part01"));
    fraContainerPart02 = makeFrame(QStringLiteral("fraContainerPart02"), QStringLiteral("Part02"));

    struct Side {
        QGroupBox* frame;
        const char* label;
        const char* key;
        const char* info;
        const char* pic;
        int rows;
        QList<QLabel*>* labels;
        QList<AssignBox*>* keys;
        QList<QLineEdit*>* infos;
        QList<QToolButton*>* pics;
    };
    const Side sides[2] = {{fraContainerPart01, "lblPart01", "txtInput", "txtInputInfo", "picIn",
                            inputs, &lblPart01, &txtInput, &txtInputInfo, &picIn},
                           {fraContainerPart02, "lblPart02", "txtOutput", "txtOutputInfo", "picOut",
                            outputs, &lblPart02, &txtOutput, &txtOutputInfo, &picOut}};
    for (int listNo = 0; listNo < 2; ++listNo) {
        const Side& side = sides[listNo];
        auto* grid = new QGridLayout(side.frame);
        grid->setVerticalSpacing(3);
        grid->setHorizontalSpacing(4);
        for (int i = 0; i < side.rows; ++i) {
            QLabel* label = makeLabel(QString::fromLatin1(side.label), i, QString());
            label->setMinimumWidth(84);
            AssignBox* key = makeAssignBox(QString::fromLatin1(side.key), i);
            key->setFixedWidth(40);
            key->setAlignment(Qt::AlignRight);
            QLineEdit* info = makeTextBox(QString::fromLatin1(side.info), i, true);
            info->setMinimumWidth(sideBySide ? 110 : 240);
            QToolButton* button = makeDropDown(QString::fromLatin1(side.pic), i);
            side.labels->append(label);
            side.keys->append(key);
            side.infos->append(info);
            side.pics->append(button);
            grid->addWidget(label, i, 0);
            grid->addWidget(key, i, 1);
            grid->addWidget(info, i, 2);
            grid->addWidget(button, i, 3);
            connect(key, &AssignBox::clicked, this,
                    [this, listNo, i] { emit rowClicked(listNo, i); });
            connect(button, &QToolButton::clicked, this,
                    [this, listNo, i] { emit rowClicked(listNo, i); });
        }
        grid->setColumnStretch(2, 1);
    }
    if (sideBySide) {
        auto* pair = new QHBoxLayout;
        pair->addWidget(fraContainerPart01, 1);
        pair->addWidget(fraContainerPart02, 1);
        m_rootLayout->addLayout(pair);
    } else {
        m_rootLayout->addWidget(fraContainerPart01);
        m_rootLayout->addWidget(fraContainerPart02);
    }
}

void GpioPageBase::loadRowTexts() {
    const QList<QLabel*>* labels[2] = {&lblPart01, &lblPart02};
    const QList<AssignBox*>* keys[2] = {&txtInput, &txtOutput};
    const QList<QLineEdit*>* infos[2] = {&txtInputInfo, &txtOutputInfo};
    QGroupBox* frames[2] = {fraContainerPart01, fraContainerPart02};
    for (int f = 0; f < 2; ++f) {
        const QString part = QStringLiteral("Part") + nn(f + 1);
        loadFrameTexts(frames[f], f + 1, part);
        for (int m = 1; m <= labels[f]->size(); ++m) {
            const QString key = part + QStringLiteral(".Label") + nn(m);
            (*labels[f])[m - 1]->setText(text(key, key));
            const QString tip = text(part + QStringLiteral(".ToolTip") + nn(m), QString());
            (*labels[f])[m - 1]->setToolTip(tip);
            (*keys[f])[m - 1]->setToolTip(tip);
            (*infos[f])[m - 1]->setToolTip(tip);
        }
    }
}

void GpioPageBase::clearRows() {
    const QList<AssignBox*>* keys[2] = {&txtInput, &txtOutput};
    const QList<QLineEdit*>* infos[2] = {&txtInputInfo, &txtOutputInfo};
    const QList<QToolButton*>* pics[2] = {&picIn, &picOut};
    for (int f = 0; f < 2; ++f) {
        for (int i = 0; i < keys[f]->size(); ++i) {
            (*keys[f])[i]->setText(QStringLiteral("0"));
            (*infos[f])[i]->setText(m_switches.NotDefinedText);
            (*keys[f])[i]->setTag(QString());
        }
        applyDropDownLook(*pics[f]);
    }
}

} // namespace zoz
