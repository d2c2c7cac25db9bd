// make-default-data: writes the shipped default data file, the editor's factory state with a name
// for every one of the 40 channels. Usage: make-default-data <file>
#include "dataset/DataSet.h"
#include "dataset/DataSetImage.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-default-data <file>\n");
        return 2;
    }
    zoz::DataSet data;
    const char* const prefixes[] = {nullptr, "Digi ", "Analog ", "ADAT ", "ExtMon ", "Bus "};
    for (int group = 1; group <= zoz::DataSet::GroupCount; ++group)
        for (int i = 1; i <= zoz::DataSet::GroupSize[group]; ++i)
            data.ChannelName(group, i) = QString::fromLatin1(prefixes[group]) + QString::number(i);
    // The machine sources as the editor starts: REC, A, B, C, D, C, B, A, REC, A, B, C.
    static constexpr int zigZag[zoz::EditorRecord::MachSourceCount] = {1, 2, 3, 4, 5, 4,
                                                                       3, 2, 1, 2, 3, 4};
    for (int s = 1; s <= zoz::EditorRecord::MachSourceCount; ++s)
        data.Editor.MachSource(s)[zigZag[s - 1]] = 1;
    // The pages always keep one member of each option group: the first, as a fresh editor shows.
    data.Monitor.MonMode[1] = 1;
    data.Monitor.MonAbgriff[1] = 1;
    data.Monitor.Peakmeter[1] = 1;
    data.Editor.Control[1] = 1;

    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray image = zoz::DataSetImage::Write(data);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
        std::fprintf(stderr, "make-default-data: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
