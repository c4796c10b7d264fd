#include "results/currentmethod.h"

#include "program/settings.h"

#include <QDir>
#include <QSettings>

namespace {

const QString MethodKey = QStringLiteral("Current/Method");
const QString OperatorKey = QStringLiteral("Current/Operator");
const QString LotKey = QStringLiteral("Current/Lot");
const QString MarkGraphsKey = QStringLiteral("View/MarkGraphs");
const QString PanelKey = QStringLiteral("View/Panel");

QString ResultsFile()
{
    return QDir(StartDirectory).filePath(QStringLiteral("results.ini"));
}

QVariant Remembered(const QString& key, const QVariant& otherwise = {})
{
    return QSettings(ResultsFile(), QSettings::IniFormat).value(key, otherwise);
}

void Remember(const QString& key, const QVariant& value)
{
    QSettings file(ResultsFile(), QSettings::IniFormat);
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

void SetCurrentMethodPath(const QString& path)
{
    // Kept from the start directory when it lies below it, so the directory may move.
    const QString relative = QDir(StartDirectory).relativeFilePath(path);
    Remember(MethodKey,
             path.isEmpty() || relative.startsWith(QLatin1String("..")) ? path : relative);
}

void SetCurrentOperator(const QString& name)
{
    Remember(OperatorKey, name);
}

void SetCurrentLot(const QString& lot)
{
    Remember(LotKey, lot);
}

bool MarkResultsOnGraphs()
{
    return Remembered(MarkGraphsKey, false).toBool();
}

void SetMarkResultsOnGraphs(bool mark)
{
    Remember(MarkGraphsKey, mark);
}

bool ResultsPanelShown()
{
    return Remembered(PanelKey, false).toBool();
}

void SetResultsPanelShown(bool shown)
{
    Remember(PanelKey, shown);
}
