#include "dataset/FieldCatalog.h"

#include "dataset/DataStore.h"
#include "dataset/PageLists.h"
#include "dataset/PageTexts.h"
#include "settings/Texts.h"

namespace zoz {

namespace {

QString nn(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A key or text key of the table: "%1" the index, "%2" the column, "%3" the column in lower case.
QString fill(const char* pattern, const QString& index, const QString& column = QString()) {
    QString s = QString::fromLatin1(pattern);
    s.replace(QLatin1String("%1"), index);
    s.replace(QLatin1String("%2"), column);
    s.replace(QLatin1String("%3"), column.toLower());
    return s;
}

} // namespace

FieldCatalog::FieldCatalog(const Texts& texts, const DataStore& store) {
    m_notDefined = texts.message(QStringLiteral("NotDefined"), QStringLiteral("not defined"));
    m_on = texts.message(QStringLiteral("Field_On"), QStringLiteral("on"));
    m_off = texts.message(QStringLiteral("Field_Off"), QStringLiteral("off"));
    m_switchWord = texts.message(QStringLiteral("Field_Switch"), QStringLiteral("Switch"));
    m_fileWord = texts.message(QStringLiteral("Field_File"), QStringLiteral("File"));
    for (int k = 0; k < 2; ++k) {
        m_gpioKeys.append(QStringList());
        m_gpioTexts.append(QStringList());
        m_gpioCodes.append(QList<int>());
        for (const GpioListEntry& entry : store.lstData[k]) {
            const qsizetype bar = entry.text.indexOf(QLatin1Char('|'));
            m_gpioKeys[k].append(entry.text.left(bar < 0 ? entry.text.size() : bar).trimmed());
            m_gpioTexts[k].append(bar < 0 ? QString() : entry.text.mid(bar + 1).trimmed());
            m_gpioCodes[k].append(entry.itemData);
        }
    }
    for (const FieldRow& row : fieldTable())
        addRow(row, texts);
    // Kept for the whole run: the lists' growth room would be held with them.
    m_fields.squeeze();
    m_access.squeeze();
}

void FieldCatalog::addRow(const FieldRow& row, const Texts& texts) {
    const PageTexts t(texts, row.page);
    const QString page = t(QStringLiteral("Caption"), QString::fromLatin1(row.caption));
    const QString group = t(QString::fromLatin1(row.group), QString::fromLatin1(row.groupDefault));
    // The item text of index n.
    auto itemText = [&](int n) {
        return t(fill(row.item, nn(n)), fill(row.itemDefault, QString::number(n)));
    };
    const QStringList builtIn = QString::fromLatin1(row.itemDefault).split(QLatin1Char('|'));
    const QString prefix = row.prefix ? t(QString::fromLatin1(row.prefix), QString()) : QString();
    const QStringList columns =
        row.columns ? QString::fromLatin1(row.columns).split(QLatin1Char('|')) : QStringList{{}};
    const QStringList choiceList = choices(row.choices, texts);
    for (int i = row.first; i <= row.last; ++i)
        for (int c = 0; c < columns.size(); ++c) {
            const QString column = columns.at(c);
            FieldRef ref;
            ref.key = fill(row.key, QString::number(i), column);
            ref.page = page;
            ref.group = group;
            ref.kind = row.kind;
            switch (row.label) {
            case FieldLabel::Text:
                ref.item = itemText(i);
                break;
            case FieldLabel::NameBox:
                ref.shown = i != 0;
                ref.item = ref.shown ? itemText(i) : group + QStringLiteral(" [0]");
                break;
            case FieldLabel::Option: {
                const QString option = t(fill(row.item, nn(i)), builtIn.value(i - 1));
                ref.item = prefix.isEmpty() ? option : prefix + QStringLiteral(": ") + option;
                break;
            }
            case FieldLabel::LayerCell:
                ref.group = group + QLatin1Char(' ') + column;
                ref.item = t(QString::fromLatin1(row.item), QString::fromLatin1(row.itemDefault)) +
                           QStringLiteral(" %1 / %2").arg(2 * i - 1).arg(2 * i);
                break;
            case FieldLabel::SourceCell:
                ref.item = t(QString::fromLatin1(row.item), QString::fromLatin1(row.itemDefault)) +
                           QLatin1Char(' ') + nn(i) + QLatin1Char(' ') + column;
                break;
            case FieldLabel::ConfigSwitch:
                ref.item = itemText(c + 1) + QLatin1Char(' ') + m_switchWord + QLatin1Char(' ') +
                           QString::number(i);
                break;
            case FieldLabel::ConfigFile:
                ref.item = itemText(i) + QLatin1Char(' ') + m_fileWord;
                break;
            }
            const FieldAccess access = row.access.at(i, c);
            ref.length = access.length();
            ref.minimum = access.minimum();
            ref.maximum = access.maximum();
            ref.choices = choiceList;
            m_fields.append(ref);
            m_access.append(access);
        }
}

QStringList FieldCatalog::choices(FieldChoices list, const Texts& texts) const {
    switch (list) {
    case FieldChoices::None:
        break;
    case FieldChoices::MonitorVolumes: {
        QStringList volumes = PageLists::MonitorVolumes();
        volumes[0] = texts.message(QStringLiteral("MonitorOff"), volumes[0]);
        return volumes;
    }
    case FieldChoices::MonitorChannels:
        return PageLists::MonitorChannels();
    case FieldChoices::FrameRates: {
        QStringList rates;
        for (int rate : PageLists::FrameRates())
            rates.append(QStringLiteral("%1 frames").arg(rate));
        return rates;
    }
    case FieldChoices::ChannelCounts:
        return {texts.message(QStringLiteral("TwoChannels"), QStringLiteral("Two channels")),
                texts.message(QStringLiteral("FourChannels"), QStringLiteral("Four channels"))};
    case FieldChoices::StartUpConfs: {
        const PageTexts t(texts, "SnapShot");
        QStringList confs{
            texts.message(QStringLiteral("StartUpConf_Temp"), QStringLiteral("temporary"))};
        for (int i = 1; i <= 8; ++i)
            confs.append(
                t(QStringLiteral("Part01.Label") + nn(i), QStringLiteral("Config %1").arg(i)));
        return confs;
    }
    }
    return {};
}

int FieldCatalog::indexOf(const QString& key) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).key == key)
            return i;
    return -1;
}

