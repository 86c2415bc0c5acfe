// The POSIX side of readWholeFile: every system call of the reading is here.

#include "whole_file.h"

#include <cerrno>
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

Result<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    const auto refused = [&path](std::error_code cause) { return Failure(FailureKind::Read, path, cause); };
    // O_NONBLOCK: opening a FIFO with no writer, or a device, returns at once.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return refused(systemError(errno));
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return refused(systemError(errno));
    if (S_ISDIR(status.st_mode))
        return refused(systemError(EISDIR));
    if (!S_ISREG(status.st_mode))
        return refused(makeErrorCode(FileRefusal::NotRegularFile));
    if (status.st_size < 0 || static_cast<unsigned long long>(status.st_size) > maxBytes)
        return refused(makeErrorCode(FileRefusal::TooLarge));
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    const std::error_code failed = readToEnd(bytes, maxBytes, [&file](char* into, std::size_t wanted, std::error_code& cause) {
        for (;;) {
            const ssize_t got = ::read(file.get(), into, wanted);
            if (got >= 0)
                return static_cast<std::size_t>(got);
            if (errno != EINTR) {
                cause = systemError(errno);
                return std::size_t{0};
            }
        }
    });
    if (failed)
        return refused(failed);
    return bytes;
}

}  // namespace velmora
