#include "replacement_file.h"

#include "replacement_file_system.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <set>
#include <string>
#include <system_error>
#include <utility>

namespace velmora {
namespace {

namespace platform = replacement_system;

constexpr int kNameAttempts = 100;

bool allDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 9
           && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A killed construction leaves its temporary file behind; the next one in the
// folder removes it. Only regular files with this target's temporary name
// whose process no longer runs are removed.
void removeAbandonedTemporaries(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code failed;
    // A folder that cannot be listed: the creation that follows reports it.
    for (std::filesystem::directory_iterator entry(folder, failed), end; !failed && entry != end;
         entry.increment(failed)) {
        const std::u8string name = entry->path().filename().u8string();
        const auto process
            = temporaryFileProcess(target, std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
        if (!process || !platform::processIsGone(*process))
            continue;
        std::error_code ignored;
        if (entry->symlink_status(ignored).type() == std::filesystem::file_type::regular)
            platform::removeFile(entry->path());
    }
}

// A killed program's temporary files are there before this process first
// replaces the target, so the folder is looked through once per process and
// target, not at every construction: a folder of thousands of files would
// cost each construction the time of listing it.
bool firstReplacementOf(const std::filesystem::path& target)
{
    static std::mutex guard;
    static std::set<std::filesystem::path> replaced;
    const std::lock_guard lock(guard);
    return replaced.insert(target).second;
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

ReplacementFile::ReplacementFile(std::filesystem::path target) : target_(std::move(target)) {}

ReplacementFile::~ReplacementFile() { discard(); }

ReplacementFile::Creation ReplacementFile::createTemporary(const std::filesystem::path& target)
{
    if (firstReplacementOf(target))
        removeAbandonedTemporaries(target);
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path candidate = folder / temporaryFileName(target, platform::currentProcess(), attempt);
        int descriptor = -1;
        const int failure = platform::createNewFile(candidate, target, descriptor);
        if (failure == 0)
            return {descriptor, candidate, 0};
        if (failure != EEXIST)
            return {-1, {}, failure};
    }
    return {-1, {}, EEXIST};
}

bool ReplacementFile::open()
{
    opened_ = true;
    creation_ = createTemporary(target_);
    return finishOpening();
}

void ReplacementFile::startOpening()
{
    opened_ = true;
    try {
        opener_ = std::thread([this] { creation_ = createTemporary(target_); });
    } catch (const std::system_error&) {  // no thread to be had: created here
        creation_ = createTemporary(target_);
    }
}

bool ReplacementFile::finishOpening()
{
    if (opener_.joinable())
        opener_.join();
    if (creation_.fd >= 0 || creation_.failure != 0) {  // not taken over yet
        const Creation created = std::exchange(creation_, {});
        fd_ = created.fd;
        temporary_ = created.temporary;
        if (created.failure != 0)
            return fail(FailureKind::Create, created.failure);
    }
    return !error_ && fd_ >= 0;
}

bool ReplacementFile::writePending()
{
    if (!finishOpening())
        return false;
    if (const int failure = platform::writeAll(fd_, content_.data() + written_, content_.size() - written_))
        return fail(FailureKind::Write, failure);
    written_ = content_.size();
    return true;
}

bool ReplacementFile::finish()
{
    if (error_)
        return false;
    if (!opened_)
        return fail(FailureKind::Write, EBADF);
    if (!writePending())
        return false;
    if (const int failure = platform::syncToDisk(fd_))
        return fail(FailureKind::Sync, failure);
    const int descriptor = fd_;
    fd_ = -1;
    if (const int failure = platform::closeFile(descriptor))
        return fail(FailureKind::Close, failure);
    return true;
}

bool ReplacementFile::replace()
{
    if (error_)
        return false;
    if (fd_ >= 0 || temporary_.empty())  // not finished
        return fail(FailureKind::Write, EBADF);
    if (const int failure = platform::replaceFile(temporary_, target_))
        return fail(FailureKind::Replace, failure);
    temporary_.clear();
    return true;
}

bool ReplacementFile::fail(FailureKind kind, int errorNumber)
{
    if (!error_)
        error_ = fileFailure(kind, target_, errorNumber);
    discard();
    return false;
}

void ReplacementFile::discard()
{
    if (opener_.joinable())
        opener_.join();
    if (creation_.fd >= 0) {  // created but never taken over
        fd_ = creation_.fd;
        temporary_ = creation_.temporary;
    }
    creation_ = {};
    if (fd_ >= 0) {
        platform::closeFile(fd_);  // the file is thrown away; the first failure is the cause
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        platform::removeFile(temporary_);
        temporary_.clear();
    }
    content_.clear();
    written_ = 0;
}

}  // namespace velmora
