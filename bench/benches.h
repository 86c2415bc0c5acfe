#pragma once
// One function per section of velmora-bench; each prints what it measured
// against its target.

#include <string>

namespace velmora::bench {

// A construction of 10,000 characters against one plain write of its bytes.
void constructionBench();
// "Construire" from the window against the core alone, 10,000 characters.
void constructionWindowBench();
// The extents' arithmetic over five long lines.
void layoutBench();
// Typing into the main window and loading a long listing.
void windowBench();
// Saving and loading velmora.txt.
void configurationBench();
// Reading a long program into tool moves, its lengths and cell checks.
void simulationBench();
// Settings given to the window at start-up; a save with its meter.
void shellBench();
// The preview of the 10,000-character program; the 200,000 circles and the
// largest program from file to first paint, each in a process of its own.
void previewBench();
// Start-up to the main window with and without a program, each in a process
// of its own.
void startupBench();

// What velmora-bench runs in the processes it starts.
int previewChild(const char* file);
int startupChild(const char* folder);
// A program of this many lines like the construction writes, for the download.
std::string downloadProgramOf(int items);
// Sends 20,000 items over a pseudo-terminal drained by a reader thread.
void downloadBench();
// The same download through the live window, "Télécharger" answered OK.
void downloadWindowBench();

}  // namespace velmora::bench
