#pragma once

#include "sim/machinemodel.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// Serves a machine model on a pseudo-terminal in raw mode, reached through a link (for example
// <start directory>/COM1), and runs the machine's clock in real time. Replies longer than the
// terminal holds wait until the program reads them. The link is removed when the server goes.
class PseudoTerminalServer : public QObject
{
    Q_OBJECT
public:
    explicit PseudoTerminalServer(MachineModel& machine, QObject* parent = nullptr);
    ~PseudoTerminalServer() override;

    // Opens the terminal and makes linkPath point to it; false with the reason in error.
    bool Start(const QString& linkPath, QString& error);
    QString DevicePath() const { return devicePath_; }

private:
    bool OpenTerminal(QString& error);
    bool MakeLink(const QString& linkPath, QString& error);
    void ReadCommands();
    void CatchUpClock();
    void SendReplies();
    void WriteUnsent();

    MachineModel& machine_;
    int master_ = -1;
    int slave_ = -1; // held open so that the terminal outlives every client that closes it
    QString devicePath_;
    QString linkPath_;
    QSocketNotifier* commands_ = nullptr;
    // Replies the terminal could not take yet; written as the program reads.
    QByteArray unsent_;
    QSocketNotifier* writable_ = nullptr;
    QTimer clockTimer_;
    QElapsedTimer clock_;
    qint64 clockMilliseconds_ = 0;
};
