#include "panelharness.h"

#include "program/settings.h"

#include <QTimer>

PanelHarness::PanelHarness(bool unitsEnglish)
{
    ApplyUnits(unitsEnglish);
    PortName = QStringLiteral("COM1");
    InstallSerialLibrary(&serial);
    panel = std::make_unique<TQORcontrolPanel>();
    panel->show();
    panel->StatusTimer->stop();
    TakeWrites();
}

PanelHarness::~PanelHarness()
{
    panel.reset();
    InstallSerialLibrary(nullptr);
    ApplyUnits(true);
}

void PanelHarness::Tick(const QByteArray& line)
{
    serial.Receive(line + '\r');
    panel->StatusTimerTimer();
}

void PanelHarness::Ticks(const QList<QByteArray>& lines)
{
    for (const QByteArray& line : lines)
        Tick(line);
}

QList<QByteArray> PanelHarness::TakeWrites()
{
    QList<QByteArray> writes;
    for (const ScriptedSerialLibrary::Call& call : serial.calls) {
        if (call.ordinal == ScriptedSerialLibrary::WriteOrdinal)
            writes.append(call.bytes);
    }
    serial.calls.clear();
    return writes;
}
