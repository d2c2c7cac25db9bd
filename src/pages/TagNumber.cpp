#include "pages/TagNumber.h"

namespace zoz {

double TagNumber::of(const QString& text) {
    const QString s = QStringLiteral("0") + text;
    QString number;
    bool point = false;
    for (const QChar c : s) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            number.append(c);
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number.append(c);
        } else {
            break;
        }
    }
    return number.toDouble();
}

} // namespace zoz
