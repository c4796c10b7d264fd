#include "results/currentmethod.h"

#include "program/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString MethodKey = QStringLiteral("Current/Method");
const QString OperatorKey = QStringLiteral("Current/Operator");
const QString LotKey = QStringLiteral("Current/Lot");
const QString MarkGraphsKey = QStringLiteral("View/MarkGraphs");

QString ResultsFile()
{
    return QDir(StartDirectory).filePath(QStringLiteral("results.ini"));
}

QVariant Remembered(const QString& key, const QVariant& otherwise = {})
{
    return QSettings(ResultsFile(), QSettings::IniFormat).value(key, otherwise);
}

void Remember(const QList<std::pair<QString, QVariant>>& values)
{
    QSettings file(ResultsFile(), QSettings::IniFormat);
    for (const auto& [key, value] : values)
        file.setValue(key, value);
    file.sync();
    if (file.status() != QSettings::NoError)
        throw FileError(QStringLiteral("\"%1\" cannot be written.")
                            .arg(QDir::toNativeSeparators(ResultsFile())));
}

} // namespace

QString MethodsFolder()
{
    return QDir(StartDirectory).filePath(QStringLiteral("methods"));
}

QString CurrentMethodPath()
{
    const QString path = Remembered(MethodKey).toString();
    return path.isEmpty() ? QString() : QDir::cleanPath(QDir(StartDirectory).filePath(path));
}

TestMethod LoadCurrentMethod()
{
    const QString path = CurrentMethodPath();
    return path.isEmpty() ? TestMethod() : LoadTestMethod(path);
}

TestMethod CurrentMethod()
{
    try {
        return LoadCurrentMethod();
    } catch (const ProgramError&) {
        return {};
    }
}

QString CurrentOperator()
{
    return Remembered(OperatorKey).toString();
}

QString CurrentLot()
{
    return Remembered(LotKey).toString();
}

void SetCurrentMethod(const QString& path, const QString& operatorName, const QString& lot)
{
    // Kept from the start directory when it lies below it, so the directory may move.
    const QString relative = QDir(StartDirectory).relativeFilePath(path);
    Remember(
        {{MethodKey, path.isEmpty() || relative.startsWith(QLatin1String("..")) ? path : relative},
         {OperatorKey, operatorName},
         {LotKey, lot}});
}

QString MethodName(const TestMethod& method, const QString& path)
{
    if (!method.name.isEmpty())
        return method.name;
    return path.isEmpty() ? QStringLiteral("none") : QFileInfo(path).completeBaseName();
}

bool MarkResultsOnGraphs()
{
    return Remembered(MarkGraphsKey, false).toBool();
}

void SetMarkResultsOnGraphs(bool mark)
{
    Remember({{MarkGraphsKey, mark}});
}
