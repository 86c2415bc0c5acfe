// The POSIX side of the file replacement: every system call of the writing,
// the syncing and the renaming is here.

#include "replacement_file_system.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::replacement_system {

int createNewFile(const std::filesystem::path& path, const std::filesystem::path& replaced, int& descriptor)
{
    // The replaced file keeps its permission bits (a private 0600 stays
    // private); a new file gets 0666 less the umask.
    struct stat replacedStatus {};
    const bool keepMode = ::lstat(replaced.c_str(), &replacedStatus) == 0 && S_ISREG(replacedStatus.st_mode);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    if (keepMode && ::fchmod(fd, replacedStatus.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID)) != 0) {
        const int failure = errno;
        ::close(fd);
        ::unlink(path.c_str());
        return failure;
    }
    descriptor = fd;
    return 0;
}

int writeAll(int descriptor, const char* bytes, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(descriptor, bytes + done, size - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

// The data and what it takes to read it back (the size, the blocks) reach
// the disk before the rename; the file's times need not, so Linux is asked
// for no more than that.
int syncToDisk(int descriptor)
{
    int synced;
    do
#if defined(__linux__)
        synced = ::fdatasync(descriptor);
#else
        synced = ::fsync(descriptor);
#endif
    while (synced != 0 && errno == EINTR);
    return synced == 0 ? 0 : errno;
}

int closeFile(int descriptor)
{
    // On Linux the descriptor is released even when close reports EINTR, and
    // the data is already synced, so only other errors count.
    return ::close(descriptor) != 0 && errno != EINTR ? errno : 0;
}

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    // The directory is not synced: after a power cut the folder holds either
    // the old program or the new one, each complete, which is what matters.
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void removeFile(const std::filesystem::path& path) { ::unlink(path.c_str()); }

long currentProcess() { return static_cast<long>(::getpid()); }

bool processIsGone(long process)
{
    return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

}  // namespace velmora::replacement_system
