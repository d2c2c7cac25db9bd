#pragma once

#include <QCheckBox>

namespace zoz {

// A check box of a control array with the values 0 (clear), 1 (checked) and 2 (greyed). A click
// moves a checked box to clear and any other state to checked, as the controller's editor always
// did; only the program sets the greyed state.
class ValueCheckBox : public QCheckBox {
    Q_OBJECT
public:
    ValueCheckBox(const QString& arrayName, int index, const QString& caption,
                  QWidget* parent = nullptr);

    const QString& arrayName() const { return m_arrayName; }
    int index() const { return m_index; }

    int value() const;
    void setValue(int value); // anything but 0, 1, 2 is refused like a bad property value

signals:
    // Every change of the value, by the user or by the program.
    void valueChanged(zoz::ValueCheckBox* box);

protected:
    void nextCheckState() override;

private:
    QString m_arrayName;
    int m_index;
};

} // namespace zoz
