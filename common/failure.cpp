#include "failure.h"

#include "codepage.h"
#include "numbers.h"

#include <cerrno>
#include <cstdio>

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

// The cause alone: "le disque est plein". Every system error has a French
// sentence; an error number the table does not know is named by its number,
// never by the system's English.
std::string frenchCause(const std::error_code& cause)
{
    if (cause.category() == kRefusals)
        return cause.message();
    for (const CauseRow& row : kCauseRows)
        if (row.errorNumber == cause.value())
            return row.text;
    return "erreur système " + std::to_string(cause.value());
}

// The words of a step on a file: "Impossible d'écrire le fichier".
const char* stepPhrase(FailureKind kind)
{
    switch (kind) {
    case FailureKind::Create:
        return "Impossible de créer le fichier";
    case FailureKind::Sync:
        return "Impossible d'enregistrer sur le disque le fichier";
    case FailureKind::Close:
        return "Impossible de fermer le fichier";
    case FailureKind::Replace:
        return "Impossible de remplacer le fichier";
    case FailureKind::Read:
        return "Impossible de lire le fichier";
    default:
        return "Impossible d'écrire le fichier";
    }
}

std::string utf8(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

std::string codeOf(char32_t character)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    return code;
}

// A character that reads as itself in a message box: printable and held by
// the code page.
bool isPlainCharacter(char32_t character)
{
    return character >= 0x20 && character != 0x7F && !(character >= 0x80 && character < 0xA0)
           && cp1252::encode(character).has_value();
}

// Control characters are shown by their picture (U+2400 and on), so that the
// message never carries a NUL or a line break.
std::string shownCharacter(char32_t character)
{
    if (character < 0x20)
        character += 0x2400;
    else if (character == 0x7F)
        character = 0x2421;
    else if ((character >= 0x80 && character < 0xA0) || (character >= 0xD800 && character < 0xE000)
             || character > 0x10FFFF)
        character = 0xFFFD;
    return cp1252::toUtf8(character);
}

// "<first>, <second> et <last>"
std::string folderList(const std::vector<std::filesystem::path>& folders)
{
    std::string list;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0)
            list += i + 1 == folders.size() ? " et " : ", ";
        list += utf8(folders[i]);
    }
    return list;
}

std::string millimetres(double value)
{
    return numberTextTrimmed(value) + " mm";
}

// Centred in X (or Y), the position is the plate's width (or height).
std::string blockCause(const Failure& failure)
{
    const bool wide = failure.kind == FailureKind::BlockTooWide;
    const std::string plate = std::string(wide ? "(X : " : "(Y : ") + millimetres(failure.plateMillimetres) + ")";
    if (failure.plateMillimetres < 0)
        return std::string(wide ? "la largeur" : "la hauteur") + " de la plaque " + plate + " est négative";
    return "le bloc (" + millimetres(failure.blockMillimetres) + ") est plus " + (wide ? "large" : "haut")
           + " que la plaque " + plate;
}

Message constructionMessage(const Failure& failure)
{
    Message message{"Echec de la construction", {}, {}};
    switch (failure.kind) {
    // A refused layout: the value the operator is to change, with the numbers
    // that decided it.
    case FailureKind::NoText:
        message.text = "Modifier les paramètres";
        message.cause = "aucun texte à graver : les cinq lignes sont vides";
        break;
    case FailureKind::BlockTooWide:
    case FailureKind::BlockTooHigh:
        message.text = "Modifier les paramètres";
        message.cause = blockCause(failure);
        break;
    // The text changed under the choice so that nothing is left to resume
    // from: the job as set cannot be built, as for a refused layout.
    case FailureKind::NoCharacterThere:
        message.text = "Modifier les paramètres";
        message.cause = "la ligne " + std::to_string(failure.line) + " n'a pas de caractère "
                        + std::to_string(failure.rank);
        break;
    case FailureKind::OnlyBlanksLeft:
        message.text = "Modifier les paramètres";
        message.cause = "il ne reste que des blancs à partir de la ligne " + std::to_string(failure.line)
                        + ", caractère " + std::to_string(failure.rank);
        break;
    case FailureKind::MissingGlyph:
        message.text = "La gravure du caractère  (" + shownCharacter(failure.character) + ")  est impossible";
        // A control character shows as nothing or as a box; its code says
        // which one it is.
        if (!isPlainCharacter(failure.character))
            message.text += " (" + codeOf(failure.character) + ")";
        break;
    case FailureKind::NoFont:
        message.text = "Aucune police : le dossier Data est introuvable (cherché dans " + folderList(failure.searched)
                       + ")";
        break;
    default:
        message.text = std::string(stepPhrase(failure.kind)) + ' ' + utf8(failure.file) + " : ";
        // A file cannot be created only when its folder is missing.
        if (failure.kind == FailureKind::Create && failure.cause == std::errc::no_such_file_or_directory)
            message.text += "le dossier n'existe pas";
        else
            message.text += frenchCause(failure.cause);
        break;
    }
    return message;
}

