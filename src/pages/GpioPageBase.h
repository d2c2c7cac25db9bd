#pragma once

#include "pages/DataPage.h"

class QGroupBox;

namespace zoz {

// What the GPIO and FBox pages share: an inputs frame and an outputs frame whose rows show the
// key and the description of an assigned GPIO function, with a drop-down button each.
class GpioPageBase : public DataPage {
    Q_OBJECT
public:
    QGroupBox* fraContainerPart01;
    QGroupBox* fraContainerPart02;
    QList<QLabel*> lblPart01, lblPart02;
    QList<AssignBox*> txtInput, txtOutput;
    QList<QLineEdit*> txtInputInfo, txtOutputInfo;
    QList<QToolButton*> picIn, picOut;

signals:
    // listNo 0 inputs, 1 outputs.
    void rowClicked(int listNo, int index);

protected:
    GpioPageBase(int number, const QString& designCaption, const QString& sectionPrefix, int inputs,
                 int outputs, bool sideBySide, const Texts& texts, const Switches& switches,
                 QWidget* parent);

    // Steps 1 to 3 of LoadTexts: frame captions, row labels and tool tips.
    void loadRowTexts();
    // Step 5: every row shows "0" and NotDefinedText (ShowGpioItem with code 0), drop-down look.
    void clearRows();
};

} // namespace zoz
