#include "sim/pseudoterminalserver.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QtGlobal>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int ClockTickMilliseconds = 10;
// What may wait for a program that does not read; more than any test's replies.
constexpr qsizetype MostUnsentBytes = 64 * 1024 * 1024;

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PseudoTerminalServer::PseudoTerminalServer(MachineModel& machine, QObject* parent)
    : QObject(parent), machine_(machine)
{
    clockTimer_.setInterval(ClockTickMilliseconds);
    connect(&clockTimer_, &QTimer::timeout, this, [this] {
        CatchUpClock();
        SendReplies();
    });
}

PseudoTerminalServer::~PseudoTerminalServer()
{
    // Remove the link only while it still leads to this terminal.
    if (!linkPath_.isEmpty() && QFileInfo(linkPath_).symLinkTarget() == devicePath_)
        QFile::remove(linkPath_);
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PseudoTerminalServer::Start(const QString& linkPath, QString& error)
{
    if (!OpenTerminal(error) || !MakeLink(linkPath, error))
        return false;
    commands_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(commands_, &QSocketNotifier::activated, this, &PseudoTerminalServer::ReadCommands);
    writable_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writable_->setEnabled(false);
    connect(writable_, &QSocketNotifier::activated, this, &PseudoTerminalServer::WriteUnsent);
    clock_.start();
    clockTimer_.start();
    return true;
}

bool PseudoTerminalServer::OpenTerminal(QString& error)
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(SystemError());
        return false;
    }
    devicePath_ = QString::fromLocal8Bit(::ptsname(master_));
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
    termios settings;
    if (slave_ < 0 || ::tcgetattr(slave_, &settings) != 0) {
        error = QStringLiteral("cannot open %1: %2").arg(devicePath_, SystemError());
        return false;
    }
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B9600);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0) {
        error = QStringLiteral("cannot set %1 to raw mode: %2").arg(devicePath_, SystemError());
        return false;
    }
    return true;
}

bool PseudoTerminalServer::MakeLink(const QString& linkPath, QString& error)
{
    const QFileInfo existing(linkPath);
    if (existing.isSymLink() && !existing.exists()) {
        QFile::remove(linkPath); // left behind by a run that was killed
    } else if (existing.exists() || existing.isSymLink()) {
        error = QStringLiteral("%1 already exists; is another qor-sim serving it?").arg(linkPath);
        return false;
    }
    if (!QFile::link(devicePath_, linkPath)) {
        error = QStringLiteral("cannot link %1 to %2").arg(linkPath, devicePath_);
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

void PseudoTerminalServer::ReadCommands()
{
    QByteArray bytes;
    char buffer[256];
    ssize_t count;
    while ((count = ::read(master_, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, count);
    // Bring the machine up to the moment the bytes arrived before it acts on them.
    CatchUpClock();
    machine_.Receive(bytes);
    SendReplies();
}

void PseudoTerminalServer::CatchUpClock()
{
    const qint64 now = clock_.elapsed();
    machine_.Advance(int(now - clockMilliseconds_));
    clockMilliseconds_ = now;
}

void PseudoTerminalServer::SendReplies()
{
    unsent_ += machine_.TakeReplies().join();
    if (unsent_.size() > MostUnsentBytes) {
        qWarning("nobody reads %s: %lld bytes dropped", qPrintable(devicePath_),
                 static_cast<long long>(unsent_.size()));
        unsent_.clear();
    }
    WriteUnsent();
}

void PseudoTerminalServer::WriteUnsent()
{
    if (!unsent_.isEmpty()) {
        const ssize_t written = ::write(master_, unsent_.constData(), unsent_.size());
        if (written > 0)
            unsent_.remove(0, written);
    }
    writable_->setEnabled(!unsent_.isEmpty());
}
