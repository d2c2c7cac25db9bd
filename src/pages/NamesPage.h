#pragma once

#include "app/PageCopy.h"
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
    // Name box `index` (from 1) of a group as the page shows it: the box's text and tool tip, or
    // for an unbuilt page what its last refresh (from `held`, if any) would have put there.
    NameBox nameBox(int group, int index, const DataStore* held) const;

    QList<QGroupBox*> fraContainerPart; // 01..05 at 0..4
    QList<QList<QLabel*>> lblPart;      // lblPart01..05 at 0..4
    QList<QLineEdit*> txtInputDigital;
    QList<QLineEdit*> txtInputAnalog;
    QList<QLineEdit*> txtInputAdat;
    QList<QLineEdit*> txtInputExtMon;
    QList<QLineEdit*> txtOutputSummen;

private:
    QString boxToolTip(int group, int index) const;

    QList<QLineEdit*> m_empty;
};

} // namespace zoz
