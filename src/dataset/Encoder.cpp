#include "dataset/Encoder.h"

#include "app/Activity.h"
#include "base/CodePage.h"
#include "dataset/ChannelRef.h"
#include "dataset/DataStore.h"
#include "dataset/HexCodec.h"
#include "dataset/PageLists.h"
#include "log/AppLog.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

#include <QFile>

namespace zoz {

namespace {

const QString SubscriptOutOfRange = QStringLiteral("Subscript out of range");
const QString Overflow = QStringLiteral("Overflow");
const QString TypeMismatch = QStringLiteral("Type mismatch");

// Appends the hex digits of each byte; the failure text stays empty while all goes well.
class PayloadWriter {
public:
    explicit PayloadWriter(QString& payload) : m_payload(payload) {}

    void byte(int value) { m_payload += ByteToHex(static_cast<quint8>(value)); }

    template <int N> void name(const FixedText<N>& text) {
        for (char c : text.bytes)
            byte(static_cast<quint8>(c));
    }

    void channel(int channelRef) { byte(ChannelRef::ToFlat(channelRef)); }

    // The number of the first member that is exactly 1; an empty group is a 0 byte, so that
    // every field after it stays in its place.
    template <typename Array> void option(const Array& group) {
        for (size_t i = 1; i < group.size(); ++i) {
            if (group[i] == 1) {
                byte(static_cast<int>(i));
                return;
            }
        }
        byte(0);
    }

    template <typename Array> void bits(const Array& elements) {
        quint8 value = 0;
        for (size_t i = 1; i < elements.size(); ++i) {
            if (elements[i] == 1)
                SetBit(value, static_cast<int>(i) - 1);
        }
        byte(value);
    }

    QString listNumber(const QVector<int>& list, int index) {
        int number = 0;
        if (!PageLists::NumberAt(list, index, number))
            return SubscriptOutOfRange;
        if (number < 0 || number > 255)
            return Overflow;
        byte(number);
        return {};
    }

    // The item code travels as the key of its list entry; codes without an entry as themselves.
    QString gpio(const QVector<GpioListEntry>& list, qint16 code) {
        int value = code;
        if (code > 0) {
            for (const GpioListEntry& entry : list) {
                if (entry.itemData != code)
                    continue;
                bool whole = false;
                const qlonglong key = SplitList(entry.text).at(0).toLongLong(&whole);
                if (!whole)
                    return TypeMismatch;
                if (key < -32768 || key > 32767)
                    return Overflow;
                value = static_cast<int>(key);
                break;
            }
        }
        byte(HiByte(value));
        byte(LoByte(value));
        return {};
    }

private:
    QString& m_payload;
};

} // namespace

Encoder::Encoder(DataStore& store, const Switches& switches, Texts& texts, AppLog& log,
                 Activity& activity)
    : m_store(store), m_switches(switches), m_texts(texts), m_log(log), m_activity(activity) {}

QString Encoder::Preparing_DataExchange(QString& frame, const QString& code) {
    m_activity.setBusyCursor(true);
    const QString status =
        QStringLiteral("  ") + m_texts.cached(QStringLiteral("Preparing_DataExchange"));
    m_activity.showStatusText(status);
    m_log.WriteLog(status);

    QString payload;
    const int index = BlockCodeToIndex(code);
    if (code == QLatin1String("20")) {
        const QString failure = buildDataSetBlock(payload);
        if (!failure.isEmpty()) {
            frame.clear();
            return failure;
        }
    } else if (index >= 1 && index <= 8) {
        payload = ByteToHex(HexToByte(code)) + StrToHex(m_store.SnapShotData.text());
    } else if (index == 0) {
        payload = QStringLiteral("30");
        for (int j = 1; j <= 8; ++j)
            payload += StrToHex(m_store.SnapShotGroupData[j].text());
    }

    frame = CodePage::toUnicode(0x85) + payload + QLatin1Char('\r');
    if (m_switches.LogHexData)
        writeHexFile(payload);
    m_activity.setBusyCursor(false);
    return {};
}

QString Encoder::buildDataSetBlock(QString& payload) const {
    const DataSet& d = m_store.DataSet;
    const auto& inputs = m_store.lstData[DataStore::GpioInputList];
    const auto& outputs = m_store.lstData[DataStore::GpioOutputList];
    payload.reserve(DataSetBlockSize * 2);
    payload = QStringLiteral("20");
    PayloadWriter w(payload);
    QString failure;

    for (int group = 1; group <= DataSet::GroupCount; ++group) {
        for (int i = 1; i <= DataSet::GroupSize[group]; ++i)
            w.name(d.ChannelName(group, i));
    }
    for (int row = 1; row <= 6; ++row) {
        w.channel(d.Layer.LayerA[row]);
        w.channel(d.Layer.LayerB[row]);
        w.channel(d.Layer.LayerC[row]);
        w.channel(d.Layer.LayerD[row]);
    }
    w.option(d.Monitor.MonMode);
    w.byte(d.Monitor.MonVolume + 1);
    w.byte(d.Monitor.MonKanal + 1);
    w.option(d.Monitor.MonAbgriff);
    w.option(d.Monitor.Peakmeter);
    for (int i = 1; i <= 4; ++i)
        w.channel(d.Monitor.ExtMon[i]);
    for (int i = 1; i <= 4 && failure.isEmpty(); ++i)
        failure = w.gpio(inputs, d.GPIO.GPIOInput[i]);
    for (int i = 1; i <= 16 && failure.isEmpty(); ++i)
        failure = w.gpio(outputs, d.GPIO.GPIOOutput[i]);
    if (!failure.isEmpty())
        return failure;
    w.option(d.Editor.Control);
    for (int row = 1; row <= 5; ++row) {
        quint8 low = 0;
        quint8 high = 0;
        for (int s = 1; s <= 8; ++s) {
            if (d.Editor.MachSource(s)[row] == 1)
                SetBit(low, s - 1);
        }
        for (int s = 9; s <= 12; ++s) {
            if (d.Editor.MachSource(s)[row] == 1)
                SetBit(high, s - 9);
        }
        w.byte(low);
        w.byte(high);
    }
    if (!(failure = w.listNumber(PageLists::FrameRates(), d.Editor.Frames)).isEmpty())
        return failure;
    if (!(failure = w.listNumber(PageLists::ChannelCounts(), d.Editor.Channels)).isEmpty())
        return failure;
    w.bits(d.SnapShot.SnapShotSwitch1);
    w.bits(d.SnapShot.SnapShotSwitch2);
    if (!(failure = w.listNumber(PageLists::StartUpConfs(), d.SnapShot.StartUpConf)).isEmpty())
        return failure;
    for (int i = 1; i <= 9 && failure.isEmpty(); ++i)
        failure = w.gpio(inputs, d.FBox.FBoxInput[i]);
    for (int i = 1; i <= 9 && failure.isEmpty(); ++i)
        failure = w.gpio(outputs, d.FBox.FBoxOutput[i]);
    return failure;
}

// Only the last frame stays: the payload, then three CR LF pairs.
void Encoder::writeHexFile(const QString& payload) const {
    QFile::remove(m_switches.HexFileName);
    QFile file(m_switches.HexFileName);
    if (!file.open(QIODevice::WriteOnly))
        return; // a debugging aid; sending goes on without it
    file.write(payload.toLatin1() + "\r\n\r\n\r\n");
}

} // namespace zoz