QString FieldCatalog::text(const DataSet& set, int field) const {
    return m_access.at(field).text(set);
}

void FieldCatalog::setText(int field, DataSet& set, const QString& value) const {
    m_access.at(field).setText(set, value);
}

int FieldCatalog::number(const DataSet& set, int field) const {
    return m_access.at(field).number(set);
}

void FieldCatalog::setNumber(int field, DataSet& set, int value) const {
    m_access.at(field).setNumber(set, value);
}

bool FieldCatalog::gpioEntry(int listNo, int code, QString& key, QString& text) const {
    const qsizetype at = m_gpioCodes.value(listNo).indexOf(code);
    if (at < 0)
        return false;
    key = m_gpioKeys[listNo].at(at);
    text = m_gpioTexts[listNo].at(at);
    return true;
}

int FieldCatalog::gpioCode(int listNo, const QString& key) const {
    const qsizetype at = m_gpioKeys.value(listNo).indexOf(key.trimmed());
    return at < 0 ? 0 : m_gpioCodes[listNo].at(at);
}

QString FieldCatalog::channelLabel(int code) const {
    const int group = code / 100;
    const int k = code % 100;
    if (group < 1 || group > DataSet::GroupCount || k < 0 || k >= DataSet::GroupSize[group])
        return QLatin1Char('#') + QString::number(code);
    // The names page's item of that channel ("ADAT input 3"): the name fields come first, each
    // group from its element 0.
    int nameField = k + 1;
    for (int g = 1; g < group; ++g)
        nameField += DataSet::GroupSize[g] + 1;
    return m_fields.at(nameField).item;
}

QString FieldCatalog::valueText(const DataSet& set, int field) const {
    const FieldRef& ref = m_fields.at(field);
    const int value = number(set, field);
    auto shown = [](const QString& s) {
        const qsizetype nul = s.indexOf(QChar(0));
        QString t = nul < 0 ? s : s.left(nul);
        while (t.endsWith(QLatin1Char(' ')))
            t.chop(1);
        return t;
    };
    switch (ref.kind) {
    case FieldKind::Name:
    case FieldKind::FileName:
        return shown(text(set, field));
    case FieldKind::Channel: {
        if (value == 0)
            return m_notDefined;
        const int group = value / 100;
        const int k = value % 100;
        if (group < 1 || group > DataSet::GroupCount || k < 0 || k >= DataSet::GroupSize[group])
            return channelLabel(value);
        return channelLabel(value) + QStringLiteral(" '") +
               shown(set.ChannelName(group, k + 1).text()) + QLatin1Char('\'');
    }
    case FieldKind::GpioInput:
    case FieldKind::GpioOutput: {
        if (value == 0)
            return m_notDefined;
        QString key, listText;
        if (gpioEntry(ref.kind == FieldKind::GpioInput ? 0 : 1, value, key, listText))
            return key + QLatin1Char(' ') + listText;
        return QLatin1Char('#') + QString::number(value);
    }
    case FieldKind::Option:
    case FieldKind::Flag:
    case FieldKind::Switch:
        if (value == 0)
            return m_off;
        if (value == 1)
            return m_on;
        return QString::number(value);
    case FieldKind::List:
        if (value == -1)
            return m_notDefined;
        if (value >= 0 && value < ref.choices.size())
            return ref.choices.at(value).trimmed();
        return QLatin1Char('#') + QString::number(value);
    }
    return QString();
}

bool FieldCatalog::equal(const DataSet& a, const DataSet& b, int field) const {
    const Access& access = m_access.at(field);
    if (access.isText())
        return access.text(a) == access.text(b);
    return access.number(a) == access.number(b);
}

void FieldCatalog::copyField(int field, const DataSet& from, DataSet& to) const {
    const Access& access = m_access.at(field);
    if (access.isText()) {
        // Byte for byte: the text round-trips through the code page unchanged.
        access.setText(to, access.text(from));
        return;
    }
    access.setNumber(to, access.number(from));
}

QList<int> FieldCatalog::differences(const DataSet& a, const DataSet& b) const {
    QList<int> result;
    for (int i = 0; i < m_fields.size(); ++i)
        if (!equal(a, b, i))
            result.append(i);
    return result;
}

} // namespace zoz
