#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The test piece (specimen) that sits in the simulated machine during a test.
enum class Specimen
{
    Spring,   // stiff and elastic: reaches the machine's maximum force
    Yielding, // elastic, then yields, necks and breaks
    Soft,     // gives way easily: the crosshead reaches its travel limit first
};

// The specimen's force in pounds at a displacement in thousandths of an inch, without noise.
double SpecimenForce(Specimen specimen, double displacementCounts);

// The names the command line uses: "spring", "yielding", "soft".
QString SpecimenName(Specimen specimen);
QStringList SpecimenNames();
std::optional<Specimen> SpecimenFromName(const QString& name);
