#include "preview_texts.h"

#include "common/codepage.h"

#include <cmath>

namespace velmora::preview {
namespace {

// One decimal, "." as the point whatever the locale, like every figure of
// the program.
QString millimetres(double value)
{
    return QString::number(value, 'f', 1) + QStringLiteral(" mm");
}

QString twoDigits(long long value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString causeText(simulation::StopCause cause)
{
    using simulation::StopCause;
    switch (cause) {
    case StopCause::UnknownWord: return QStringLiteral("mot inconnu");
    case StopCause::MalformedNumber: return QStringLiteral("nombre mal écrit");
    case StopCause::MissingValue: return QStringLiteral("mot sans valeur");
    case StopCause::UnsupportedCode: return QStringLiteral("code G que le système n'écrit pas");
    case StopCause::ConflictingWords: return QStringLiteral("mots contradictoires sur la ligne");
    case StopCause::MissingMotionMode: return QStringLiteral("coordonnées avant tout G0, G1, G2 ou G3");
    case StopCause::BadArc: return QStringLiteral("arc impossible");
    case StopCause::OutOfReach: return QStringLiteral("point à plus de 10 m de l'origine");
    }
    return QStringLiteral("ligne illisible");
}

// A program line is shown as written, but a long one is cut so the message
// stays on one line under the drawing.
QString quotedLine(std::string_view bytes)
{
    constexpr qsizetype kLongest = 40;
    QString line = QString::fromStdU32String(cp1252::decode(bytes)).trimmed();
    if (line.size() > kLongest)
        line = line.left(kLongest) + QStringLiteral("…");
    return line;
}

}  // namespace

QString durationText(double seconds)
{
    // A year and more is no estimate any more; it also keeps the conversion
    // to a whole number of seconds far from overflowing.
    constexpr double kLongest = 9999 * 3600.0;
    if (!(seconds <= kLongest))
        return QStringLiteral("plus de 9999 h");
    const long long total = std::llround(std::max(0.0, seconds));
    const long long hours = total / 3600;
    const long long minutes = total / 60 % 60;
    const long long rest = total % 60;
    if (hours > 0)
        return QStringLiteral("%1 h %2 min %3 s").arg(hours).arg(twoDigits(minutes), twoDigits(rest));
    if (minutes > 0)
        return QStringLiteral("%1 min %2 s").arg(minutes).arg(twoDigits(rest));
    return QStringLiteral("%1 s").arg(rest);
}

QString summaryText(const simulation::PathLengths& lengths, std::optional<double> seconds, bool partial)
{
    const QString duration = seconds ? durationText(*seconds) : QStringLiteral("inconnue (avance nulle)");
    QString text = QStringLiteral("Coupe : %1  Rapide : %2  Durée estimée : %3")
                       .arg(millimetres(lengths.cutting), millimetres(lengths.rapid), duration);
    if (partial)
        text += QStringLiteral("  (programme lu en partie)");
    return text;
}

QString stopText(const simulation::InterpretationStop& stop, std::string_view lineText)
{
    QString text = QStringLiteral("Ligne %1 non interprétée : %2").arg(stop.line).arg(causeText(stop.cause));
    const QString line = quotedLine(lineText);
    if (!line.isEmpty())
        text += QStringLiteral(" (%1)").arg(line);
    return text;
}

QString tooManyMovesText(int lastLineRead)
{
    return QStringLiteral("Aperçu limité aux %1 premiers déplacements : dessin arrêté après la ligne %2")
        .arg(static_cast<qulonglong>(kMostTracedMoves))
        .arg(lastLineRead);
}

QString retractText(double retractZ)
{
    return QStringLiteral("Hauteur de retrait (G0G52Z) supposée : Z %1").arg(millimetres(retractZ));
}

QString estimateNote()
{
    return QStringLiteral("Durée estimée : coupes à l'avance (Avance), déplacements rapides à %1 mm/min, "
                          "sans accélérations ni changement d'outil. Les longueurs partent de l'origine "
                          "programme, outil dégagé. Le retrait G0G52Z est compté jusqu'à Z %2 mm, ou "
                          "jusqu'à %3 mm au-dessus du dessus de la pièce quand celui-ci est plus haut.")
        .arg(kRapidRate, 0, 'f', 0)
        .arg(kDefaultRetractZ, 0, 'f', 0)
        .arg(kRetractClearance, 0, 'f', 0);
}

}  // namespace velmora::preview
