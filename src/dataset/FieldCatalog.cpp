#include "dataset/FieldCatalog.h"

#include "app/Texts.h"
#include "dataset/DataStore.h"
#include "dataset/PageLists.h"
#include "dataset/PageTexts.h"

#include <limits>

namespace zoz {

namespace {

QString nn(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString indexed(const char* stem, int i) {
    return QString::fromLatin1(stem) + QLatin1Char('[') + QString::number(i) + QLatin1Char(']');
}

constexpr int kIntMin = std::numeric_limits<qint16>::min();
constexpr int kIntMax = std::numeric_limits<qint16>::max();

FieldRef numberRef(FieldKind kind) {
    FieldRef ref;
    ref.kind = kind;
    ref.minimum = kIntMin;
    ref.maximum = kIntMax;
    return ref;
}

} // namespace

void FieldCatalog::add(FieldRef ref, Access access) {
    m_fields.append(std::move(ref));
    m_access.append(std::move(access));
}

FieldCatalog::FieldCatalog(const Texts& texts, const DataStore& store) {
    m_notDefined = texts.message(QStringLiteral("NotDefined"), QStringLiteral("not defined"));
    m_on = texts.message(QStringLiteral("Field_On"), QStringLiteral("on"));
    m_off = texts.message(QStringLiteral("Field_Off"), QStringLiteral("off"));
    const QString switchWord =
        texts.message(QStringLiteral("Field_Switch"), QStringLiteral("Switch"));
    const QString fileWord = texts.message(QStringLiteral("Field_File"), QStringLiteral("File"));
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

    // Names: element 0 of each array is stored but shown by no box.
    {
        const PageTexts t(texts, "Name");
        const QString page = t(QStringLiteral("Caption"), QStringLiteral("Names"));
        struct Group {
            const char* key;
            const char* box;
            const char* caption;
            const char* item;
        };
        const Group groups[5] = {
            {"names.digital", "txtInputDigital", "Digital inputs", "Digital input"},
            {"names.analog", "txtInputAnalog", "Analog inputs", "Analog input"},
            {"names.adat", "txtInputAdat", "ADAT inputs", "ADAT input"},
            {"names.extmon", "txtInputExtMon", "External monitor inputs", "Ext. monitor input"},
            {"names.bus", "txtOutputSummen", "Sums (bus)", "Bus"}};
        for (int g = 1; g <= DataSet::GroupCount; ++g) {
            const Group& def = groups[g - 1];
            const QString part = QStringLiteral("Part") + nn(g);
            const QString caption =
                t(part + QStringLiteral(".Caption"), QString::fromLatin1(def.caption));
            for (int i = 0; i <= DataSet::GroupSize[g]; ++i) {
                FieldRef ref;
                ref.key = indexed(def.key, i);
                ref.page = page;
                ref.group = caption;
                const QString fallback =
                    QString::fromLatin1(def.item) + QLatin1Char(' ') + QString::number(i);
                // Element 0 has no box: it is named by its group in the page's language.
                ref.item = i == 0 ? caption + QStringLiteral(" [0]")
                                  : t(part + QStringLiteral(".ToolTip") + nn(i), fallback);
                ref.control = i == 0 ? QString()
                                     : QString::fromLatin1(def.box) + QLatin1Char('_') +
                                           QString::number(i - 1);
                ref.kind = FieldKind::Name;
                ref.length = NameText::Size;
                add(ref, FieldAccess::text<NameText::Size>(
                             [g, i](DataSet& s) -> NameText& { return s.ChannelName(g, i); }));
            }
        }
    }

    // Layer: row by row as the page copies them, columns A..D.
    {
        const PageTexts t(texts, "Layer");
        const QString page = t(QStringLiteral("Caption"), QStringLiteral("Layer"));
        const QString layerWord = t(QStringLiteral("Row.Caption"), QStringLiteral("Layer"));
        const QString channelWord = t(QStringLiteral("Col.Caption"), QStringLiteral("Channel"));
        using Column = std::array<qint16, 7> LayerRecord::*;
        const Column columns[4] = {&LayerRecord::LayerA, &LayerRecord::LayerB, &LayerRecord::LayerC,
                                   &LayerRecord::LayerD};
        for (int r = 1; r <= 6; ++r)
            for (int c = 0; c < 4; ++c) {
                const QChar letter(QLatin1Char(char('A' + c)));
                FieldRef ref = numberRef(FieldKind::Channel);
                ref.key = QStringLiteral("layer.") + letter + QLatin1Char('[') +
                          QString::number(r) + QLatin1Char(']');
                ref.page = page;
                ref.group = layerWord + QLatin1Char(' ') + letter;
                ref.item = channelWord + QStringLiteral(" %1 / %2").arg(2 * r - 1).arg(2 * r);
                ref.control =
                    QStringLiteral("txtInput") + letter + QLatin1Char('_') + QString::number(r - 1);
                const Column column = columns[c];
                add(ref, FieldAccess::int16(
                             [column, r](DataSet& s) -> qint16& { return (s.Layer.*column)[r]; }));
            }
    }

    // Monitor.
    {
        const PageTexts t(texts, "Monitor");
        const QString page = t(QStringLiteral("Caption"), QStringLiteral("Monitor"));
        auto options = [&](const char* stem, const char* control, int part, int label,
                           std::function<qint16&(DataSet&, int)> field, int count,
                           const QStringList& builtIn) {
            const QString p = QStringLiteral("Part") + nn(part);
            const QString group = t(p + QStringLiteral(".Caption"), p);
            const QString labelText = t(p + QStringLiteral(".Label") + nn(label), QString());
            for (int i = 1; i <= count; ++i) {
                FieldRef ref = numberRef(FieldKind::Option);
                ref.key = indexed(stem, i);
                ref.page = page;
                ref.group = group;
                const QString option =
                    t(p + QStringLiteral(".Opt") + nn(i) + QStringLiteral(".Caption"),
                      builtIn.at(i - 1));
                ref.item = labelText.isEmpty() ? option : labelText + QStringLiteral(": ") + option;
                ref.control =
                    QString::fromLatin1(control) + QLatin1Char('_') + QString::number(i - 1);
                add(ref,
                    FieldAccess::int16([field, i](DataSet& s) -> qint16& { return field(s, i); }));
            }
        };
        options("monitor.mode", "chkMonMode", 1, 1,
                [](DataSet& s, int i) -> qint16& { return s.Monitor.MonMode[i]; }, 4,
                {QStringLiteral("Stereo"), QStringLiteral("Mono"), QStringLiteral("LL"),
                 QStringLiteral("RR")});
        const QString part01 = t(QStringLiteral("Part01.Caption"), QStringLiteral("Monitor"));
        QStringList volumes = PageLists::MonitorVolumes();
        volumes[0] = texts.message(QStringLiteral("MonitorOff"), volumes[0]);
        const struct {
            const char* key;
            const char* control;
            int label;
            const char* builtIn;
            qint16 MonitorRecord::*member;
            QStringList choices;
        } lists[2] = {
            {"monitor.volume", "cmbVolume", 2, "Volume", &MonitorRecord::MonVolume, volumes},
            {"monitor.channel", "cmbKanal", 3, "Channel", &MonitorRecord::MonKanal,
             PageLists::MonitorChannels()}};
        for (const auto& list : lists) {
            FieldRef ref = numberRef(FieldKind::List);
            ref.key = QString::fromLatin1(list.key);
            ref.page = page;
            ref.group = part01;
            ref.item = t(QStringLiteral("Part01.Label") + nn(list.label),
                         QString::fromLatin1(list.builtIn));
            ref.control = QString::fromLatin1(list.control);
            ref.choices = list.choices;
            const auto member = list.member;
            add(ref,
                FieldAccess::int16([member](DataSet& s) -> qint16& { return s.Monitor.*member; }));
        }
        options("monitor.tap", "chkMonAbgriff", 2, 1,
                [](DataSet& s, int i) -> qint16& { return s.Monitor.MonAbgriff[i]; }, 3,
                {QStringLiteral("MON"), QStringLiteral("PF"), QStringLiteral("AF")});
        options("monitor.peakmeter", "chkPeakmeter", 3, 1,
                [](DataSet& s, int i) -> qint16& { return s.Monitor.Peakmeter[i]; }, 2,
                {QStringLiteral("4 channels"), QStringLiteral("2 x 2 channels")});
        const QString part04 =
            t(QStringLiteral("Part04.Caption"), QStringLiteral("External monitor keys"));
        for (int k = 1; k <= 4; ++k) {
            FieldRef ref = numberRef(FieldKind::Channel);
            ref.key = indexed("monitor.extmon", k);
            ref.page = page;
            ref.group = part04;
            ref.item = t(QStringLiteral("Part04.Label") + nn(k), QStringLiteral("Key %1").arg(k));
            ref.control = QStringLiteral("txtExtMon_") + QString::number(k - 1);
            add(ref,
                FieldAccess::int16([k](DataSet& s) -> qint16& { return s.Monitor.ExtMon[k]; }));
        }
    }

    // GPIO and FBox share their row pattern.
    auto gpioRows = [&](const char* pageName, const char* stem,
                        std::function<qint16&(DataSet&, int, int)> field, int inputs, int outputs) {
        const PageTexts t(texts, pageName);
        const QString page = t(QStringLiteral("Caption"), QString::fromLatin1(pageName));
        const int counts[2] = {inputs, outputs};
        const char* const sides[2] = {"input", "output"};
        const char* const controls[2] = {"txtInput_", "txtOutput_"};
        const char* const builtIn[2] = {"Input %1", "Output %1"};
        for (int side = 0; side < 2; ++side) {
            const QString p = QStringLiteral("Part") + nn(side + 1);
            const QString group = t(p + QStringLiteral(".Caption"), p);
            for (int i = 1; i <= counts[side]; ++i) {
                FieldRef ref = numberRef(side == 0 ? FieldKind::GpioInput : FieldKind::GpioOutput);
                ref.key = QString::fromLatin1(stem) + QLatin1Char('.') + indexed(sides[side], i);
                ref.page = page;
                ref.group = group;
                ref.item = t(p + QStringLiteral(".Label") + nn(i),
                             QString::fromLatin1(builtIn[side]).arg(i));
                ref.control = QString::fromLatin1(controls[side]) + QString::number(i - 1);
                add(ref, FieldAccess::int16([field, side, i](DataSet& s) -> qint16& {
                        return field(s, side, i);
                    }));
            }
        }
    };
    gpioRows(
        "GPIO", "gpio",
        [](DataSet& s, int side, int i) -> qint16& {
            return side == 0 ? s.GPIO.GPIOInput[i] : s.GPIO.GPIOOutput[i];
        },
        4, 16);

    // Editor.
    {
        const PageTexts t(texts, "Editor");
        const QString page = t(QStringLiteral("Caption"), QStringLiteral("Editor"));
        const QString part01 = t(QStringLiteral("Part01.Caption"), QStringLiteral("Control"));
        const char* const controls[3] = {"MIDI", "ESAM", "VCA"};
        for (int i = 1; i <= 3; ++i) {
            FieldRef ref = numberRef(FieldKind::Option);
            ref.key = indexed("editor.control", i);
            ref.page = page;
            ref.group = part01;
            ref.item = t(QStringLiteral("Part01.Opt") + nn(i) + QStringLiteral(".Caption"),
                         QString::fromLatin1(controls[i - 1]));
            ref.control = QStringLiteral("chkControl_") + QString::number(i - 1);
            add(ref,
                FieldAccess::int16([i](DataSet& s) -> qint16& { return s.Editor.Control[i]; }));
        }
        const QString part02 =
            t(QStringLiteral("Part02.Caption"), QStringLiteral("Machine sources"));
        const QString sourceWord =
            t(QStringLiteral("Part02.Col.Caption"), QStringLiteral("Source"));
        const char* const machines[5] = {"REC", "A", "B", "C", "D"};
        for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
            for (int k = 1; k <= 5; ++k) {
                FieldRef ref;
                ref.kind = FieldKind::Flag;
                ref.minimum = 0;
                ref.maximum = 255;
                ref.key = QStringLiteral("editor.source[%1].%2")
                              .arg(s)
                              .arg(QString::fromLatin1(machines[k - 1]).toLower());
                ref.page = page;
                ref.group = part02;
                ref.item = sourceWord + QLatin1Char(' ') + nn(s) + QLatin1Char(' ') +
                           QString::fromLatin1(machines[k - 1]);
                ref.control = QStringLiteral("chkMachSource") + nn(s) + QLatin1Char('_') +
                              QString::number(k - 1);
                add(ref, FieldAccess::byte(
                             [s, k](DataSet& d) -> quint8& { return d.Editor.MachSource(s)[k]; }));
            }
        FieldRef frames = numberRef(FieldKind::List);
        frames.key = QStringLiteral("editor.frames");
        frames.page = page;
        frames.group = t(QStringLiteral("Part03.Caption"), QStringLiteral("Time code"));
        frames.item = t(QStringLiteral("Part03.Label01"), QStringLiteral("Frame rate"));
        frames.control = QStringLiteral("cmbFrames");
        for (int rate : PageLists::FrameRates())
            frames.choices.append(QStringLiteral("%1 frames").arg(rate));
        add(frames, FieldAccess::int16([](DataSet& s) -> qint16& { return s.Editor.Frames; }));
        FieldRef channels = numberRef(FieldKind::List);
        channels.key = QStringLiteral("editor.channels");
        channels.page = page;
        channels.group = t(QStringLiteral("Part04.Caption"), QStringLiteral("Channels"));
        channels.item = t(QStringLiteral("Part04.Label01"), QStringLiteral("Mode"));
        channels.control = QStringLiteral("cmbChannels");
        channels.choices = {
            texts.message(QStringLiteral("TwoChannels"), QStringLiteral("Two channels")),
            texts.message(QStringLiteral("FourChannels"), QStringLiteral("Four channels"))};
        add(channels, FieldAccess::int16([](DataSet& s) -> qint16& { return s.Editor.Channels; }));
    }

    // SnapShot.
    {
        const PageTexts t(texts, "SnapShot");
        const QString page = t(QStringLiteral("Caption"), QStringLiteral("SnapShot"));
        const QString part01 =
            t(QStringLiteral("Part01.Caption"), QStringLiteral("Configurations"));
        QStringList configs;
        for (int i = 1; i <= 8; ++i)
            configs.append(
                t(QStringLiteral("Part01.Label") + nn(i), QStringLiteral("Config %1").arg(i)));
        for (int w = 1; w <= 2; ++w)
            for (int i = 1; i <= 8; ++i) {
                FieldRef ref = numberRef(FieldKind::Switch);
                ref.key = QStringLiteral("snapshot.switch%1[%2]").arg(w).arg(i);
                ref.page = page;
                ref.group = part01;
                ref.item = configs.at(i - 1) + QLatin1Char(' ') + switchWord + QLatin1Char(' ') +
                           QString::number(w);
                ref.control = QStringLiteral("ToolbarPart01_%1/Button%2").arg(i - 1).arg(w);
                add(ref, FieldAccess::int16([w, i](DataSet& s) -> qint16& {
                        return w == 1 ? s.SnapShot.SnapShotSwitch1[i]
                                      : s.SnapShot.SnapShotSwitch2[i];
                    }));
            }
        for (int i = 1; i <= 8; ++i) {
            FieldRef ref;
            ref.kind = FieldKind::FileName;
            ref.length = FileText::Size;
            ref.key = indexed("snapshot.file", i);
            ref.page = page;
            ref.group = part01;
            ref.item = configs.at(i - 1) + QLatin1Char(' ') + fileWord;
            ref.control = QStringLiteral("txtInfoPart01_") + QString::number(i - 1);
            add(ref, FieldAccess::text<FileText::Size>(
                         [i](DataSet& s) -> FileText& { return s.SnapShot.SnapShotFile[i]; }));
        }
        FieldRef groupFile;
        groupFile.kind = FieldKind::FileName;
        groupFile.length = FileText::Size;
        groupFile.key = QStringLiteral("snapshot.groupfile");
        groupFile.page = page;
        groupFile.group = t(QStringLiteral("Part02.Caption"), QStringLiteral("Group"));
        groupFile.item = t(QStringLiteral("Part02.Label01"), QStringLiteral("All 8"));
        groupFile.control = QStringLiteral("txtInfoPart02_0");
        add(groupFile, FieldAccess::text<FileText::Size>(
                           [](DataSet& s) -> FileText& { return s.SnapShot.SnapShotGroupFile; }));
        FieldRef startUp = numberRef(FieldKind::List);
        startUp.key = QStringLiteral("snapshot.startup");
        startUp.page = page;
        startUp.group = t(QStringLiteral("Part03.Caption"), QStringLiteral("Start-up"));
        startUp.item =
            t(QStringLiteral("Part03.Label01"), QStringLiteral("Start-up configuration"));
        startUp.control = QStringLiteral("cmbStartUpConf");
        startUp.choices = QStringList{texts.message(QStringLiteral("StartUpConf_Temp"),
                                                    QStringLiteral("temporary"))} +
                          configs;
        add(startUp,
            FieldAccess::int16([](DataSet& s) -> qint16& { return s.SnapShot.StartUpConf; }));
    }

    gpioRows(
        "FBox", "fbox",
        [](DataSet& s, int side, int i) -> qint16& {
            return side == 0 ? s.FBox.FBoxInput[i] : s.FBox.FBoxOutput[i];
        },
        9, 9);
    // Kept for the whole run: the lists' growth room would be held with them.
    m_fields.squeeze();
    m_access.squeeze();
}

int FieldCatalog::indexOf(const QString& key) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).key == key)
            return i;
    return -1;
}

