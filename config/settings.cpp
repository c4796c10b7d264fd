#include "config/settings.h"

bool ColorGraph = true;
bool UnitsEnglish = true;
double DisplacementFactor = 0.001;
double ForceFactor = 1.0;
QString DiagnosticDirectory = QStringLiteral("A:\\");
QString ManualViewerPath =
    QStringLiteral("C:\\Program Files\\Adobe\\Acrobat 6.0\\Reader\\AcroRd32.exe");
QString PortName;

const QString ProgramName = QStringLiteral("QOR1000");
QString VersionText;
QString StartDirectory;

void ApplyUnits(bool english)
{
    UnitsEnglish = english;
    DisplacementFactor = english ? 0.001 : 0.00254;
    ForceFactor = english ? 1.0 : 0.4535924;
}
