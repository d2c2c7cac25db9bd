#include "support/DataHarness.h"

namespace zoz::test {

const QStringList DataHarness::InputKeys{"1", "5", "7", "300", "1000", "32767"};
const QStringList DataHarness::OutputKeys{"2", "300", "12", "4095", "77"};

static QByteArray settingsFile() {
    QByteArray ini = "[Main]\r\nLanguage=GER\r\n[GPIO_Input_Data_GER]\r\n";
    for (const QString& key : DataHarness::InputKeys)
        ini += key.toLatin1() + "=In " + key.toLatin1() + "\r\n";
    ini += "[GPIO_Output_Data_GER]\r\n";
    for (const QString& key : DataHarness::OutputKeys)
        ini += key.toLatin1() + "=Out " + key.toLatin1() + "\r\n";
    ini += "[Messages_GER]\r\nBlankNames_Replaced=Leerer Name bei & ersetzt\r\n"
           "Interpret_HexData_Err=Fehler & beim Dekodieren\r\n"
           "WriteToDisk_Err=Fehler & beim Schreiben von &\r\nFileNotFound=& nicht gefunden\r\n"
           "ReadingData_Err=& nicht lesbar\r\nWritingFile=Schreibe &\r\nReadingFile=Lese &\r\n"
           "Preparing_DataExchange=Daten werden vorbereitet\r\n";
    return ini;
}

DataHarness::DataHarness()
    : texts(dir.filePath(QStringLiteral("zozedud.Ini"))),
      log(dir.path(), QStringLiteral("zozedud"),
          [] { return QDateTime(QDate(2026, 12, 4), QTime(9, 0)); }),
      dataFile(store, switches, texts, log, ui, ui, ui), configFile(dataFile, texts, log, ui),
      encoder(store, switches, texts, log, ui),
      decoder(store, switches, texts, log, ui, ui, configFile.decoderFiles()) {
    switches.ProgramFolder = dir.path();
    switches.ProgramName = QStringLiteral("zozedud");
    switches.IniFileName = path(QStringLiteral("zozedud.Ini"));
    switches.HexFileName = path(QStringLiteral("zozedud.HEX"));
    switches.DefaultDataFile = path(QStringLiteral("Default.Dat"));
    switches.Language = QStringLiteral("GER");
    writeFile(switches.IniFileName, settingsFile());
    texts.setLanguage(QStringLiteral("GER"));
    log.setFileName(path(QStringLiteral("zozedud.Log")));
    store.LoadGPIOLists(switches);
}

DataSet DataHarness::randomDataSet(QRandomGenerator& random, const DataSet& like) const {
    DataSet d = like;
    const auto upTo = [&random](int n) { return static_cast<int>(random.bounded(n)); };
    for (int g = 1; g <= DataSet::GroupCount; ++g)
        for (int i = 1; i <= DataSet::GroupSize[g]; ++i)
            for (char& c : d.ChannelName(g, i).bytes)
                c = static_cast<char>(upTo(256));
    const auto fill = [](auto& list, const auto& value) {
        for (size_t i = 1; i < list.size(); ++i)
            list[i] = static_cast<std::remove_reference_t<decltype(list[i])>>(value());
    };
    const auto channel = [&] {
        const int g = upTo(6);
        return g == 0 ? 0 : g * 100 + upTo(DataSet::GroupSize[g]);
    };
    const auto bit = [&] { return upTo(2); };
    // A list item code (99 + position) or 0.
    const auto code = [&upTo](const QStringList& keys) {
        const int k = upTo(static_cast<int>(keys.size()) + 1);
        return k == 0 ? 0 : 99 + k;
    };
    const auto option = [&](auto& group) {
        group = {};
        group[1 + upTo(static_cast<int>(group.size()) - 1)] = 1;
    };
    for (auto* layer : {&d.Layer.LayerA, &d.Layer.LayerB, &d.Layer.LayerC, &d.Layer.LayerD})
        fill(*layer, channel);
    option(d.Monitor.MonMode);
    d.Monitor.MonVolume = static_cast<qint16>(upTo(46) - 1);
    d.Monitor.MonKanal = static_cast<qint16>(upTo(15) - 1);
    option(d.Monitor.MonAbgriff);
    option(d.Monitor.Peakmeter);
    fill(d.Monitor.ExtMon, channel);
    fill(d.GPIO.GPIOInput, [&] { return code(InputKeys); });
    fill(d.GPIO.GPIOOutput, [&] { return code(OutputKeys); });
    option(d.Editor.Control);
    for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
        fill(d.Editor.MachSource(s), bit);
    d.Editor.Frames = static_cast<qint16>(bit());
    d.Editor.Channels = static_cast<qint16>(bit());
    fill(d.SnapShot.SnapShotSwitch1, bit);
    fill(d.SnapShot.SnapShotSwitch2, bit);
    d.SnapShot.StartUpConf = static_cast<qint16>(upTo(9));
    fill(d.FBox.FBoxInput, [&] { return code(InputKeys); });
    fill(d.FBox.FBoxOutput, [&] { return code(OutputKeys); });
    return d;
}

} // namespace zoz::test
