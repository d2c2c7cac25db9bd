#include "dataset/Decoder.h"

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "base/CodePage.h"
#include "dataset/ChannelRef.h"
#include "dataset/DataStore.h"
#include "dataset/HexCodec.h"
#include "dataset/PageLists.h"
#include "log/AppLog.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

namespace zoz {

namespace {

// The number a list entry's key starts with, as the controller's tools read it: leading digits
// after an optional sign, 0 when there are none.
long long leadingNumber(const QString& text) {
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    long long value = 0;
    for (; i < text.size() && text.at(i).isDigit() && value < (1LL << 40); ++i)
        value = value * 10 + text.at(i).digitValue();
    return negative ? -value : value;
}

class PayloadReader {
public:
    explicit PayloadReader(const QString& payload) : m_payload(payload) {}

    int byte() {
        const quint8 value = HexToByte(m_payload.mid(m_pos, 2));
        m_pos += 2;
        return value;
    }

    template <int N> void name(FixedText<N>& field) {
        QString text;
        for (int i = 0; i < N; ++i)
            text += CodePage::toUnicode(static_cast<quint8>(byte()));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        field = text;
    }

    qint16 channel() { return static_cast<qint16>(ChannelRef::FromFlat(byte())); }

    // Member v is set and all others cleared; v outside the group clears all.
    template <typename Array> void option(Array& group) {
        const int v = byte();
        for (size_t i = 1; i < group.size(); ++i)
            group[i] = static_cast<int>(i) == v ? 1 : 0;
    }

    template <typename Array> void bits(Array& elements) {
        const auto value = static_cast<quint8>(byte());
        for (size_t i = 1; i < elements.size(); ++i)
            elements[i] = TestBit(value, static_cast<int>(i) - 1) ? 1 : 0;
    }

    // A number that names no entry keeps the field's value.
    void listNumber(const QVector<int>& list, qint16& field) {
        const int index = PageLists::IndexOf(list, byte());
        if (index >= 0)
            field = static_cast<qint16>(index);
    }

