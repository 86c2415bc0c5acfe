// The POSIX side of readWholeFile: every system call of the reading is here.

#include "whole_file.h"

#include <cerrno>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

std::error_code systemError(int errorNumber) { return {errorNumber, std::generic_category()}; }

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);  // read-only: everything needed has been read or has failed
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

WholeFile readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    WholeFile result;
    // O_NONBLOCK: opening a FIFO with no writer, or a device, returns at once.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        result.cause = systemError(errno);
        return result;
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        result.cause = systemError(errno);
        return result;
    }
    if (S_ISDIR(status.st_mode)) {
        result.cause = systemError(EISDIR);
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.cause = makeErrorCode(FileRefusal::NotRegularFile);
        return result;
    }
    if (status.st_size < 0 || static_cast<unsigned long long>(status.st_size) > maxBytes) {
        result.cause = makeErrorCode(FileRefusal::TooLarge);
        return result;
    }
    // Room for the look past the end below, so that it does not move the
    // whole file to a buffer twice as large.
    result.bytes.reserve(std::min(maxBytes + 1, static_cast<std::size_t>(status.st_size) + 4096));
    result.bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    // The file may grow while it is read: one byte past the limit is enough
    // to refuse it.
    for (;;) {
        if (done == result.bytes.size()) {
            if (done > maxBytes) {
                result.bytes.clear();
                result.cause = makeErrorCode(FileRefusal::TooLarge);
                return result;
            }
            result.bytes.resize(std::min(maxBytes + 1, done + 4096));
        }
        const ssize_t got = ::read(file.get(), result.bytes.data() + done, result.bytes.size() - done);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.bytes.clear();
            result.cause = systemError(errno);
            return result;
        }
        done += static_cast<std::size_t>(got);
    }
    result.bytes.resize(done);
    return result;
}

}  // namespace velmora
