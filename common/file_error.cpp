#include "file_error.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora {
namespace {

struct CauseRow {
    int errorNumber;
    const char* text;
};

// The causes a file or a port can meet, in the window's language.
const CauseRow kCauseRows[] = {
    {ENOENT, "le fichier ou le dossier n'existe pas"},
    {ENOSPC, "le disque est plein"},
#ifdef EDQUOT  // no disk quotas on Windows
    {EDQUOT, "le quota du disque est atteint"},
#endif
    {EFBIG, "le fichier dépasse la taille permise"},
    {EACCES, "accès refusé"},
    {EPERM, "opération non permise"},
    {EROFS, "le support est en lecture seule"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EISDIR, "c'est un dossier"},
    {ELOOP, "trop de liens symboliques"},
    {ENAMETOOLONG, "le nom est trop long"},
    {EIO, "erreur de lecture ou d'écriture sur le support"},
    {EBUSY, "le fichier est occupé"},
    {ETXTBSY, "le fichier est occupé"},
    {EEXIST, "le fichier existe déjà"},
    {EMFILE, "trop de fichiers ouverts"},
    {ENFILE, "trop de fichiers ouverts"},
    {ENOMEM, "mémoire insuffisante"},
    {EXDEV, "le fichier est sur un autre support"},
    {EINVAL, "opération impossible sur ce fichier"},
    {EBADF, "le fichier n'est pas ouvert"},
    {ENXIO, "le périphérique n'existe pas"},
    {ENODEV, "le périphérique n'existe pas"},
    {EAGAIN, "le fichier n'est pas prêt"},
};

class RefusalCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "velmora-file"; }
    std::string message(int value) const override
    {
        switch (static_cast<FileRefusal>(value)) {
        case FileRefusal::NotRegularFile:
            return "ce n'est pas un fichier ordinaire";
        case FileRefusal::TooLarge:
            return "le fichier est trop grand";
        }
        return "fichier refusé";
    }
};

const RefusalCategory kRefusals;

const char* actionPhrase(FileAction action)
{
    switch (action) {
    case FileAction::Create:
        return "Impossible de créer le fichier";
    case FileAction::Write:
        return "Impossible d'écrire le fichier";
    case FileAction::Sync:
        return "Impossible d'enregistrer sur le disque le fichier";
    case FileAction::Close:
        return "Impossible de fermer le fichier";
    case FileAction::Replace:
        return "Impossible de remplacer le fichier";
    case FileAction::Read:
        return "Impossible de lire le fichier";
    }
    return "Impossible d'utiliser le fichier";
}

}  // namespace

std::error_code makeErrorCode(FileRefusal refusal)
{
    return {static_cast<int>(refusal), kRefusals};
}

std::string frenchCause(const std::error_code& cause)
{
    if (cause.category() == kRefusals)
        return cause.message();
    for (const CauseRow& row : kCauseRows)
        if (row.errorNumber == cause.value())
            return row.text;
    return "erreur système " + std::to_string(cause.value());
}

std::string FileError::describe() const
{
    const std::u8string name = path.u8string();
    std::string text = actionPhrase(action);
    text += ' ';
    text.append(name.begin(), name.end());
    text += " : ";
    // A file cannot be created only when its folder is missing.
    if (action == FileAction::Create && cause == std::errc::no_such_file_or_directory)
        text += "le dossier n'existe pas";
    else
        text += frenchCause(cause);
    return text;
}

FileError fileErrorFromErrno(FileAction action, std::filesystem::path path, int errorNumber)
{
    return {action, std::move(path), std::error_code(errorNumber, std::generic_category())};
}

#ifdef _WIN32

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

#endif

}  // namespace velmora
