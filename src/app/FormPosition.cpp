#include "app/FormPosition.h"

#include "app/Shell.h"
#include "settings/IniFile.h"

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
    // The leading decimal number: blanks, a sign, digits with a point, an exponent. Scanned by
    // hand: a regular expression costs half a megabyte for this one use at start-up.
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto digits = [&] { // ASCII digits only, as \d of a regular expression
        const qsizetype from = i;
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
            ++i;
        return i > from;
    };
    while (i < n && text.at(i).unicode() <= ' ' && QChar::isSpace(text.at(i).unicode()))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    bool mantissa = digits();
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        mantissa = digits() || mantissa;
    }
    if (!mantissa)
        return 0;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        const qsizetype mark = i++;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        if (!digits())
            i = mark; // "3e" or "3e+": the number ends before the e
    }
    const double value = std::trunc(text.mid(start, i - start).toDouble());
    return static_cast<int>(qBound(-32768.0, value, 32767.0));
}

void RestoreFormPosition(Shell& shell, const QString& fileName, const QString& section,
                         const QString& prefix, IniCache* cache) {
    const auto read = [&](const char* suffix) {
        const QString value =
            GetIniValue(fileName, section, prefix + QLatin1String(suffix), {}, cache);
        return value.isEmpty() ? 0 : LeadingInt16(value);
    };
    const int x = read("X");
    const int y = read("Y");
    const int h = read("H");
    FormGeometry geometry = shell.mainGeometry();
    geometry.left = twipsToPixels(qMax(x, 0));
    geometry.top = twipsToPixels(qMax(y, 0));
    geometry.height = twipsToPixels(h);
    shell.setMainGeometry(geometry);
}

void SaveFormPosition(const Shell& shell, const QString& fileName, const QString& section,
                      const QString& prefix, IniCache* cache) {
    const FormGeometry geometry = shell.mainGeometry();
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
