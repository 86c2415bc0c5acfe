#pragma once
// The serial settings of the form's model as the download sends them: for the
// window and the command line alike.

#include "panel/form_model.h"
#include "transmission/download.h"

#include <QString>

namespace velmora {

// The texts of the transmission frame in Windows-1252, or why they cannot go
// on the line (FailureKind::UnsendableCharacter): a typed character the code
// page does not hold would otherwise be cut off with everything after it.
Result<TransmissionTexts> readTransmissionTexts(const FormModel& form);

// "Téléchargement", the title of the question that stops a download (its
// failures take theirs from failureMessage()).
QString downloadTitle();

}  // namespace velmora
