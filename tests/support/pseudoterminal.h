#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal made for a test: the program opens its device side as a serial port, the
// test plays the machine on the other side.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return otherSide_ >= 0; }
    QString DevicePath() const { return devicePath_; }
    // The file descriptor of the other side, for termios queries.
    int OtherSide() const { return otherSide_; }

    void Send(const QByteArray& bytes) const;
    // What arrived on the other side: waits until count bytes came or a few seconds passed.
    QByteArray Receive(int count) const;
    void CloseOtherSide();

private:
    int otherSide_ = -1;
    QString devicePath_;
};
