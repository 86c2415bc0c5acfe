// The Windows side of the file replacement: every system call of the writing,
// the syncing and the renaming is here. The file is a C runtime descriptor so
// that the replacement holds the same kind of handle on every system; the
// syncing and the renaming go to Win32 itself.

#include "replacement_file_system.h"

#include "failure.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace velmora::replacement_system {

int createNewFile(const std::filesystem::path& path, const std::filesystem::path&, int& descriptor)
{
    // The new file takes the folder's access rights, as the replaced one did.
    const int fd = ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                            _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return errno;
    descriptor = fd;
    return 0;
}

int writeAll(int descriptor, const char* bytes, std::size_t size)
{
    // _write takes at most an unsigned int of bytes at once.
    constexpr std::size_t kLargestWrite = 1u << 30;
    std::size_t done = 0;
    while (done < size) {
        const std::size_t part = size - done < kLargestWrite ? size - done : kLargestWrite;
        const int written = ::_write(descriptor, bytes + done, static_cast<unsigned int>(part));
        if (written < 0)
            return errno;
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

int syncToDisk(int descriptor)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    if (handle == INVALID_HANDLE_VALUE)
        return EBADF;
    return ::FlushFileBuffers(handle) ? 0 : errnoFromWindowsError(::GetLastError());
}

int closeFile(int descriptor) { return ::_close(descriptor) == 0 ? 0 : errno; }

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    // Write-through: MoveFileExW returns once the new name is on the disk.
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return errnoFromWindowsError(::GetLastError());
}

void removeFile(const std::filesystem::path& path) { ::DeleteFileW(path.c_str()); }

long currentProcess() { return static_cast<long>(::GetCurrentProcessId()); }

bool processIsGone(long process)
{
    const HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no process has that number
    DWORD exitCode = 0;
    const bool ended = ::GetExitCodeProcess(handle, &exitCode) && exitCode != STILL_ACTIVE;
    ::CloseHandle(handle);
    return ended;
}

}  // namespace velmora::replacement_system
