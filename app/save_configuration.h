#pragma once
// "Enregistrer": the operator's settings written to velmora.txt after a
// question, then the progress meter run once across to show it is done.

#include "app/configuration_file.h"

#include <chrono>
#include <filesystem>

namespace velmora {

class MainWindow;
class MessageSeam;
class Meter;
class PauseSeam;

// How long the full bar stays up before the meter goes back to rest.
inline constexpr std::chrono::milliseconds kFullMeterPause{500};

// "Enregistrer": asks, then saves the window's model. Cancel (or closing the question) leaves
// the file and the window as they were. A save that fails is told with a
// critical message and leaves the old file exactly as it was; the meter runs
// only once the new file is complete and in place.
void askAndSaveConfiguration(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                             const std::filesystem::path& folder);

// The save meter: across from " 0 %" to " 100 %", held full for a moment,
// then back to "0 %" and the thin bar.
void runSaveMeter(Meter& meter, PauseSeam& pause);

}  // namespace velmora
