#pragma once

#include "serial/seriallibrary.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Ends the run when an expectation does not hold; libFuzzer keeps the input as a crash.
inline void FuzzCheck(bool holds, const char* expectation)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", expectation);
    std::abort();
}

inline QByteArray FuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A temporary start directory with its "errors" folder, current for the whole run.
inline void EnterScratchStartDirectory()
{
    static QTemporaryDir directory;
    QDir::setCurrent(directory.path());
    QDir().mkdir(QStringLiteral("errors"));
}

inline void WriteScratchFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    FuzzCheck(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
              "the input is written to a file");
}

// A port on which every call succeeds and the bytes given to Arrive are read one at a time.
class FuzzSerialLibrary : public SerialLibrary
{
public:
    void Arrive(const QByteArray& bytes) { bytes_ = bytes; }
    bool AllRead() const { return bytes_.isEmpty(); }

    int Open(int, int, int) override { return 0; }
    int SetBaud(int, int) override { return 0; }
    int SetLineFormat(int, int, int, int) override { return 0; }
    int ControlLine(int, char command) override { return command == 'R' ? 1 : 0; }
    int PrepareSend(int) override { return 0; }
    int Write(int, const char*, int count) override { return count; }
    int BytesWaitingToGo(int) override { return 0; }
    int ReadByte(int, char* buffer, int) override
    {
        if (AllRead())
            return 0;
        *buffer = bytes_.front();
        bytes_.remove(0, 1);
        return 1;
    }
    int Close(int) override { return 0; }

private:
    QByteArray bytes_;
};
