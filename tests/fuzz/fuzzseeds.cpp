// Runs a fuzz target over the files of its seed folders once, without libFuzzer: the plain and
// sanitizer suites check every seed (and every crash kept as one) on each run.
#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char* argv[])
{
    // Found before the target may change the current directory.
    QFileInfoList seeds;
    for (int argument = 1; argument < argc; ++argument) {
        QDir folder(QString::fromLocal8Bit(argv[argument]));
        folder.makeAbsolute();
        seeds += folder.entryInfoList(QDir::Files);
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    for (const QFileInfo& seed : seeds) {
        QFile file(seed.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
    }
    std::printf("%lld inputs passed\n", static_cast<long long>(seeds.size()));
    return seeds.isEmpty() ? 1 : 0;
}
