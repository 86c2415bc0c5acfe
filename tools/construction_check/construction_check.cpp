// Builds velmora.rub twice into an empty folder with the real font, the second
// time with another text and time, and checks that the second program took
// the first one's place whole and left nothing else behind. Run where the
// test suite cannot go (a Windows build under wine), it proves the file
// replacement and the glyph reading of that system.
//
//     velmora-construction-check <glyph folder> <empty work folder>

#include "construction/program_construction.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// One line of text at X 10, Y 20, in 4 mm characters.
velmora::Result<velmora::WrittenProgram> build(const std::u32string& text, const velmora::DateTimeTexts& stamp,
                                               const velmora::ProgramPlaces& places)
{
    velmora::EngravingJob job;
    job.lineText[1] = text;
    job.charWidth = 4;
    job.charSpacing = 1;
    job.approachZ = 1;
    job.toolText = job.correctorText = "1";
    job.rangeText = "40";
    job.spindleText = "2000";
    job.feedText = "300";
    job.programNumber = "%1";

    velmora::LayoutResult layout;
    layout.charCount[1] = static_cast<int>(text.size());
    layout.totalChars = layout.charCount[1];
    layout.filledLines = 1;
    layout.firstLine = layout.lastLine = 1;
    layout.startX[1] = 10;
    layout.baseY[1] = 20;
    return velmora::buildProgramFile(job, layout, places, stamp);
}

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string failureText(const velmora::Failure& failure)
{
    return velmora::failureMessage(velmora::Task::Construction, failure).text;
}

int fail(const std::string& why)
{
    std::cerr << "ECHEC : " << why << '\n';
    return 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3)
        return fail("usage : velmora-construction-check <dossier des caractères> <dossier de travail vide>");
    const velmora::ProgramPlaces places{argv[2], argv[1], {argv[1]}};
    const std::filesystem::path program = places.workFolder / "velmora.rub";

    const auto first = build(U"PREMIER", {"06/12/2026", "08:00:00"}, places);
    if (!first.ok())
        return fail("premier programme : " + failureText(first.failure()));
    const std::string firstProgram = contents(program);

    const auto second = build(U"SECOND Été", {"06/12/2026", "08:00:01"}, places);
    if (!second.ok())
        return fail("second programme : " + failureText(second.failure()));
    const std::string secondProgram = contents(program);

    if (firstProgram.find("$ A 08:00:00\r\n") == std::string::npos)
        return fail("le premier programme ne porte pas son heure");
    if (secondProgram.find("$ A 08:00:01\r\n") == std::string::npos || secondProgram == firstProgram)
        return fail("le second programme n'a pas remplacé le premier");
    if (!secondProgram.ends_with("\r\nM2\r\n"))
        return fail("le second programme n'est pas complet");
    for (const auto& entry : std::filesystem::directory_iterator(places.workFolder)) {
        if (entry.path().filename() != "velmora.rub")
            return fail("fichier laissé dans le dossier : " + entry.path().filename().string());
    }
    std::cout << "velmora.rub construit deux fois dans " << places.workFolder.string()
              << " : le second a remplacé le premier (" << secondProgram.size() << " octets)\n";
    return 0;
}
