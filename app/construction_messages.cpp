#include "construction_messages.h"

#include "common/codepage.h"
#include "panel/qt_text.h"

#include <QStringList>

namespace velmora {
namespace {

// A character that reads as itself in a message box: printable and held by
// the code page.
bool isPlainCharacter(char32_t character)
{
    return character >= 0x20 && character != 0x7F && !(character >= 0x80 && character < 0xA0)
           && cp1252::encode(character).has_value();
}

// Control characters are shown by their picture (U+2400 and on), so that the
// message never carries a NUL or a line break.
QString shownCharacter(char32_t character)
{
    if (character < 0x20)
        character += 0x2400;
    else if (character == 0x7F)
        character = 0x2421;
    else if (character >= 0x80 && character < 0xA0)
        character = 0xFFFD;
    return fromLineText(std::u32string_view(&character, 1));
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
    const QString text = QStringLiteral("La gravure du caractère  (") + shownCharacter(character)
                         + QStringLiteral(")  est impossible");
    if (isPlainCharacter(character))
        return text;
    // A control character shows as nothing or as a box; its code says which
    // one it is.
    return text + QStringLiteral(" (U+%1)").arg(static_cast<uint>(character), 4, 16, QChar(u'0')).toUpper();
}

QString noFontText(const std::vector<std::filesystem::path>& searched)
{
    QStringList folders;
    for (const std::filesystem::path& folder : searched)
        folders << QString::fromStdU32String(folder.u32string());
    const QString last = folders.isEmpty() ? QString() : folders.takeLast();
    const QString where = folders.isEmpty() ? last : folders.join(QStringLiteral(", ")) + QStringLiteral(" et ") + last;
    return QStringLiteral("Aucune police : le dossier Data est introuvable (cherché dans %1)").arg(where);
}

QString fileFailureText(const FileError& error)
{
    return QString::fromStdString(error.describe());
}

}  // namespace velmora
