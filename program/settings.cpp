#include "program/settings.h"

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
const QString SupplierName = QStringLiteral("Testing Instruments Ltd.");
const QString SupplierAddress = QStringLiteral("1 Example Street, Sampletown");
const QString SupplierPhone = QStringLiteral("Tel. 000 000 0000");

UnitFactors FactorsFor(bool english)
{
    // Thousandths of an inch and pounds, or the same in centimetres and kilograms.
    return english ? UnitFactors{0.001, 1.0} : UnitFactors{0.00254, 0.4535924};
}

void ApplyUnits(bool english)
{
    UnitsEnglish = english;
    const UnitFactors factors = FactorsFor(english);
    DisplacementFactor = factors.displacement;
    ForceFactor = factors.force;
}
