#include "graph/testfilenames.h"

#include "program/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString TestFileEnding = QStringLiteral(".dat");
const QString ExportEnding = QStringLiteral(".csv");

} // namespace

SaveKind SaveKindOf(const QString& fileName)
{
    if (fileName.endsWith(TestFileEnding, Qt::CaseInsensitive))
        return SaveKind::TestFile;
    if (fileName.endsWith(ExportEnding, Qt::CaseInsensitive))
        return SaveKind::Export;
    return SaveKind::Neither;
}

QString DataFolder()
{
    return QDir(StartDirectory).filePath(QStringLiteral("data"));
}

QString PrintFileFor(const QString& caption, const QString& folder)
{
    QString name = caption;
    if (SaveKindOf(name) != SaveKind::Neither) // both endings are four characters
        name = QDir::fromNativeSeparators(name).section(u'/', -1).chopped(TestFileEnding.size());
    // A typed window title may hold anything; these cannot stand in a file name here or on Windows.
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.replace(unfit, QStringLiteral("_"));
    if (name.trimmed().isEmpty())
        name = QStringLiteral("Graph");
    const QDir into(folder);
    QString path = into.filePath(name + QStringLiteral(".pdf"));
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = into.filePath(QStringLiteral("%1 %2.pdf").arg(name, QString::number(number)));
    return path;
}

QStringList TestFilesAmong(const QList<QUrl>& urls)
{
    QStringList files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile() && SaveKindOf(url.fileName()) == SaveKind::TestFile)
            files.append(url.toLocalFile());
    }
    return files;
}
