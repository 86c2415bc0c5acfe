// The POSIX side of the file replacement: every system call of the writing,
// the syncing and the renaming is here.

#include "replacement_file.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

// Large enough that a whole program takes a few system calls, small enough to
// stay out of the way.
constexpr std::size_t kFlushThreshold = 256 * 1024;
constexpr int kNameAttempts = 100;

bool allDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 9
           && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool processIsGone(long process)
{
    return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

// A killed construction leaves its temporary file behind; the next one in the
// folder removes it. Only regular files with this target's temporary name
// whose process no longer runs are removed.
void removeAbandonedTemporaries(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;  // the creation that follows reports the folder's failure
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const auto process = temporaryFileProcess(target, name);
        if (!process || !processIsGone(*process))
            continue;
        const std::filesystem::path path = folder / name;
        struct stat status {};
        if (::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

}  // namespace

std::string temporaryFileName(const std::filesystem::path& target, long process, int attempt)
{
    return target.filename().string() + '.' + std::to_string(process) + '-' + std::to_string(attempt) + ".tmp";
}

std::optional<long> temporaryFileProcess(const std::filesystem::path& target, std::string_view name)
{
    const std::string prefix = target.filename().string() + '.';
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() <= prefix.size() + kSuffix.size() || !name.starts_with(prefix) || !name.ends_with(kSuffix))
        return std::nullopt;
    const std::string_view middle = name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
    const std::size_t dash = middle.find('-');
    if (dash == std::string_view::npos || !allDigits(middle.substr(0, dash)) || !allDigits(middle.substr(dash + 1)))
        return std::nullopt;
    return std::stol(std::string(middle.substr(0, dash)));
}

ReplacementFile::ReplacementFile(std::filesystem::path target) : target_(std::move(target))
{
    buffer_.reserve(kFlushThreshold);
}

ReplacementFile::~ReplacementFile() { discard(); }

bool ReplacementFile::open()
{
    removeAbandonedTemporaries(target_);
    // The replaced file keeps its permission bits (a private 0600 stays
    // private); a new file gets 0666 less the umask.
    struct stat replaced {};
    const bool keepMode = ::lstat(target_.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    const std::filesystem::path folder = target_.parent_path();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path candidate = folder / temporaryFileName(target_, ::getpid(), attempt);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temporary_ = candidate;
            if (keepMode && ::fchmod(fd_, replaced.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID)) != 0)
                return fail(FileAction::Create, errno);
            return true;
        }
        if (errno != EEXIST)
            return fail(FileAction::Create, errno);
    }
    return fail(FileAction::Create, EEXIST);
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
            return fail(FileAction::Write, errno);
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
        return fail(FileAction::Write, EBADF);
    if (!flushBuffer())
        return false;
    int synced;
    do
        synced = ::fsync(fd_);
    while (synced != 0 && errno == EINTR);
    if (synced != 0)
        return fail(FileAction::Sync, errno);
    const int fd = fd_;
    fd_ = -1;
    // On Linux the descriptor is released even when close reports EINTR, and
    // the data is already synced, so only other errors count.
    if (::close(fd) != 0 && errno != EINTR)
        return fail(FileAction::Close, errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(FileAction::Replace, errno);
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
