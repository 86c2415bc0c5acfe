#include "replacement_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace velmora {
namespace {

// Large enough that a whole program takes a few system calls, small enough to
// stay out of the way.
constexpr std::size_t kFlushThreshold = 256 * 1024;
constexpr int kNameAttempts = 100;

std::filesystem::path temporaryName(const std::filesystem::path& target, int attempt)
{
    std::string name = target.filename().string();
    name += '.';
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(attempt);
    name += ".tmp";
    return target.parent_path() / name;
}

}  // namespace

ReplacementFile::ReplacementFile(std::filesystem::path target) : target_(std::move(target))
{
    buffer_.reserve(kFlushThreshold);
}

ReplacementFile::~ReplacementFile() { discard(); }

bool ReplacementFile::open()
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path candidate = temporaryName(target_, attempt);
        // 0666 so that the umask decides, as it did for the file being replaced.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temporary_ = candidate;
            return true;
        }
        if (errno != EEXIST)
            return fail(FileAction::CreateProgram, errno);
    }
    return fail(FileAction::CreateProgram, EEXIST);
}

void ReplacementFile::append(std::string_view bytes)
{
    if (error_ || fd_ < 0)
        return;
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushThreshold)
        flushBuffer();
}

bool ReplacementFile::flushBuffer()
{
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t written = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(FileAction::WriteProgram, errno);
        }
        done += static_cast<std::size_t>(written);
    }
    buffer_.clear();
    return true;
}

bool ReplacementFile::commit()
{
    if (error_)
        return false;
    if (fd_ < 0)
        return fail(FileAction::WriteProgram, EBADF);
    if (!flushBuffer())
        return false;
    int synced;
    do
        synced = ::fsync(fd_);
    while (synced != 0 && errno == EINTR);
    if (synced != 0)
        return fail(FileAction::SyncProgram, errno);
    const int fd = fd_;
    fd_ = -1;
    // On Linux the descriptor is released even when close reports EINTR, and
    // the data is already synced, so only other errors count.
    if (::close(fd) != 0 && errno != EINTR)
        return fail(FileAction::CloseProgram, errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(FileAction::ReplaceProgram, errno);
    // The directory is not synced: after a power cut the folder holds either
    // the old program or the new one, each complete, which is what matters.
    temporary_.clear();
    return true;
}

bool ReplacementFile::fail(FileAction action, int errorNumber)
{
    if (!error_)
        error_ = fileErrorFromErrno(action, target_, errorNumber);
    discard();
    return false;
}

void ReplacementFile::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);  // the file is thrown away; the first failure is the cause
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    buffer_.clear();
}

}  // namespace velmora
