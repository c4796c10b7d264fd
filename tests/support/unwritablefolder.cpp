#include "unwritablefolder.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

namespace {

constexpr rlim_t SmallestFile = 16;

// Writes the bytes to the file, and with untilFull again and again until the device is full.
void WriteFile(const QString& path, const QByteArray& bytes, bool untilFull = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    while (file.write(bytes) > 0 && untilFull) {
    }
}

} // namespace

UnwritableFolder::UnwritableFolder(Fault fault, const QString& oldFileName,
                                   const QByteArray& oldBytes)
{
    const QByteArray path = QFile::encodeName(dir_.path());
    mounted_ = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0;
    WriteFile(QDir(dir_.path()).filePath(oldFileName), oldBytes);
    if (mounted_ && fault == ReadOnly) {
        ::mount("tmpfs", path.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k");
    } else if (mounted_) {
        WriteFile(QDir(dir_.path()).filePath(QStringLiteral("filler")), QByteArray(4096, 'x'),
                  true);
    } else if (fault == ReadOnly) {
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (::access(path.constData(), W_OK) == 0)
            unavailable_ = QStringLiteral("this user may write into any folder and may not mount");
    } else {
        sizeLimit_.emplace(SmallestFile);
    }
}

UnwritableFolder::~UnwritableFolder()
{
    if (mounted_)
        ::umount(QFile::encodeName(dir_.path()).constData());
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
