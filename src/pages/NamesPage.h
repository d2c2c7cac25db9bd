#pragma once

#include "pages/DataPage.h"

class QGroupBox;

namespace zoz {

// frmTabStripData02: the names of all 40 channels, the vocabulary of the Layer and Monitor pages.
class NamesPage : public DataPage {
    Q_OBJECT
public:
    NamesPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    // The name boxes of ChannelRef group 1..5 (digital, analog, Adat, ext. monitor, bus).
    const QList<QLineEdit*>& group(int group) const;

    QList<QGroupBox*> fraContainerPart; // 01..05 at 0..4
    QList<QList<QLabel*>> lblPart;      // lblPart01..05 at 0..4
    QList<QLineEdit*> txtInputDigital;
    QList<QLineEdit*> txtInputAnalog;
    QList<QLineEdit*> txtInputAdat;
    QList<QLineEdit*> txtInputExtMon;
    QList<QLineEdit*> txtOutputSummen;

private:
    QList<QLineEdit*> m_empty;
};

} // namespace zoz
