#include "temporarystartdirectory.h"

#include "program/settings.h"

#include <QDir>
#include <QFile>

TemporaryStartDirectory::TemporaryStartDirectory()
    : previousCurrent_(QDir::currentPath()), previousStart_(StartDirectory)
{
    QDir::setCurrent(dir_.path());
    QDir().mkdir(QStringLiteral("errors"));
    StartDirectory = dir_.path();
}

TemporaryStartDirectory::~TemporaryStartDirectory()
{
    QDir::setCurrent(previousCurrent_);
    StartDirectory = previousStart_;
}

void TemporaryStartDirectory::WriteFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(QDir(dir_.path()).filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
