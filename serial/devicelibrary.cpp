#include "serial/devicelibrary.h"

#include "program/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Long enough for the port to hand bytes to the device, short enough to keep a send responsive.
constexpr int WriteProgressMilliseconds = 20;

} // namespace

DeviceSerialLibrary::~DeviceSerialLibrary()
{
    for (auto& [index, port] : ports_)
        delete port.device.data();
}

QString DeviceSerialLibrary::DevicePath(int port)
{
    const QString link = QDir(StartDirectory).filePath(QStringLiteral("COM%1").arg(port + 1));
    if (QFileInfo::exists(link))
        return link;
    return QStringLiteral("/dev/ttyS%1").arg(port);
}

int DeviceSerialLibrary::Open(int port, int, int)
{
    Forget(port);
    auto* device = new QSerialPort(DevicePath(port), QCoreApplication::instance());
    // A device that goes away (a pseudo-terminal whose other side closed shows this as a failed
    // read) makes the port report the failure over and over until it is closed: close it on the
    // first one, so every later call fails instead.
    QObject::connect(device, &QSerialPort::errorOccurred, device,
                     [this, port, device](QSerialPort::SerialPortError error) {
                         if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
                             DeviceFailed(port, *device);
                     });
    QObject::connect(device, &QSerialPort::readyRead, device,
                     [this, port, device] { TakeArrived(*device, ports_[port]); });
    if (!device->open(QIODevice::ReadWrite)) {
        delete device;
        return CannotOpen;
    }
    ports_[port].device = device;
    return 0;
}

int DeviceSerialLibrary::SetBaud(int port, int baudCode)
{
    static const std::map<int, int> rates = {{2, 1200},  {3, 2400},  {4, 4800},  {5, 9600},
                                             {6, 19200}, {7, 38400}, {8, 57600}, {9, 115200}};
    return WithOpenPort(port, [&](QSerialPort& device, Port&) {
        const auto rate = rates.find(baudCode);
        const bool set = rate != rates.end() && device.setBaudRate(rate->second);
        return set ? 0 : SettingRefused;
    });
}

int DeviceSerialLibrary::SetLineFormat(int port, int parity, int stopBits, int wordLength)
{
    static const std::map<int, QSerialPort::Parity> parities = {
        {0, QSerialPort::NoParity}, {1, QSerialPort::OddParity}, {2, QSerialPort::EvenParity}};
    static const std::map<int, QSerialPort::StopBits> stops = {{0, QSerialPort::OneStop},
                                                               {2, QSerialPort::TwoStop}};
    static const std::map<int, QSerialPort::DataBits> words = {{7, QSerialPort::Data7},
                                                               {8, QSerialPort::Data8}};
    return WithOpenPort(port, [&](QSerialPort& device, Port&) {
        if (!parities.contains(parity) || !stops.contains(stopBits) || !words.contains(wordLength))
            return SettingRefused;
        const bool set = device.setParity(parities.at(parity)) &&
                         device.setStopBits(stops.at(stopBits)) &&
                         device.setDataBits(words.at(wordLength));
        return set ? 0 : SettingRefused;
    });
}

int DeviceSerialLibrary::ControlLine(int port, char command)
{
    return WithOpenPort(port, [&](QSerialPort& device, Port& state) {
        if (command == 'R') {
            const bool set =
                state.hasModemLines ? device.isDataTerminalReady() : state.softwareControlLine;
            return set ? 1 : 0;
        }
        if (command != 'S')
            return SettingRefused;
        if (device.setDataTerminalReady(true))
            return 0;
        if (device.error() != QSerialPort::UnsupportedOperationError)
            return SettingRefused;
        device.clearError();
        state.hasModemLines = false;
        state.softwareControlLine = true;
        return 0;
    });
}

int DeviceSerialLibrary::PrepareSend(int port)
{
    return WithOpenPort(port, [](QSerialPort&, Port&) { return 0; });
}

int DeviceSerialLibrary::Write(int port, const char* bytes, int count)
{
    return WithOpenPort(port, [&](QSerialPort& device, Port&) {
        const qint64 written = device.write(bytes, count);
        if (written < 0)
            return device.isOpen() ? TransferFailed : DeviceGone;
        // Without an event loop running, the port hands queued bytes to the device only when
        // asked to.
        device.flush();
        return int(written);
    });
}

int DeviceSerialLibrary::BytesWaitingToGo(int port)
{
    return WithOpenPort(port, [](QSerialPort& device, Port&) {
        if (device.bytesToWrite() > 0)
            device.waitForBytesWritten(WriteProgressMilliseconds);
        return device.isOpen() ? int(device.bytesToWrite()) : DeviceGone;
    });
}

int DeviceSerialLibrary::ReadByte(int port, char* buffer, int)
{
    const int result = WithOpenPort(port, [buffer](QSerialPort& device, Port& state) {
        if (state.received.Size() == 0 && device.bytesAvailable() == 0)
            device.waitForReadyRead(0); // takes what the device holds, never waits
        if (!device.isOpen())
            return DeviceGone;
        TakeArrived(device, state);
        return state.received.Take(*buffer) ? 1 : 0;
    });
    if (result != DeviceGone)
        return result;
    return ports_[port].received.Take(*buffer) ? 1 : DeviceGone;
}

int DeviceSerialLibrary::Close(int port)
{
    const int result = WithOpenPort(port, [](QSerialPort&, Port&) { return 0; });
    Forget(port);
    return result;
}

template <typename Body> int DeviceSerialLibrary::WithOpenPort(int port, Body body)
{
    const auto found = ports_.find(port);
    if (found == ports_.end() || !found->second.device)
        return NotOpen;
    if (!found->second.device->isOpen())
        return DeviceGone;
    return body(*found->second.device, found->second);
}

void DeviceSerialLibrary::TakeArrived(QSerialPort& device, Port& state)
{
    const qint64 arrived = std::min<qint64>(device.bytesAvailable(), state.received.Room());
    if (arrived > 0)
        state.received.Append(device.read(arrived));
}

void DeviceSerialLibrary::DeviceFailed(int port, QSerialPort& device)
{
    TakeArrived(device, ports_[port]);
    device.close();
}

void DeviceSerialLibrary::Forget(int port)
{
    const auto found = ports_.find(port);
    if (found == ports_.end())
        return;
    delete found->second.device.data();
    ports_.erase(found);
}
