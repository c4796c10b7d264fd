#include "pseudoterminal.h"

#include <QDeadlineTimer>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    otherSide_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (otherSide_ < 0)
        return;
    if (grantpt(otherSide_) != 0 || unlockpt(otherSide_) != 0) {
        CloseOtherSide();
        return;
    }
    devicePath_ = QString::fromLocal8Bit(ptsname(otherSide_));
}

PseudoTerminal::~PseudoTerminal()
{
    CloseOtherSide();
}

void PseudoTerminal::Send(const QByteArray& bytes) const
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t written = ::write(otherSide_, bytes.constData() + sent, bytes.size() - sent);
        if (written <= 0)
            return;
        sent += written;
    }
}

QByteArray PseudoTerminal::Receive(int count) const
{
    QByteArray received;
    const QDeadlineTimer deadline(5000);
    while (received.size() < count && !deadline.hasExpired()) {
        pollfd ready{otherSide_, POLLIN, 0};
        if (poll(&ready, 1, int(deadline.remainingTime())) <= 0)
            break;
        char buffer[256];
        const ssize_t got = ::read(otherSide_, buffer, sizeof buffer);
        if (got <= 0)
            break;
        received.append(buffer, got);
    }
    return received;
}

void PseudoTerminal::CloseOtherSide()
{
    if (otherSide_ >= 0)
        ::close(otherSide_);
    otherSide_ = -1;
}