    // The key travels high byte first as a 16-bit signed number: from 0x8000 on it cannot be one.
    bool gpio(const QVector<GpioListEntry>& list, qint16& field) {
        const int high = byte();
        const int low = byte();
        if (high >= 0x80)
            return false;
        const int key = high * 256 + low;
        if (key <= 0) {
            field = 0;
            return true;
        }
        for (const GpioListEntry& entry : list) {
            if (leadingNumber(SplitList(entry.text).at(0)) == key) {
                field = static_cast<qint16>(entry.itemData);
                break;
            }
        }
        return true;
    }

private:
    const QString& m_payload;
    int m_pos = 2; // after the block code
};

const QString Overflow = QStringLiteral("Overflow");

} // namespace

Decoder::Decoder(DataStore& store, const Switches& switches, Texts& texts, AppLog& log,
                 Activity& activity, PageCopy& pageCopy, Files files)
    : m_store(store), m_switches(switches), m_texts(texts), m_log(log), m_activity(activity),
      m_pageCopy(pageCopy), m_files(std::move(files)) {
    // Both are part of decoding a received set: without them the decoder would lose data quietly.
    if (!m_files.resetDataSet || !m_files.writeConfigFile)
        qFatal("Decoder: the reset and the configuration file writer must be given");
}

void Decoder::Interpret_HexData(QString& payload) {
    m_activity.setBusyCursor(true);
    const QString code = ByteToHex(HexToByte(payload.left(2)));
    const int index = BlockCodeToIndex(code);
    QString failure;
    if (code == QLatin1String("20"))
        failure = decodeDataSet(payload);
    else if (index == 0)
        decodeGroup(payload);
    else if (index >= 1)
        decodeSingle(payload, index);

    m_lastFailure = failure;
    if (!failure.isEmpty()) {
        QString report = m_texts.message(QStringLiteral("Interpret_HexData_Err"));
        ReplaceParams(report, failure);
        m_log.WriteLog(QStringLiteral("  ") + report);
        m_activity.setBusyCursor(false);
    }
}

QString Decoder::decodeDataSet(const QString& payload) {
    const DataSet before = m_store.DataSet;
    m_files.resetDataSet();

    DataSet& d = m_store.DataSet;
    const auto& inputs = m_store.lstData[DataStore::GpioInputList];
    const auto& outputs = m_store.lstData[DataStore::GpioOutputList];
    PayloadReader r(payload);

    for (int group = 1; group <= DataSet::GroupCount; ++group) {
        for (int i = 1; i <= DataSet::GroupSize[group]; ++i)
            r.name(d.ChannelName(group, i));
    }
    for (int row = 1; row <= 6; ++row) {
        d.Layer.LayerA[row] = r.channel();
        d.Layer.LayerB[row] = r.channel();
        d.Layer.LayerC[row] = r.channel();
        d.Layer.LayerD[row] = r.channel();
    }
    r.option(d.Monitor.MonMode);
    d.Monitor.MonVolume = static_cast<qint16>(r.byte() - 1);
    d.Monitor.MonKanal = static_cast<qint16>(r.byte() - 1);
    r.option(d.Monitor.MonAbgriff);
    r.option(d.Monitor.Peakmeter);
    for (int i = 1; i <= 4; ++i)
        d.Monitor.ExtMon[i] = r.channel();
    for (int i = 1; i <= 4; ++i) {
        if (!r.gpio(inputs, d.GPIO.GPIOInput[i]))
            return Overflow;
    }
    for (int i = 1; i <= 16; ++i) {
        if (!r.gpio(outputs, d.GPIO.GPIOOutput[i]))
            return Overflow;
    }
    r.option(d.Editor.Control);
    for (int row = 1; row <= 5; ++row) {
        for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
            d.Editor.MachSource(s)[row] = 0;
        const auto low = static_cast<quint8>(r.byte());
        for (int s = 1; s <= 8; ++s) {
            if (TestBit(low, s - 1))
                d.Editor.MachSource(s)[row] = 1;
        }
        const auto high = static_cast<quint8>(r.byte());
        for (int s = 9; s <= 12; ++s) {
            if (TestBit(high, s - 9))
                d.Editor.MachSource(s)[row] = 1;
        }
    }
    r.listNumber(PageLists::FrameRates(), d.Editor.Frames);
    r.listNumber(PageLists::ChannelCounts(), d.Editor.Channels);
    r.bits(d.SnapShot.SnapShotSwitch1);
    r.bits(d.SnapShot.SnapShotSwitch2);
    r.listNumber(PageLists::StartUpConfs(), d.SnapShot.StartUpConf);
    for (int i = 1; i <= 9; ++i) {
        if (!r.gpio(inputs, d.FBox.FBoxInput[i]))
            return Overflow;
    }
    for (int i = 1; i <= 9; ++i) {
        if (!r.gpio(outputs, d.FBox.FBoxOutput[i]))
            return Overflow;
    }

    // File names are the editor's own settings, never the controller's.
    d.SnapShot.SnapShotFile = before.SnapShot.SnapShotFile;
    d.SnapShot.SnapShotGroupFile = before.SnapShot.SnapShotGroupFile;
    if (m_decoded)
        m_decoded(d);
    m_pageCopy.refreshPages();
    if (m_switches.InitDone) {
        m_pageCopy.takeOverPages();
        m_store.BlankNames_Replaced(m_pageCopy, m_activity, m_texts, m_log, true);
        m_pageCopy.refreshPages();
    }
    return {};
}

void Decoder::decodeGroup(QString& payload) {
    for (int j = 1; j <= 8; ++j)
        m_store.SnapShotGroupData[j] = QString();
    payload = HexToStr(payload.mid(2));
    for (int j = 1; j <= 8; ++j)
        m_store.SnapShotGroupData[j] = payload.mid((j - 1) * ConfigBlock::Size, ConfigBlock::Size);
    m_pageCopy.takeOverPages();
    QString name = TrimBlanks(m_store.DataSet.SnapShot.SnapShotGroupFile.text());
    writeConfigFile(name, 0, true);
    m_store.DataSet.SnapShot.SnapShotGroupFile = name;
    m_pageCopy.refreshPages();
}

void Decoder::decodeSingle(QString& payload, int index) {
    m_pageCopy.takeOverPages();
    payload = HexToStr(payload.mid(2));
    if (!m_store.GroupReceiveActive) {
        m_store.SnapShotData = payload;
        QString name = TrimBlanks(m_store.DataSet.SnapShot.SnapShotFile[index].text());
        writeConfigFile(name, index, true);
        m_store.DataSet.SnapShot.SnapShotFile[index] = name;
    } else {
        // Blocks fill the group in the order they arrive, whatever their codes say.
        m_store.GroupReceiveCount =
            static_cast<qint16>(qBound(0, m_store.GroupReceiveCount + 1, 8));
        m_store.SnapShotGroupData[m_store.GroupReceiveCount] = payload;
        if (m_store.GroupReceiveCount >= 8) {
            QString name = m_store.GroupReceiveFile;
            writeConfigFile(name, 0, false);
            m_store.GroupReceiveFile.clear();
            m_store.GroupReceiveActive = false;
            m_store.GroupReceiveCount = 0;
        }
    }
    m_pageCopy.refreshPages();
}

void Decoder::writeConfigFile(QString& name, int index, bool askName) {
    m_files.writeConfigFile(name, index, m_store.SnapShotData, m_store.SnapShotGroupData, askName);
}

} // namespace zoz
