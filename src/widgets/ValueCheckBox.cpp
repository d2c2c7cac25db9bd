#include "widgets/ValueCheckBox.h"

namespace zoz {

ValueCheckBox::ValueCheckBox(const QString& arrayName, int index, const QString& caption,
                             QWidget* parent)
    : QCheckBox(caption, parent), m_arrayName(arrayName), m_index(index) {
    setObjectName(arrayName + QLatin1Char('_') + QString::number(index));
    connect(this, &QCheckBox::stateChanged, this, [this](int) { emit valueChanged(this); });
}

int ValueCheckBox::value() const {
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void ValueCheckBox::setValue(int value) {
    if (value == 0)
        setCheckState(Qt::Unchecked);
    else if (value == 1)
        setCheckState(Qt::Checked);
    else if (value == 2)
        setCheckState(Qt::PartiallyChecked);
}

void ValueCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

} // namespace zoz
