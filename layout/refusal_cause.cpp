#include "refusal_cause.h"

#include "common/numbers.h"

#include <algorithm>

namespace velmora {
namespace {

std::string millimetres(double value)
{
    return numberTextTrimmed(value) + " mm";
}

// The width that failed the check: the widest line, as its read-out showed it
// when the job was read.
double widestLine(const BlockInput& input)
{
    double widest = 0;
    for (int line = 1; line <= 5; ++line)
        widest = std::max(widest, input.lineWidth[line]);
    return widest;
}

}  // namespace

std::string refusalCause(LayoutRefusal refusal, const BlockInput& input, double blockHeight)
{
    switch (refusal) {
    case LayoutRefusal::NoText:
        return "aucun texte à graver : les cinq lignes sont vides";
    case LayoutRefusal::DoesNotFitX:
        // Centred in X, the X position is the plate's width.
        if (input.posX < 0)
            return "la largeur de la plaque (X : " + millimetres(input.posX) + ") est négative";
        return "le bloc (" + millimetres(widestLine(input)) + ") est plus large que la plaque (X : "
            + millimetres(input.posX) + ")";
    case LayoutRefusal::DoesNotFitY:
        if (input.posY < 0)
            return "la hauteur de la plaque (Y : " + millimetres(input.posY) + ") est négative";
        return "le bloc (" + millimetres(blockHeight) + ") est plus haut que la plaque (Y : "
            + millimetres(input.posY) + ")";
    }
    return {};
}

}  // namespace velmora
