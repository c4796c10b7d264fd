#include "library/fileentry.h"

#include "program/settings.h"
#include "results/currentmethod.h"
#include "results/verdict.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QUuid>

EntryContext CurrentEntryContext()
{
    return {CurrentMethod(), CurrentOperator(), CurrentLot()};
}

QString FileSha256(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        throw FileError(QStringLiteral("Cannot read file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    return QString::fromLatin1(hash.result().toHex());
}

QString ThisStation()
{
    return QSysInfo::machineHostName();
}

LibraryEntry EntryForTestFile(const QString& path, const QStringList& lines,
                              const EntryContext& context, const QDateTime& finished)
{
    LibraryEntry entry;
    entry.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    entry.path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    entry.title = lines.value(0);
    entry.finished = finished.toUTC();
    entry.station = ThisStation();
    entry.operatorName = context.operatorName;
    entry.lot = context.lot;
    entry.unitsEnglish = UnitsEnglish;
    entry.method = context.method.name;
    try {
        entry.results = ComputeResults(lines, context.method, true);
    } catch (const ConversionError&) {
        entry.results = {}; // a record that is not a number: no results, as the panel shows none
    }
    entry.verdict = JudgeResults(entry.results, MethodInUnits(context.method, true)).verdict;
    entry.sha256 = FileSha256(path);
    entry.saved = QDateTime::currentDateTimeUtc();
    return entry;
}
