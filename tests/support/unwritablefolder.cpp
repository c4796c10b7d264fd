#include "unwritablefolder.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr rlim_t SmallestFile = 16;

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Writes until the device refuses more.
void FillUp(const QString& path)
{
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) {
    }
    while (filler.write(block.left(1)) > 0) {
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
        FillUp(QDir(dir_.path()).filePath(QStringLiteral("filler")));
    } else if (fault == ReadOnly) {
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (::access(path.constData(), W_OK) == 0)
            unavailable_ = QStringLiteral("this user may write into any folder and may not mount");
    } else {
        ::getrlimit(RLIMIT_FSIZE, &previousLimit_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN); // a write beyond fails, ending nothing
        const rlimit limit{SmallestFile, previousLimit_.rlim_max};
        sizeLimited_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
}

UnwritableFolder::~UnwritableFolder()
{
    if (sizeLimited_) {
        ::setrlimit(RLIMIT_FSIZE, &previousLimit_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    if (mounted_)
        ::umount(QFile::encodeName(dir_.path()).constData());
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
