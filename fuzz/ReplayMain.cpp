// Runs a fuzz target over the files given on the command line and every file in the folders
// given, without the fuzzing engine: the ordinary test suite replays the seeds and every input
// that once failed this way.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QFile::decodeName(argv[i]);
        if (!QFileInfo::exists(arg))
            continue; // no failing input kept for this target
        QStringList files{arg};
        if (QFileInfo(arg).isDir()) {
            files.clear();
            for (QDirIterator it(arg, QDir::Files); it.hasNext();)
                files << it.next();
            files.sort();
        }
        for (const QString& name : files) {
            QFile f(name);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
                return 2;
            }
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
