// Runs a fuzz target over the files of its seed folders once, without libFuzzer: the plain and
// sanitizer suites check every seed (and every crash kept as one) on each run.
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char* argv[])
{
    // Found before the target may change the current directory.
    QStringList seedFiles;
    for (int argument = 1; argument < argc; ++argument) {
        QDirIterator seeds(QString::fromLocal8Bit(argv[argument]), QDir::Files);
        while (seeds.hasNext())
            seedFiles.append(QFileInfo(seeds.next()).absoluteFilePath());
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    for (const QString& path : seedFiles) {
        QFile seed(path);
        if (!seed.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray bytes = seed.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
    }
    std::printf("%lld inputs passed\n", static_cast<long long>(seedFiles.size()));
    return seedFiles.isEmpty() ? 1 : 0;
}
