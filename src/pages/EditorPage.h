#pragma once

#include "pages/DataPage.h"

class QComboBox;
class QGroupBox;

namespace zoz {

// frmTabStripData06: control mode, the machine-source matrix (12 sources by 5 machine rows),
// frame rate and channel mode.
class EditorPage : public DataPage {
    Q_OBJECT
public:
    EditorPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    QList<QGroupBox*> fraContainerPart; // 01..04 at 0..3
    QList<ValueCheckBox*> chkControl;
    QGroupBox* fraMachSourceRowHdr;
    QGroupBox* fraMachSourceColHdr;
    QGroupBox* fraMachSource04;
    QList<QLabel*> lblMaschine;
    QList<QLabel*> lblSource;
    // chkMachSource01..12 at 0..11, row k at index k.
    QList<QList<ValueCheckBox*>> chkMachSource;
    QList<QLabel*> lblPart03, lblPart04;
    QComboBox* cmbFrames;
    QComboBox* cmbChannels;
};

} // namespace zoz
