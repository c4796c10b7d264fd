#pragma once

#include <QString>

// Program-wide settings. Each keeps its initial value until a line of QOR.dat or the configure
// dialog changes it.
extern bool ColorGraph;           // graphs drawn and printed in colour (true) or black
extern bool UnitsEnglish;         // inches and pounds (true) or centimetres and kilograms
extern double DisplacementFactor; // displacement count to displayed displacement
extern double ForceFactor;        // force count to displayed force
extern QString DiagnosticDirectory;
extern QString ManualViewerPath;
extern QString PortName; // the open serial port ("COM1" to "COM8"), or empty

// Program-wide texts.
extern const QString ProgramName;
extern QString VersionText;    // the caption of the main window's version label
extern QString StartDirectory; // the current directory when the main window was created
// The supplier's lines of the main window's title block, which also head every report.
extern const QString SupplierName;
extern const QString SupplierAddress;
extern const QString SupplierPhone;

// The multipliers from machine counts to displayed displacement and force.
struct UnitFactors
{
    double displacement;
    double force;
};
UnitFactors FactorsFor(bool english);

// Units and both factors only ever change together.
void ApplyUnits(bool english);
