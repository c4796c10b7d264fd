#include "machineport.h"

#include "serial/serialcomm.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <atomic>
#include <thread>

MachinePort::MachinePort(const QString& startDirectory, SerialLibrary& restore) : restore_(restore)
{
    InstallSerialLibrary(&device_);
    open_ = machine_.IsOpen() &&
            QFile::link(machine_.DevicePath(), QDir(startDirectory).filePath("COM1")) &&
            SerialComm::OpenMachinePort(QStringLiteral("COM1"));
}

MachinePort::~MachinePort()
{
    InstallSerialLibrary(&restore_);
}

bool MachinePort::Send(const QByteArrayList& pieces, std::chrono::microseconds pause,
                       int milliseconds)
{
    std::atomic<bool> givenUp = false;
    std::atomic<bool> finished = false;
    std::thread machine([&] {
        for (qsizetype piece = 0; piece < pieces.size() && !givenUp; ++piece) {
            machine_.Send(pieces[piece]);
            std::this_thread::sleep_for(pause);
        }
        finished = true;
    });
    // The terminal holds a few kilobytes: the machine's side waits until the port takes them.
    const bool allSent = QTest::qWaitFor([&] { return finished.load(); }, milliseconds);
    givenUp = true;
    while (!finished)
        QCoreApplication::processEvents(); // the port takes the piece being sent
    machine.join();
    QCoreApplication::processEvents(); // what arrived last
    return allSent;
}
