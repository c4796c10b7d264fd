#include "graph/testfilenames.h"

#include "program/settings.h"

#include <QDir>
#include <QFileInfo>

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
    QString name = QDir::fromNativeSeparators(caption).section(u'/', -1);
    if (SaveKindOf(name) != SaveKind::Neither)
        name.chop(TestFileEnding.size()); // both endings are four characters
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
