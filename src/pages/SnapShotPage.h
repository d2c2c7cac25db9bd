#pragma once

#include "pages/DataPage.h"

class QComboBox;
class QGroupBox;
class QToolBar;

namespace zoz {

// frmTabStripData07: eight snapshot rows (two switches, the configuration file, request and
// send) and the group row; the start-up configuration.
class SnapShotPage : public DataPage {
    Q_OBJECT
public:
    SnapShotPage(const Texts& texts, const Switches& switches, QWidget* parent = nullptr);
    void LoadTexts() override;
    void Refresh(DataStore& store, DataPages& pages) override;
    void TakeOver(DataStore& store, DataPages& pages) override;

protected:
    void build() override;

public:
    // Button b (1..5) of a toolbar.
    static QToolButton* button(QToolBar* toolbar, int b);
    // Switch buttons show image 1/2 (button 1) or 3/4 (button 2) and the ON/OFF tool tip of
    // their Tag.
    void UpdateSnapShotButtons();
    // The integer part of the numeric value of "0" + the button's Tag.
    static int switchValue(const QToolButton* button);
    // 1..4, the image a switch button shows now (0 before the first update).
    static int imageOf(const QToolButton* button);

    QList<QGroupBox*> fraContainerPart; // 01..03 at 0..2
    QList<QLabel*> lblPart01;
    QList<QToolBar*> ToolbarPart01;
    QList<QLineEdit*> txtInfoPart01;
    QList<QLabel*> lblPart02;
    QList<QToolBar*> ToolbarPart02;
    QList<QLineEdit*> txtInfoPart02;
    QList<QLabel*> lblPart03;
    QComboBox* cmbStartUpConf;

    // Read once by LoadTexts, used by UpdateSnapShotButtons.
    QString Button01ToolTipOn, Button01ToolTipOff, Button02ToolTipOn, Button02ToolTipOff;

signals:
    // configuration 1..8, or 0 for the group of all eight.
    void requestConfiguration(int configuration);
    void sendConfiguration(int configuration);

private:
    QToolBar* makeToolbar(const QString& arrayName, int index, bool withSwitches);
    void toggleSwitch(QToolButton* button);
};

} // namespace zoz
