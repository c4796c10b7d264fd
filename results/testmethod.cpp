#include "results/testmethod.h"

#include "results/methodtexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

// The line (from 1) that holds the key, the last one when it is written twice, as QSettings
// takes the last; the line of its section when the key is not there; 0 when neither is.
int LineOf(const QString& path, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QString section = key.section(u'/', 0, 0);
    const QString name = key.section(u'/', 1);
    const bool topLevel = !key.contains(u'/');
    QString current = QStringLiteral("General");
    int keyLine = 0;
    int sectionLine = 0;
    int number = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++number;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = line.mid(1, line.size() - 2).trimmed();
            if (current == section && sectionLine == 0)
                sectionLine = number;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        const bool inSection = topLevel ? current == QLatin1String("General") : current == section;
        if (inSection && line.left(equals).trimmed() == (topLevel ? key : name))
            keyLine = number;
    }
    return keyLine != 0 ? keyLine : sectionLine;
}

// The text of a value as QSettings reads it: a value with commas comes as a list of its parts.
QString ValueText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

TestMethod LoadTestMethod(const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile() || !QFile(path).open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("The method file \"%1\" cannot be read.").arg(name));
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw MethodError(QStringLiteral("\"%1\" cannot be read as a method file.").arg(name));

    MethodTexts texts;
    for (const QString& key : file.allKeys())
        texts.insert(key, ValueText(file.value(key)));
    try {
        return MethodFromTexts(texts);
    } catch (const MethodValueError& error) {
        throw MethodError(QStringLiteral("Method file \"%1\", line %2: %3")
                              .arg(name)
                              .arg(LineOf(path, error.Key()))
                              .arg(error.Message()));
    }
}

void SaveTestMethod(const TestMethod& method, const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw FileError(QStringLiteral("The folder of \"%1\" cannot be made.").arg(name));
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    const MethodTexts texts = MethodToTexts(method);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        // A limit is written as its two sides, which QSettings separates by a comma.
        if (it.key().startsWith(QLatin1String("Limits/")))
            file.setValue(it.key(), it.value().split(u','));
        else
            file.setValue(it.key(), it.value());
    }
    file.sync();
    if (file.status() != QSettings::NoError)
        throw FileError(QStringLiteral("The method file \"%1\" cannot be written.").arg(name));
}

TestMethod MethodInUnits(const TestMethod& method, bool english)
{
    TestMethod converted = method;
    converted.unitsEnglish = english;
    const auto convert = [&](double value, ResultDimension dimension) {
        return ConvertValue(value, dimension, method.unitsEnglish, english);
    };
    const auto convertOptional = [&](std::optional<double>& value, ResultDimension dimension) {
        if (value)
            value = convert(*value, dimension);
    };
    const auto convertPair = [&](std::optional<std::pair<double, double>>& pair,
                                 ResultDimension dimension) {
        if (pair)
            pair = std::pair{convert(pair->first, dimension), convert(pair->second, dimension)};
    };
    convertOptional(converted.forceAtDisplacement, ResultDimension::Displacement);
    convertOptional(converted.displacementAtForce, ResultDimension::Force);
    convertPair(converted.stiffnessForces, ResultDimension::Force);
    convertPair(converted.averageDisplacements, ResultDimension::Displacement);
    for (const ResultKind kind : AllResultKinds) {
        std::optional<ResultLimit>& limit = converted.limits.at(ResultIndex(kind));
        if (limit) {
            convertOptional(limit->low, DimensionOf(kind));
            convertOptional(limit->high, DimensionOf(kind));
        }
    }
    return converted;
}

bool MethodComputes(const TestMethod& method, ResultKind kind)
{
    switch (kind) {
    case ResultKind::MaximumForce:
    case ResultKind::DisplacementAtMaximum:
    case ResultKind::Energy:
        return true;
    case ResultKind::BreakForce:
    case ResultKind::BreakDisplacement:
        return method.breakDrop.has_value();
    case ResultKind::ForceAtDisplacement:
        return method.forceAtDisplacement.has_value();
    case ResultKind::DisplacementAtForce:
        return method.displacementAtForce.has_value();
    case ResultKind::Stiffness:
        return method.stiffnessForces.has_value();
    case ResultKind::AverageForce:
        return method.averageDisplacements.has_value();
    }
    Q_UNREACHABLE();
}

bool HasLimits(const TestMethod& method)
{
    return std::ranges::any_of(method.limits, [](const auto& limit) { return limit.has_value(); });
}
