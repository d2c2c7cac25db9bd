#include "app/FormPosition.h"

#include "app/IniFile.h"
#include "app/UserInterface.h"

#include <QRegularExpression>
#include <QtMath>
#include <cmath>

namespace zoz {

namespace {

constexpr int kTwipsPerPixel = 15;

int twipsToPixels(int twips) {
    return qRound(static_cast<double>(twips) / kTwipsPerPixel);
}

} // namespace

int LeadingInt16(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0;
    const double value = std::trunc(match.captured(1).toDouble());
    return static_cast<int>(qBound(-32768.0, value, 32767.0));
}

void RestoreFormPosition(UserInterface& ui, const QString& fileName, const QString& section,
                         const QString& prefix, IniCache* cache) {
    const auto read = [&](const char* suffix) {
        const QString value =
            GetIniValue(fileName, section, prefix + QLatin1String(suffix), {}, cache);
        return value.isEmpty() ? 0 : LeadingInt16(value);
    };
    const int x = read("X");
    const int y = read("Y");
    const int h = read("H");
    FormGeometry geometry = ui.mainGeometry();
    geometry.left = twipsToPixels(qMax(x, 0));
    geometry.top = twipsToPixels(qMax(y, 0));
    geometry.height = twipsToPixels(h);
    ui.setMainGeometry(geometry);
}

void SaveFormPosition(const UserInterface& ui, const QString& fileName, const QString& section,
                      const QString& prefix, IniCache* cache) {
    const FormGeometry geometry = ui.mainGeometry();
    if (!geometry.normalState)
        return;
    SetIniValue(fileName, section, prefix + QLatin1Char('X'),
                QString::number(geometry.left * kTwipsPerPixel), cache);
    SetIniValue(fileName, section, prefix + QLatin1Char('Y'),
                QString::number(geometry.top * kTwipsPerPixel), cache);
    SetIniValue(fileName, section, prefix + QLatin1Char('H'),
                QString::number(geometry.height * kTwipsPerPixel), cache);
}

} // namespace zoz
