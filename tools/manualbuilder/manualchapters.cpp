#include "manualchapters.h"

#include "manualerror.h"

#include <QDir>
#include <QFile>

ManualChapters ReadChapters(const QString& folder)
{
    const QDir directory(folder);
    const QStringList names =
        directory.entryList({QStringLiteral("*.md")}, QDir::Files | QDir::Readable, QDir::Name);
    if (names.size() < 2)
        throw ManualError{QStringLiteral("%1 holds no cover and chapters (*.md)").arg(folder)};
    ManualChapters manual{directory.absolutePath(), {}, {}};
    for (const QString& name : names) {
        QFile file(directory.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            throw ManualError{
                QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString())};
        const QString text = QString::fromUtf8(file.readAll());
        if (manual.cover.isNull())
            manual.cover = text;
        else
            manual.chapters.append(text);
    }
    return manual;
}
