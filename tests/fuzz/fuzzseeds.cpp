// Runs a fuzz target over the files of its seed folders once, without libFuzzer: the plain and
// sanitizer suites check every seed (and every crash kept as one) on each run.
#include <QByteArray>
#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char* argv[])
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    for (int argument = 1; argument < argc; ++argument) {
        QDirIterator seeds(QString::fromLocal8Bit(argv[argument]), QDir::Files);
        while (seeds.hasNext()) {
            QFile seed(seeds.next());
            if (!seed.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(seed.fileName()));
                return 1;
            }
            const QByteArray bytes = seed.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs passed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
