#include "widgets/XPLook.h"

#include <QGroupBox>

namespace zoz {

void XPLook::applyTo(QWidget* root) {
    QList<QGroupBox*> frames = root->findChildren<QGroupBox*>();
    for (QGroupBox* box : std::as_const(frames)) {
        if (!box->title().trimmed().isEmpty()) {
            box->setTitle(box->title().leftJustified(150, QLatin1Char(' ')));
            QFont font = box->font();
            font.setPointSize(10);
            font.setBold(false);
            box->setFont(font);
        }
        if (box->objectName().compare(QLatin1String("fraTab"), Qt::CaseInsensitive) == 0) {
            box->setTitle(QString());
            box->setFlat(true);
        }
    }
}

} // namespace zoz
