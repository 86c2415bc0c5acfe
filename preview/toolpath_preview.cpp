#include "toolpath_preview.h"

#include "common/fields.h"
#include "common/whole_file.h"
#include "layout/placement.h"

namespace velmora::preview {
namespace {

bool leftCorner(Corner corner) { return corner == Corner::TopLeft || corner == Corner::BottomLeft; }
bool topCorner(Corner corner) { return corner == Corner::TopLeft || corner == Corner::TopRight; }

// A plate of negative size cannot hold a block; the construction refuses it,
// so nothing is drawn for it.
std::optional<Range> span(double size, bool fromZero)
{
    if (size < 0)
        return std::nullopt;
    return fromZero ? Range{0, size} : Range{-size, 0};
}

}  // namespace

PlateExtent plateExtent(Placement placement, Corner corner, double posX, double posY)
{
    PlateExtent plate;
    if (corner == Corner::None)
        return plate;
    if (centresX(placement))
        plate.x = span(posX, leftCorner(corner));
    if (centresY(placement))
        plate.y = span(posY, !topCorner(corner));
    return plate;
}

ToolpathPreview previewProgram(std::string_view program)
{
    ToolpathPreview preview;
    preview.interpretation = simulation::interpretProgram(program);
    preview.cuts = simulation::cuttingBounds(preview.interpretation.moves);
    preview.lengths = simulation::pathLengths(preview.interpretation.moves);
    if (const auto& stop = preview.interpretation.stop) {
        const std::vector<std::string> lines = splitLines(program);
        if (stop->line >= 1 && static_cast<std::size_t>(stop->line) <= lines.size())
            preview.stopLineText = lines[static_cast<std::size_t>(stop->line) - 1];
    }
    return preview;
}

std::optional<double> machiningSeconds(const simulation::PathLengths& lengths, double feed, double rapidRate)
{
    if (!(feed > 0) || !(rapidRate > 0))
        return std::nullopt;
    return 60 * (lengths.cutting / feed + lengths.rapid / rapidRate);
}

std::optional<std::string> readProgramFile(const std::filesystem::path& file)
{
    WholeFile program = readWholeFile(file, kProgramFileLimit);
    if (!program.read())
        return std::nullopt;
    return std::move(program.bytes);
}

}  // namespace velmora::preview
