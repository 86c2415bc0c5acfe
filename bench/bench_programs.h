#pragma once
// What several sections of velmora-bench work on: the font shipped in Data/,
// the long texts an operator can type, the
// programs built from them by the real construction, and a hand-written
// program of many circles.

#include "construction/engraving_job.h"
#include "layout/block_layout.h"

#include <QString>

#include <filesystem>
#include <string>

namespace velmora::bench {

// The font shipped in Data/ of the source tree, read where it stands, as an
// installed font is: copying its 218 files into every run's folder would
// leave as many files deleted moments before the next run, and on a file
// system without a journal that slows each file creation for a minute.
std::filesystem::path shippedFontFolder();

// A line of `length` characters of French text, every one with its glyph.
QString sampleLine(int length, int line);

// A job of five lines of `lineLength` characters each, placed freely from
// X 10 and left-justified, characters 4 mm wide and 1 mm apart unless said
// otherwise, and its layout.
void makeTextJob(int lineLength, EngravingJob& job, LayoutResult& layout, float charWidth = 4,
                 float charSpacing = 1);

// The program the construction writes for makeTextJob with the shipped font;
// empty when it could not be built.
std::string builtProgram(int lineLength, float charWidth = 4, float charSpacing = 1);

// 200,000 full circles of radius 1 in rows of 500, 3 mm apart, joined by
// cuts, written by hand in incremental mode: twelve bytes a circle.
std::string circlesProgram();

// Writes `program` into `file`; 0 when written, as a process's exit code.
int writeProgram(const std::string& program, const char* file);

// Resident memory of this process now and at its peak, in megabytes.
double residentMegabytes();
double peakResidentMegabytes();

}  // namespace velmora::bench
