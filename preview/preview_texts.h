#pragma once
// What the preview tells the operator under the drawing, in French: the
// lengths and the time of the job, and the line a program could not be read
// past.

#include "toolpath_preview.h"

#include <QString>

#include <optional>

namespace velmora::preview {

// "2 min 05 s", "42 s", "1 h 02 min 05 s": whole seconds, rounded.
QString durationText(double seconds);

// "Coupe : 123.4 mm  Rapide : 456.7 mm  Durée estimée : 2 min 05 s". A
// program read only in part says so, since its figures are too short.
QString summaryText(const simulation::PathLengths& lengths, std::optional<double> seconds, bool partial);

// "Ligne 57 non interprétée : code G que le système n'écrit pas (G4X1)".
// `lineText` is the line as written, in Windows-1252 bytes.
QString stopText(const simulation::InterpretationStop& stop, std::string_view lineText);

// "Aperçu limité aux 5000000 premiers déplacements : dessin arrêté après la
// ligne 250001".
QString tooManyMovesText(int lastLineRead);

// "Hauteur de retrait (G0G52Z) supposée : Z 50.0 mm".
QString retractText(double retractZ);

// How the estimate is made, for the operator who wonders.
QString estimateNote();

}  // namespace velmora::preview
