#pragma once

#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include "control/controlpanel.h"

#include <QList>
#include <memory>

// A control panel shown on the scripted serial library, in a temporary start directory, with
// PortName "COM1" and the units asked for. Its StatusTimer is stopped: tests drive the ticks.
class PanelHarness
{
public:
    explicit PanelHarness(bool unitsEnglish = true);
    ~PanelHarness();

    // Each line arrives with its carriage return and is taken by one tick.
    void Tick(const QByteArray& line);
    void Ticks(const QList<QByteArray>& lines);
    // Every write to the machine since the last call, one entry per PortSend.
    QList<QByteArray> TakeWrites();

    TemporaryStartDirectory start;
    ScriptedSerialLibrary serial;
    std::unique_ptr<TQORcontrolPanel> panel;
};
