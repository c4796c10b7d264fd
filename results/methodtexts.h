#pragma once

#include "results/testmethod.h"

#include <QMap>
#include <QString>

// A method as the texts of its keys, "Section/Key" to text, as a method file and the method
// dialog hold them. A section is there when any of its keys is.
using MethodTexts = QMap<QString, QString>;

namespace MethodKey {
inline const QString Name = QStringLiteral("Method/Name");
inline const QString Units = QStringLiteral("Method/Units");
inline const QString BreakDrop = QStringLiteral("Break/Drop");
inline const QString ForceAtDisplacement = QStringLiteral("ForceAt/Displacement");
inline const QString DisplacementAtForce = QStringLiteral("DisplacementAt/Force");
inline const QString StiffnessFrom = QStringLiteral("Stiffness/FromForce");
inline const QString StiffnessTo = QStringLiteral("Stiffness/ToForce");
inline const QString AverageFrom = QStringLiteral("Average/FromDisplacement");
inline const QString AverageTo = QStringLiteral("Average/ToDisplacement");
// "Limits/MaximumForce", ...
QString Limit(ResultKind kind);
} // namespace MethodKey

// A value that a method refuses, with the key it is under ("Break/Drop").
class MethodValueError : public MethodError
{
public:
    MethodValueError(const QString& key, const QString& reason);
    QString Key() const { return key_; }

private:
    QString key_;
};

// "[Break] Drop"
QString KeyCaption(const QString& key);

// The method the texts describe. Throws MethodValueError for the first value refused: a key the
// program does not know; then, in the order of the file's layout, units other than ENGLISH or
// METRIC (in any case), a value that is not a number or is empty, a negative value, a drop above
// 100, half of a pair, From above To, a limit that is not "low,high", has neither side or has its
// low side above its high side.
TestMethod MethodFromTexts(const MethodTexts& texts);

// The texts of a method, numbers written as briefly as they read back exactly; a limit is
// "low,high" with a side left empty when it has none.
MethodTexts MethodToTexts(const TestMethod& method);

// "ENGLISH" or "METRIC".
QString UnitsText(bool english);
