#include "library/folderindex.h"

#include "graph/testfile.h"
#include "library/libraryqueue.h"
#include "library/librarystore.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

// Rows go to the queue in batches, so that a cancelled or failed run keeps what it did.
constexpr int BatchSize = 100;

// The SHA-256 of each file of this station that the library holds or will hold once the queue is
// delivered, the newest first.
QHash<QString, QString> IndexedFiles(LibraryStore& store, const LibraryQueue& queue)
{
    const QString station = ThisStation();
    QHash<QString, QString> indexed = store.CurrentHashes(station);
    for (const QJsonObject& row : queue.Read().rows) {
        if (row.value(QLatin1String("station")).toString() == station)
            indexed.insert(row.value(QLatin1String("path")).toString(),
                           row.value(QLatin1String("sha256")).toString());
    }
    return indexed;
}

} // namespace

QStringList TestFilesIn(const QString& folder)
{
    QStringList files;
    QDirIterator found(folder, {QStringLiteral("*.dat")}, QDir::Files | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (found.hasNext())
        files.append(found.next());
    files.sort();
    return files;
}

QString FolderSummaryText(const FolderSummary& summary)
{
    QStringList parts{QStringLiteral("%1 test file%2 added")
                          .arg(summary.added)
                          .arg(summary.added == 1 ? "" : "s")};
    if (summary.alreadyIndexed > 0)
        parts.append(QStringLiteral("%1 already in the library").arg(summary.alreadyIndexed));
    if (summary.notTests > 0)
        parts.append(QStringLiteral("%1 not a test").arg(summary.notTests));
    if (!summary.unreadable.isEmpty())
        parts.append(QStringLiteral("%1 could not be read").arg(summary.unreadable.size()));
    QString text = parts.join(QStringLiteral(", "));
    return text + (summary.cancelled ? QStringLiteral(" before Cancel.") : QStringLiteral("."));
}

FolderSummary AddFolder(const QString& folder, LibraryStore& store, LibraryQueue& queue,
                        const EntryContext& context,
                        const std::function<bool(int done, int total)>& progress)
{
    const QStringList files = TestFilesIn(folder);
    const QHash<QString, QString> indexed = IndexedFiles(store, queue);
    FolderSummary summary;
    QList<QJsonObject> batch;
    for (qsizetype done = 0; done < files.size(); ++done) {
        if (!progress(static_cast<int>(done), static_cast<int>(files.size()))) {
            summary.cancelled = true;
            break;
        }
        const QFileInfo file(files[done]);
        try {
            const QString path = QDir::cleanPath(file.absoluteFilePath());
            if (indexed.value(path) == FileSha256(path)) {
                ++summary.alreadyIndexed;
                continue;
            }
            const QStringList lines = LoadTestFile(path);
            if (!HoldsTest(lines)) {
                ++summary.notTests;
                continue;
            }
            batch.append(EntryRow(EntryForTestFile(path, lines, context, file.lastModified())));
            ++summary.added;
        } catch (const FileError& error) {
            summary.unreadable.append(error.Message());
        }
        if (batch.size() == BatchSize)
            queue.Append(std::exchange(batch, {}));
    }
    if (!batch.isEmpty())
        queue.Append(batch);
    return summary;
}
