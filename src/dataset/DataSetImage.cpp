#include "dataset/DataSetImage.h"

#include <cstring>

namespace zoz {

namespace {

// One walker for both directions keeps the field order in a single place.
template <bool Writing> class Walker {
public:
    using Bytes = std::conditional_t<Writing, QByteArray, const QByteArray>;
    explicit Walker(Bytes& bytes) : m_bytes(bytes) {}

    template <int N> void text(std::conditional_t<Writing, const FixedText<N>, FixedText<N>>& t) {
        if constexpr (Writing)
            m_bytes.append(t.bytes.data(), N);
        else
            std::memcpy(t.bytes.data(), m_bytes.constData() + m_pos, N);
        m_pos += N;
    }

    void integer(std::conditional_t<Writing, const qint16, qint16>& v) {
        if constexpr (Writing) {
            const auto u = static_cast<quint16>(v);
            m_bytes.append(static_cast<char>(u & 0xFF));
            m_bytes.append(static_cast<char>(u >> 8));
        } else {
            const auto lo = static_cast<quint8>(m_bytes.at(m_pos));
            const auto hi = static_cast<quint8>(m_bytes.at(m_pos + 1));
            v = static_cast<qint16>(static_cast<quint16>(lo | (hi << 8)));
        }
        m_pos += 2;
    }

    void byte(std::conditional_t<Writing, const quint8, quint8>& v) {
        if constexpr (Writing)
            m_bytes.append(static_cast<char>(v));
        else
            v = static_cast<quint8>(m_bytes.at(m_pos));
        m_pos += 1;
    }

    // Arrays of the form 1..n skip the unused slot 0; name arrays (first = 0) do not.
    template <typename Array> void texts(Array& a, int first) {
        for (size_t i = first; i < a.size(); ++i)
            text<std::decay_t<decltype(a[i])>::Size>(a[i]);
    }
    template <typename Array> void integers(Array& a) {
        for (size_t i = 1; i < a.size(); ++i)
            integer(a[i]);
    }
    template <typename Array> void bytes(Array& a) {
        for (size_t i = 1; i < a.size(); ++i)
            byte(a[i]);
    }

private:
    Bytes& m_bytes;
    int m_pos = 0;
};

template <bool Writing, typename Record> void walk(Walker<Writing>& w, Record& d) {
    w.texts(d.Name.InputDigitalName, 0);
    w.texts(d.Name.InputAnalogName, 0);
    w.texts(d.Name.InputAdatName, 0);
    w.texts(d.Name.InputExtMonName, 0);
    w.texts(d.Name.OutputSummenName, 0);

    w.integers(d.Layer.LayerA);
    w.integers(d.Layer.LayerB);
    w.integers(d.Layer.LayerC);
    w.integers(d.Layer.LayerD);

    w.integers(d.Monitor.MonMode);
    w.integer(d.Monitor.MonVolume);
    w.integer(d.Monitor.MonKanal);
    w.integers(d.Monitor.MonAbgriff);
    w.integers(d.Monitor.Peakmeter);
    w.integers(d.Monitor.ExtMon);

    w.integers(d.GPIO.GPIOInput);
    w.integers(d.GPIO.GPIOOutput);

    w.integers(d.Editor.Control);
    for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
        w.bytes(d.Editor.MachSource(s));
    w.integer(d.Editor.Frames);
    w.integer(d.Editor.Channels);

    w.integers(d.SnapShot.SnapShotSwitch1);
    w.integers(d.SnapShot.SnapShotSwitch2);
    w.texts(d.SnapShot.SnapShotFile, 1);
    w.template text<255>(d.SnapShot.SnapShotGroupFile);
    w.integer(d.SnapShot.StartUpConf);

    w.integers(d.FBox.FBoxInput);
    w.integers(d.FBox.FBoxOutput);
}

} // namespace

QByteArray DataSetImage::Write(const DataSet& dataSet) {
    QByteArray image;
    image.reserve(Size);
    Walker<true> w(image);
    walk(w, dataSet);
    Q_ASSERT(image.size() == Size);
    return image;
}

bool DataSetImage::Read(const QByteArray& image, DataSet& dataSet) {
    if (image.size() < Size)
        return false;
    Walker<false> w(image);
    walk(w, dataSet);
    return true;
}

} // namespace zoz
