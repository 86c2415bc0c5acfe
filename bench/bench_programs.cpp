#include "bench_programs.h"

#include "construction/program_writer.h"
#include "construction/program_construction.h"

#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <sstream>

namespace velmora::bench {
namespace {

const QString kSample = QString::fromUtf8("Où l'été s'achève, Noël ÇÀ 0123456789 gjpqy € « œ » ÂÊÎÔÛ "
                                          "Plaque gravée n° 12 : atelier B, machine 3. ");

double statusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) / 1024.0;  // kB
    return 0;
}

}  // namespace

std::filesystem::path shippedFontFolder() { return VELMORA_SHIPPED_FONT; }

QString sampleLine(int length, int line)
{
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i)
        text += kSample[(i + 7 * line) % kSample.size()];
    return text;
}

void makeTextJob(int lineLength, EngravingJob& job, LayoutResult& layout, float charWidth, float charSpacing)
{
    job.charWidth = charWidth;
    job.charSpacing = charSpacing;
    job.lineSpacing = 2;
    job.approachZ = 3.5;
    job.toolChange = true;
    job.coolant = true;
    job.toolText = "3";
    job.correctorText = "3";
    job.rangeText = "40";
    job.spindleText = "2000";
    job.feedText = "300";
    job.programNumber = "%12";
    for (int line = 1; line <= kLineCount; ++line) {
        job.lineText[line] = sampleLine(lineLength, line).toStdU32String();
        layout.charCount[line] = lineLength;
        layout.startX[line] = 10;
        layout.baseY[line] = -7.0 - 9.0 * (line - 1);
    }
    layout.totalChars = lineLength * kLineCount;
    layout.filledLines = kLineCount;
    layout.firstLine = 1;
    layout.lastLine = kLineCount;
}

std::string builtProgram(int lineLength, float charWidth, float charSpacing)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    if (!dir.isValid())
        return {};
    EngravingJob job;
    LayoutResult layout;
    makeTextJob(lineLength, job, layout, charWidth, charSpacing);
    if (!buildProgramFile(job, layout, ProgramPlaces{folder, shippedFontFolder(), {}},
                          DateTimeTexts{"06/12/2026", "20:00:00"})
             .ok())
        return {};
    std::ifstream in(folder / "velmora.rub", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string circlesProgram()
{
    constexpr int kCircles = 200'000;
    constexpr int kPerRow = 500;
    std::string program = "%1\r\nG0G17G40G80G90M5M9\r\nG0X0Y0\r\nG0Z1\r\nG1Z-.2\r\nG91\r\n";
    program.reserve(program.size() + kCircles * 12 + 64);
    for (int circle = 1; circle <= kCircles; ++circle) {
        program += "G2I1\r\n";
        program += circle % kPerRow ? "G1X3\r\n" : "G1X-1497Y-3\r\n";
    }
    return program + "G90\r\nG0G52Z\r\nM2\r\n";
}

int writeProgram(const std::string& program, const char* file)
{
    std::ofstream out(file, std::ios::binary);
    out << program;
    out.close();
    return !program.empty() && out ? 0 : 1;
}

double residentMegabytes()
{
    return statusMegabytes("VmRSS");
}

double peakResidentMegabytes()
{
    return statusMegabytes("VmHWM");
}

}  // namespace velmora::bench
