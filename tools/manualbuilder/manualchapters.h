#pragma once

#include <QString>
#include <QStringList>

// The Markdown files of the manual's folder, in the order of their names: the first is the cover,
// the others are the chapters. Throws ManualError when the folder holds none or one cannot be read.
struct ManualChapters
{
    QString folder;
    QString cover;
    QStringList chapters;
};

ManualChapters ReadChapters(const QString& folder);
