#pragma once

#include "pages/DataPage.h"

class QGroupBox;

namespace zoz {

// frmTabStripData03: four layers A..D by six channel pairs; each cell holds a ChannelRef.
class LayerPage : public DataPage {
    Q_OBJECT
public:
    LayerPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    QGroupBox* fraChannelLayer01;
    QGroupBox* fraChannelLayer02;
    QGroupBox* fraChannelLayer03;
    QList<QLabel*> lblLayer;
    QList<QLabel*> lblLeft;
    // txtInputA..D at column 0..3, row = index.
    QList<QList<AssignBox*>> txtInput;
    QList<QList<QToolButton*>> pic;

signals:
    void cellClicked(zoz::AssignBox* cell, int row);
};

} // namespace zoz