Message saveMessage(const Failure& failure)
{
    const std::string name = utf8(failure.file.filename());
    const std::string nothingChanged = "Le fichier " + name + " n'a pas été modifié.";
    Message message{"Enregistrement", {}, {}};
    switch (failure.kind) {
    case FailureKind::UnstorableCharacter: {
        const std::string where = "« " + failure.detail + " »";
        if (failure.character == U'\r' || failure.character == U'\n')
            message.text = where + " contient un saut de ligne, qui ne peut pas être enregistré.\n" + nothingChanged;
        else
            message.text = "Le caractère « " + cp1252::toUtf8(failure.character) + " » ("
                           + codeOf(failure.character) + ") de " + where + " ne peut pas être enregistré.\n"
                           + nothingChanged;
        return message;
    }
    case FailureKind::LineBreakInValue:
        message.text = "Un réglage contient un saut de ligne";
        break;
    case FailureKind::Create:
    case FailureKind::Replace:
        message.text = std::string(stepPhrase(failure.kind)) + ' ' + name + " : " + frenchCause(failure.cause);
        break;
    default:  // the operator knows no step between the first byte and the last
        message.text = std::string(stepPhrase(FailureKind::Write)) + ' ' + name + " : " + frenchCause(failure.cause);
        break;
    }
    message.text += ".\n" + nothingChanged;
    return message;
}

// A field named as such when empty, so the message never ends on a bare
// colon.
std::string shownField(const std::string& text)
{
    return text.empty() ? "(vide)" : text;
}

// "COM2" as the operator chose it, with the device behind it when that
// differs: "COM2 (/dev/ttyS1)".
std::string portName(int port, const std::filesystem::path& device)
{
    const std::string name = "COM" + std::to_string(port);
    const std::string deviceName = utf8(device);
    return deviceName.empty() || deviceName == name ? name : name + " (" + deviceName + ")";
}

Message downloadMessage(const Failure& failure)
{
    const std::string port = portName(failure.port, failure.file);
    Message message{"Téléchargement", {}, {}};
    std::string& text = message.text;
    switch (failure.kind) {
    case FailureKind::Read:
        if (failure.cause == std::errc::no_such_file_or_directory)
            text = "Le fichier " + utf8(failure.file.filename()) + " est introuvable";
        else
            text = "Lecture du fichier " + utf8(failure.file.filename()) + " impossible : " + frenchCause(failure.cause);
        break;
    case FailureKind::UnsendableCharacter:
        text = failure.detail + " : le caractère « " + cp1252::toUtf8(failure.character) + " » ne peut pas être transmis";
        break;
    case FailureKind::BadLineSettings:
        text = "Paramètres de transmission invalides : " + shownField(failure.detail);
        break;
    case FailureKind::BadSpeed:
        text = "Vitesse de transmission invalide : " + shownField(failure.detail);
        break;
    case FailureKind::BadParity:
        text = "Parité invalide : " + shownField(failure.detail);
        break;
    case FailureKind::BadDataBits:
        text = "Nombre de bits invalide : " + shownField(failure.detail);
        break;
    case FailureKind::BadStopBits:
        text = "Bits stop invalides : " + shownField(failure.detail);
        break;
    case FailureKind::NoOneAndHalfStopBits:
        text = "Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2";
        break;
    // "Problème de connexion" is what the operator has always read for a port
    // that is not there; the cause under it names the port chosen, the device
    // it stands for and the system's reason.
    case FailureKind::InvalidPort:
        text = "Problème de connexion";
        message.cause = "Port invalide : "
                        + shownField(failure.detail.find_first_not_of(" \t") == std::string::npos ? "" : failure.detail);
        break;
    case FailureKind::NoSuchPort:
        text = "Problème de connexion";
        message.cause = "Port COM" + std::to_string(failure.port);
        if (failure.file.empty())
            message.cause += " : aucun périphérique ne lui correspond";
        else
            message.cause += ", périphérique " + utf8(failure.file) + " : " + frenchCause(failure.cause);
        break;
    case FailureKind::PortBusy:
        text = "Le port " + port + " est déjà utilisé";
        break;
    case FailureKind::PortAccessDenied:
        text = "Accès au port " + port + " refusé";
        break;
    case FailureKind::Stalled:
        text = "Transmission interrompue : le port " + port + " ne prend plus les données";
        break;
    case FailureKind::WriteFailed:
        text = "Transmission interrompue : erreur d'écriture sur le port " + port;
        break;
    case FailureKind::Stopped:
        text = "Téléchargement arrêté : " + std::to_string(failure.itemsSent) + " éléments sur "
               + std::to_string(failure.itemCount) + " envoyés.\nLa machine contient un programme incomplet.";
        break;
    default:
        text = "Ouverture du port " + port + " impossible";
        break;
    }
    return message;
}

}  // namespace

std::error_code makeErrorCode(FileRefusal refusal)
{
    return {static_cast<int>(refusal), kRefusals};
}

Failure fileFailure(FailureKind kind, std::filesystem::path file, int errorNumber)
{
    return Failure(kind, std::move(file), std::error_code(errorNumber, std::generic_category()));
}

Message failureMessage(Task task, const Failure& failure)
{
    switch (task) {
    case Task::Construction:
        return constructionMessage(failure);
    case Task::SaveConfiguration:
        return saveMessage(failure);
    case Task::Download:
        return downloadMessage(failure);
    case Task::LoadConfiguration:
    case Task::StartWindow:
        break;
    }
    Message message{"Configuration",
                    "Impossible de lire le fichier " + utf8(failure.file.filename()) + " : " + frenchCause(failure.cause)
                        + ".",
                    {}};
    if (task == Task::StartWindow)
        message.text += "\nLes réglages par défaut sont utilisés.";
    return message;
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
