// The Windows side of readWholeFile: every system call of the reading is here.

#include "whole_file.h"

#include <algorithm>
#include <cerrno>
#include <windows.h>

namespace velmora {
namespace {

std::error_code systemError(int errorNumber) { return {errorNumber, std::generic_category()}; }
std::error_code lastError() { return systemError(errnoFromWindowsError(::GetLastError())); }

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

Result<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    const auto refused = [&path](std::error_code cause) { return Failure(FailureKind::Read, path, cause); };
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return refused(lastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return refused(systemError(EISDIR));
    // Others may go on reading and writing it, as a POSIX reader allows.
    const Handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return refused(lastError());
    // A console, a pipe or a port in a file's place is refused at once.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return refused(makeErrorCode(FileRefusal::NotRegularFile));
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return refused(lastError());
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return refused(makeErrorCode(FileRefusal::TooLarge));
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    const std::error_code failed = readToEnd(bytes, maxBytes, [&file](char* into, std::size_t wanted, std::error_code& cause) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), into, static_cast<DWORD>(std::min<std::size_t>(wanted, 1u << 30)), &got, nullptr)) {
            cause = lastError();
            return std::size_t{0};
        }
        return static_cast<std::size_t>(got);
    });
    if (failed)
        return refused(failed);
    return bytes;
}

}  // namespace velmora
