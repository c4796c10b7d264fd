// Any file through the test file loader and back: storing what was loaded writes the same bytes,
// with every line end (CR, LF or CR LF) made CR LF and a last line without one given one.
#include "fuzzsupport.h"

#include "graph/testfile.h"

#include <QFile>

namespace {

QByteArray WithCrLfLineEnds(QByteArray bytes)
{
    bytes.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes += "\r\n";
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterScratchStartDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    WriteScratchFile(QStringLiteral("loaded.dat"), bytes);

    StoreTestFile(QStringLiteral("stored.dat"), LoadTestFile(QStringLiteral("loaded.dat")));
    QFile stored(QStringLiteral("stored.dat"));
    FuzzCheck(stored.open(QIODevice::ReadOnly), "the stored file exists");
    FuzzCheck(stored.readAll() == WithCrLfLineEnds(bytes), "a loaded file stores back unchanged");
    return 0;
}