QString FieldCatalog::text(const DataSet& set, int field) const {
    const Access& a = m_access.at(field);
    return a.getText ? a.getText(set) : QString();
}

void FieldCatalog::setText(int field, DataSet& set, const QString& value) const {
    const Access& a = m_access.at(field);
    if (a.setText)
        a.setText(set, value);
}

int FieldCatalog::number(const DataSet& set, int field) const {
    const Access& a = m_access.at(field);
    return a.getNumber ? a.getNumber(set) : 0;
}

void FieldCatalog::setNumber(int field, DataSet& set, int value) const {
    const Access& a = m_access.at(field);
    if (a.setNumber)
        a.setNumber(set, value);
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
    if (access.getText)
        return access.getText(a) == access.getText(b);
    return access.getNumber(a) == access.getNumber(b);
}

void FieldCatalog::copyField(int field, const DataSet& from, DataSet& to) const {
    const Access& access = m_access.at(field);
    if (access.getText) {
        // Byte for byte: the text round-trips through the code page unchanged.
        access.setText(to, access.getText(from));
        return;
    }
    access.setNumber(to, access.getNumber(from));
}

QList<int> FieldCatalog::differences(const DataSet& a, const DataSet& b) const {
    QList<int> result;
    for (int i = 0; i < m_fields.size(); ++i)
        if (!equal(a, b, i))
            result.append(i);
    return result;
}

} // namespace zoz
