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

WholeFile readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    WholeFile result;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        result.cause = lastError();
        return result;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        result.cause = systemError(EISDIR);
        return result;
    }
    // Others may go on reading and writing it, as a POSIX reader allows.
    const Handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        result.cause = lastError();
        return result;
    }
    // A console, a pipe or a port in a file's place is refused at once.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        result.cause = makeErrorCode(FileRefusal::NotRegularFile);
        return result;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        result.cause = lastError();
        return result;
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        result.cause = makeErrorCode(FileRefusal::TooLarge);
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    result.cause = readToEnd(result.bytes, maxBytes, [&file](char* into, std::size_t wanted, std::error_code& cause) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), into, static_cast<DWORD>(std::min<std::size_t>(wanted, 1u << 30)), &got, nullptr)) {
            cause = lastError();
            return std::size_t{0};
        }
        return static_cast<std::size_t>(got);
    });
    return result;
}

}  // namespace velmora
