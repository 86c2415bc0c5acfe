#include "construction_messages.h"

#include "panel/qt_text.h"

#include <cerrno>
#include <string>

namespace velmora {
namespace {

struct CauseRow {
    int errorNumber;
    const char* text;
};

// The causes an operator can meet and act on, said in the window's language;
// any other keeps the system's own wording.
const CauseRow kCauseRows[] = {
    {ENOSPC, "le disque est plein"},
    {EDQUOT, "le quota du disque est atteint"},
    {EACCES, "accès refusé"},
    {EPERM, "opération non permise"},
    {EROFS, "le support est en lecture seule"},
    {ENOENT, "le dossier n'existe pas"},
    {ENOTDIR, "le chemin du dossier n'est pas un dossier"},
    {EISDIR, "c'est un dossier"},
    {EIO, "erreur de lecture ou d'écriture sur le support"},
};

const char* frenchCause(const std::error_code& cause)
{
    if (cause.category() != std::generic_category() && cause.category() != std::system_category())
        return nullptr;
    for (const CauseRow& row : kCauseRows)
        if (row.errorNumber == cause.value())
            return row.text;
    return nullptr;
}

}  // namespace

QString constructionFailureTitle()
{
    return QStringLiteral("Echec de la construction");
}

QString refusedLayoutText()
{
    return QStringLiteral("Modifier les paramètres");
}

QString missingGlyphText(char32_t character)
{
    return QStringLiteral("La gravure du caractère  (") + fromLineText(std::u32string_view(&character, 1))
        + QStringLiteral(")  est impossible");
}

QString fileFailureText(const FileError& error)
{
    // describe() ends with the system's wording of the cause after " : ".
    std::string text = error.describe();
    if (const char* cause = frenchCause(error.cause)) {
        const std::string systemCause = error.cause.message();
        if (text.ends_with(systemCause))
            text.replace(text.size() - systemCause.size(), systemCause.size(), cause);
    }
    return QString::fromStdString(text);
}

}  // namespace velmora
