#include "dataset/DataSetJson.h"

#include "base/CodePage.h"
#include "dataset/FieldCatalog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

namespace zoz {

namespace {

const QStringList kGroupWords{QString(),
                              QStringLiteral("digital"),
                              QStringLiteral("analog"),
                              QStringLiteral("adat"),
                              QStringLiteral("extmon"),
                              QStringLiteral("bus")};

QString on() {
    return QStringLiteral("on");
}
QString off() {
    return QStringLiteral("off");
}

// A value as compact JSON text, for writing the fields in page order (QJsonObject sorts keys).
QByteArray compact(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// Thrown with the description of a bad value; the caller adds the field's key.
struct BadValue {
    QString why;
};

int wholeNumber(const QJsonValue& v, int minimum, int maximum) {
    if (!v.isDouble())
        throw BadValue{QStringLiteral("a number expected")};
    const double d = v.toDouble();
    if (d != std::floor(d))
        throw BadValue{QStringLiteral("%1 is not a whole number").arg(d)};
    if (d < minimum || d > maximum)
        throw BadValue{
            QStringLiteral("%1 is out of range %2..%3").arg(d).arg(minimum).arg(maximum)};
    return int(d);
}

QJsonValue member(const QJsonObject& o, const char* name) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (v.isUndefined())
        throw BadValue{QStringLiteral("\"%1\" missing").arg(QLatin1String(name))};
    return v;
}

QString textOf(const QJsonValue& v, int length) {
    if (!v.isString())
        throw BadValue{QStringLiteral("a text expected")};
    const QString s = v.toString();
    if (s.size() > length)
        throw BadValue{QStringLiteral("longer than %1 characters").arg(length)};
    for (const QChar c : s)
        if (!CodePage::canEncode(c))
            throw BadValue{QStringLiteral("character U+%1 is not in Windows-1252")
                               .arg(QString::number(c.unicode(), 16)
                                        .toUpper()
                                        .rightJustified(4, QLatin1Char('0')))};
    return s;
}

} // namespace

QByteArray DataSetJson::write(const DataSet& set) const {
    const FieldCatalog& c = m_catalog;
    QByteArray out = "{\n  \"format\": " + compact(QString::fromLatin1(Format)) +
                     ",\n  \"version\": " + QByteArray::number(Version) + ",\n  \"fields\": {";
    for (int f = 0; f < c.fields().size(); ++f) {
        const FieldRef& ref = c.fields().at(f);
        const int n = c.number(set, f);
        QJsonValue value;
        switch (ref.kind) {
        case FieldKind::Name:
        case FieldKind::FileName: {
            // The fill after the text is blanks (a plain text) or code 0 (noted as such).
            const QString all = c.text(set, f);
            const QChar fill = all.isEmpty() ? QChar(' ') : all.back();
            qsizetype end = all.size();
            while (end > 0 && all.at(end - 1) == fill)
                --end;
            if (fill == QLatin1Char(' '))
                value = all.left(end);
            else if (fill == QChar(0))
                value = QJsonObject{{QStringLiteral("text"), all.left(end)},
                                    {QStringLiteral("fill"), QStringLiteral("nul")}};
            else
                value = all;
            break;
        }
        case FieldKind::Channel: {
            if (n == 0)
                break;
            const int group = n / 100;
            QJsonObject o{{QStringLiteral("number"), n % 100 + 1}};
            if (group >= 1 && group < kGroupWords.size()) {
                o.insert(QStringLiteral("group"), kGroupWords.at(group));
                if (n % 100 >= 0 && n % 100 < DataSet::GroupSize[group])
                    o.insert(
                        QStringLiteral("name"),
                        set.ChannelName(group, n % 100 + 1).trimmedRight().section(QChar(0), 0, 0));
            } else {
                o.insert(QStringLiteral("group"), group);
            }
            value = o;
            break;
        }
        case FieldKind::GpioInput:
        case FieldKind::GpioOutput: {
            if (n == 0)
                break;
            QString key, text;
            if (c.gpioEntry(ref.kind == FieldKind::GpioInput ? 0 : 1, n, key, text) &&
                c.gpioCode(ref.kind == FieldKind::GpioInput ? 0 : 1, key) == n)
                value = QJsonObject{{QStringLiteral("key"), key}, {QStringLiteral("text"), text}};
            else
                value = QJsonObject{{QStringLiteral("code"), n}};
            break;
        }
        case FieldKind::Option:
        case FieldKind::Flag:
        case FieldKind::Switch:
            value = QJsonObject{{QStringLiteral("label"), ref.item},
                                {QStringLiteral("value"), n == 0   ? QJsonValue(off())
                                                          : n == 1 ? QJsonValue(on())
                                                                   : QJsonValue(n)}};
            break;
        case FieldKind::List:
            value = QJsonObject{{QStringLiteral("value"), n},
                                {QStringLiteral("text"), c.valueText(set, f)}};
            break;
        }
        out += (f == 0 ? "\n    " : ",\n    ") + compact(ref.key) + ": " + compact(value);
    }
    return out + "\n  }\n}\n";
}

bool DataSetJson::read(const QByteArray& json, DataSet& set, QString& error) const {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull()) {
        error = QStringLiteral("not JSON: %1 at offset %2")
                    .arg(parseError.errorString())
                    .arg(parseError.offset);
        return false;
    }
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(Format) ||
        root.value(QStringLiteral("version")).toInt() != Version ||
        !root.value(QStringLiteral("fields")).isObject()) {
        error =
            QStringLiteral("not a text form of a data set (\"format\": \"%1\", \"version\": %2)")
                .arg(QLatin1String(Format))
                .arg(Version);
        return false;
    }
    const QJsonObject fields = root.value(QStringLiteral("fields")).toObject();
    const FieldCatalog& c = m_catalog;
    DataSet result = set;
    QSet<QString> known;
    for (int f = 0; f < c.fields().size(); ++f) {
        const FieldRef& ref = c.fields().at(f);
        known.insert(ref.key);
        try {
            const QJsonValue v = fields.value(ref.key);
            if (v.isUndefined())
                throw BadValue{QStringLiteral("missing")};
            switch (ref.kind) {
            case FieldKind::Name:
            case FieldKind::FileName: {
                if (v.isObject()) {
                    const QJsonObject o = v.toObject();
                    if (member(o, "fill").toString() != QLatin1String("nul"))
                        throw BadValue{QStringLiteral("\"fill\" must be \"nul\"")};
                    const QString t = textOf(member(o, "text"), ref.length);
                    c.setText(f, result, t + QString(ref.length - t.size(), QChar(0)));
                } else {
                    c.setText(f, result, textOf(v, ref.length));
                }
                break;
            }
            case FieldKind::Channel: {
                if (v.isNull()) {
                    c.setNumber(f, result, 0);
                    break;
                }
                if (!v.isObject())
                    throw BadValue{QStringLiteral("a channel (group, number) or null expected")};
                const QJsonObject o = v.toObject();
                const QJsonValue g = member(o, "group");
                int group = 0;
                if (g.isString()) {
                    group = int(kGroupWords.indexOf(g.toString().toLower()));
                    if (group < 1)
                        throw BadValue{
                            QStringLiteral("unknown group \"%1\" (digital, analog, adat, "
                                           "extmon, bus)")
                                .arg(g.toString())};
                } else {
                    group = wholeNumber(g, -328, 328);
                }
                const int number = wholeNumber(member(o, "number"), -98, 100);
                const qint64 code = qint64(group) * 100 + number - 1;
                if (code < ref.minimum || code > ref.maximum)
                    throw BadValue{QStringLiteral("channel code %1 is out of range").arg(code)};
                c.setNumber(f, result, int(code));
                break;
            }
            case FieldKind::GpioInput:
            case FieldKind::GpioOutput: {
                if (v.isNull()) {
                    c.setNumber(f, result, 0);
                    break;
                }
                if (!v.isObject())
                    throw BadValue{QStringLiteral("a function (key) or null expected")};
                const QJsonObject o = v.toObject();
                const int listNo = ref.kind == FieldKind::GpioInput ? 0 : 1;
                if (o.contains(QStringLiteral("key"))) {
                    const QJsonValue key = o.value(QStringLiteral("key"));
                    const QString keyText =
                        key.isDouble() ? QString::number(key.toDouble()) : key.toString();
                    const int code = c.gpioCode(listNo, keyText);
                    if (code == 0)
                        throw BadValue{QStringLiteral("no function with key \"%1\" in the %2 list")
                                           .arg(keyText, listNo == 0 ? QStringLiteral("input")
                                                                     : QStringLiteral("output"))};
                    c.setNumber(f, result, code);
                } else {
                    c.setNumber(f, result,
                                wholeNumber(member(o, "code"), ref.minimum, ref.maximum));
                }
                break;
            }
            case FieldKind::Option:
            case FieldKind::Flag:
            case FieldKind::Switch: {
                const QJsonValue value = v.isObject() ? member(v.toObject(), "value") : v;
                if (value.isString() && value.toString() == on())
                    c.setNumber(f, result, 1);
                else if (value.isString() && value.toString() == off())
                    c.setNumber(f, result, 0);
                else if (value.isString())
                    throw BadValue{QStringLiteral("\"on\", \"off\" or a number expected")};
                else
                    c.setNumber(f, result, wholeNumber(value, ref.minimum, ref.maximum));
                break;
            }
            case FieldKind::List: {
                const QJsonValue value = v.isObject() ? member(v.toObject(), "value") : v;
                c.setNumber(f, result, wholeNumber(value, ref.minimum, ref.maximum));
                break;
            }
            }
        } catch (const BadValue& bad) {
            error = ref.key + QStringLiteral(": ") + bad.why;
            return false;
        }
    }
    for (auto it = fields.begin(); it != fields.end(); ++it)
        if (!known.contains(it.key())) {
            error = it.key() + QStringLiteral(": no such field");
            return false;
        }
    set = result;
    return true;
}

} // namespace zoz
