#include "outputfile.h"

#include "cabarcerror.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowWriteError(const std::string& path, int error)
{
    throw CabarcError("cannot write the cabinet " + path + ": " + std::strerror(error));
}

// Writes every byte to the open descriptor and closes it; the errno of the first failure, or 0.
int WriteAndClose(int descriptor, std::span<const char> bytes, bool sync)
{
    int failure = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            failure = written < 0 ? errno : ENOSPC;
            break;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    if (failure == 0 && sync && ::fsync(descriptor) != 0)
        failure = errno;
    if (::close(descriptor) != 0 && failure == 0)
        failure = errno;
    return failure;
}

bool IsOtherThanRegularFile(const std::string& path)
{
    struct stat status
    {
    };
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

} // namespace

void WriteWholeFile(const std::string& path, std::span<const char> bytes)
{
    if (IsOtherThanRegularFile(path)) {
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (descriptor < 0)
            ThrowWriteError(path, errno);
        if (const int failure = WriteAndClose(descriptor, bytes, false))
            ThrowWriteError(path, failure);
        return;
    }
    const std::string partial = path + ".part" + std::to_string(::getpid());
    const int descriptor = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0)
        ThrowWriteError(path, errno);
    int failure = WriteAndClose(descriptor, bytes, true);
    if (failure == 0 && ::rename(partial.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(partial.c_str());
        ThrowWriteError(path, failure);
    }
}
