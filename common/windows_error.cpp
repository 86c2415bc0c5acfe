#include "windows_error.h"

#include <cerrno>
#include <windows.h>

namespace velmora {
namespace {

struct WindowsErrorRow {
    unsigned long windowsError;
    int errorNumber;
};

constexpr WindowsErrorRow kRows[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_SHARING_VIOLATION, EBUSY},
    {ERROR_LOCK_VIOLATION, EBUSY},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_NOT_SAME_DEVICE, EXDEV},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_INVALID_HANDLE, EBADF},
    {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
};

}  // namespace

int errnoFromWindowsError(unsigned long windowsError)
{
    for (const WindowsErrorRow& row : kRows) {
        if (row.windowsError == windowsError)
            return row.errorNumber;
    }
    return EIO;
}

}  // namespace velmora
