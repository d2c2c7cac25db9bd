#pragma once

#include "pages/DataPage.h"

class QComboBox;
class QGroupBox;

namespace zoz {

// frmTabStripData04: the monitor section (mode, volume, channel, tap point, peak meter and the
// four external monitor keys).
class MonitorPage : public DataPage {
    Q_OBJECT
public:
    MonitorPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    // The 45 volume texts and the 14 channel texts as the design holds them.
    static QStringList volumeItems();
    static QStringList kanalItems();

    QList<QGroupBox*> fraContainerPart; // 01..04 at 0..3
    QList<QLabel*> lblPart01, lblPart02, lblPart03, lblPart04;
    QList<ValueCheckBox*> chkMonMode;
    QComboBox* cmbVolume;
    QComboBox* cmbKanal;
    QList<ValueCheckBox*> chkMonAbgriff;
    QList<ValueCheckBox*> chkPeakmeter;
    QList<AssignBox*> txtExtMon;
    QList<QToolButton*> pic;

signals:
    void extMonClicked(int index);
};

} // namespace zoz
