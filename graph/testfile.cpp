#include "graph/testfile.h"

#include "platform/linefile.h"

#include <QDir>

QStringList LoadTestFile(const QString& path)
{
    return ReadLineFile(path);
}

void StoreTestFile(const QString& path, const QStringList& lines)
{
    WriteLineFile(path, lines);
}

bool HoldsTest(const QStringList& lines)
{
    return lines.value(2) == QLatin1String("X,Y");
}

ConversionError RecordErrorIn(const QString& name, const ConversionError& error)
{
    return ConversionError(
        QStringLiteral("In \"%1\": %2").arg(QDir::toNativeSeparators(name), error.Message()));
}
