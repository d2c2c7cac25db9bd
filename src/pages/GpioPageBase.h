#pragma once

#include "dataset/DataStore.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "pages/TagNumber.h"
#include "widgets/AssignBox.h"

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

    // The two frames and their rows (the page's build).
    void buildRows();
    // Steps 1 to 3 of LoadTexts: frame captions, row labels and tool tips.
    void loadRowTexts();
    // Step 5: every row shows "0" and NotDefinedText (ShowGpioItem with code 0), drop-down look.
    void clearRows();

    // The rows' part of the mapping, shared by both pages: the Tag, then the function's key and
    // description (refresh); the Tag back (take over). The arrays are record arrays from 1.
    template <typename In, typename Out>
    void refreshRows(DataPages& pages, const DataStore& store, const In& inputs,
                     const Out& outputs) {
        for (int i = 0; i < txtInput.size(); ++i) {
            step([&] { at(txtInput, i)->setTag(QString::number(inputs.at(i + 1))); });
            step([&] {
                pages.ShowGpioItem(at(txtInput, i), at(txtInputInfo, i), inputs.at(i + 1),
                                   store.lstData.at(0));
            });
        }
        for (int i = 0; i < txtOutput.size(); ++i) {
            step([&] { at(txtOutput, i)->setTag(QString::number(outputs.at(i + 1))); });
            step([&] {
                pages.ShowGpioItem(at(txtOutput, i), at(txtOutputInfo, i), outputs.at(i + 1),
                                   store.lstData.at(1));
            });
        }
    }
    template <typename In, typename Out> void takeOverRows(In& inputs, Out& outputs) {
        for (int i = 0; i < txtInput.size(); ++i)
            step([&] { inputs.at(i + 1) = toInteger(TagNumber::of(at(txtInput, i)->tag())); });
        for (int i = 0; i < txtOutput.size(); ++i)
            step([&] { outputs.at(i + 1) = toInteger(TagNumber::of(at(txtOutput, i)->tag())); });
    }

private:
    int m_inputs;
    int m_outputs;
    bool m_sideBySide;
};

} // namespace zoz
