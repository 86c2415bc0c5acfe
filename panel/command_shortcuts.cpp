#include "command_shortcuts.h"

#include <QAbstractButton>

namespace velmora {
namespace {

struct ShortcutRow {
    const char* button;
    const char* letter;  // the first occurrence of it in the caption is marked
};

// No two buttons share a letter: Alt+E is "Enregistrer", so "Effacer" takes
// its F; Alt+A is "A propos de", so "Aperçu" takes its P.
constexpr ShortcutRow kShortcutRows[] = {
    {"Const1", "C"},    // Construire
    {"Télé1", "T"},     // Télécharger
    {"Sauve", "E"},     // Enregistrer
    {"Quitter1", "Q"},  // Quitter
    {"Apropos1", "A"},  // A propos de
    {"Effacer", "f"},   // Effacer
    {"Aperçu1", "p"},   // Aperçu
};

}  // namespace

void addCommandShortcuts(QWidget& window)
{
    for (const ShortcutRow& row : kShortcutRows) {
        auto* button = window.findChild<QAbstractButton*>(QString::fromUtf8(row.button));
        if (!button)
            continue;
        QString caption = button->text();
        const qsizetype at = caption.indexOf(QString::fromUtf8(row.letter));
        if (at < 0 || caption.contains(QLatin1Char('&')))
            continue;
        caption.insert(at, QLatin1Char('&'));
        button->setText(caption);
    }
}

}  // namespace velmora
