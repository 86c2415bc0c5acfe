// Pictures of the engraving font and of programs, to look at them as an
// operator would see them cut.
//
//   velmora-render sheet <Data folder> <picture.png>
//       every glyph of the code page in its cell, with its code
//   velmora-render text <Data folder> <picture.png> <line> [<line> ...]
//       the lines of text set with the glyph files at their drawn size
//       (characters 4 mm wide, 1 mm apart), with the cell checks
//   velmora-render program <program file> <picture.png>
//       any program of this system, with its lengths

#include "drawing.h"

#include "common/codepage.h"
#include "simulation/program_interpreter.h"
#include "simulation/program_measures.h"
#include "simulation/glyph_proof.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <string>

using namespace velmora;

namespace {

std::optional<std::string> readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<std::string> readGlyph(const QString& folder, int code)
{
    return readBytes(folder + "/Ascii" + QString::number(code) + ".prg");
}

bool isPrintable(int code)
{
    const char32_t c = cp1252::decode(static_cast<std::uint8_t>(code));
    return code >= 32 && code != 127 && !(c >= 0x80 && c < 0xA0);
}

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool save(const QImage& image, const QString& path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

QString characterName(int code)
{
    const char32_t c = cp1252::decode(static_cast<std::uint8_t>(code));
    return QString::number(code) + " " + QString::fromStdString(cp1252::toUtf8(c));
}

// One glyph drawn in its cell, set at (0, 0) as the program would place it.
void drawGlyph(QPainter& painter, const render::View& view, const QString& folder, int code)
{
    const simulation::Cell cell = simulation::cellAt(0, 0, 4);
    render::drawCell(painter, view, cell, true);
    const std::optional<std::string> glyph = readGlyph(folder, code);
    if (!glyph) {
        render::drawLabel(painter, view.toPixels(0.5, 3.5), "absent", Qt::red);
        return;
    }
    const simulation::GlyphProof proof = simulation::unitScaleProof({{*glyph}});
    const simulation::Interpretation moves = simulation::interpretProgram(proof.program);
    render::drawMoves(painter, view, moves.moves);
    if (!moves.ok())
        render::drawLabel(painter, view.toPixels(0, 3.5), "illisible", Qt::red);
}

int renderSheet(const QString& folder, const QString& out)
{
    constexpr int columns = 16;
    constexpr double unit = 14;
    const int cellWidth = static_cast<int>(4 * unit) + 22;
    const int cellHeight = static_cast<int>(7 * unit) + 34;
    QList<int> codes;
    for (int code = 32; code < 256; ++code)
        if (isPrintable(code))
            codes.append(code);
    const int rows = (static_cast<int>(codes.size()) + columns - 1) / columns;
    QImage image = blankImage(columns * cellWidth + 20, rows * cellHeight + 20);
    QPainter painter(&image);
    for (int i = 0; i < codes.size(); ++i) {
        const QPointF corner(20 + (i % columns) * cellWidth, 20 + (i / columns) * cellHeight);
        const render::View view{unit, corner + QPointF(0, 7 * unit)};
        drawGlyph(painter, view, folder, codes[i]);
        render::drawLabel(painter, corner + QPointF(0, 7 * unit + 16), characterName(codes[i]));
    }
    painter.end();
    return save(image, out) ? 0 : 1;
}

void printViolations(const std::vector<simulation::Violation>& violations)
{
    for (const simulation::Violation& v : violations)
        std::printf("line %d: %s\n", v.line, v.what.c_str());
    std::printf("%zu problem(s)\n", violations.size());
}

int renderText(const QString& folder, const QString& out, const QStringList& lines)
{
    std::vector<std::vector<std::string>> glyphs;
    std::size_t longest = 0;
    for (const QString& line : lines) {
        const cp1252::EncodeResult bytes = cp1252::encode(line.toStdU32String());
        if (!bytes.ok()) {
            std::fprintf(stderr, "character outside Windows-1252 in \"%s\"\n", qPrintable(line));
            return 2;
        }
        glyphs.emplace_back();
        for (unsigned char code : bytes.bytes)
            glyphs.back().push_back(readGlyph(folder, code).value_or(std::string()));
        longest = std::max(longest, bytes.bytes.size());
    }
    const simulation::GlyphProof proof = simulation::unitScaleProof(glyphs);
    const simulation::Interpretation moves = simulation::interpretProgram(proof.program);
    constexpr double unit = 24;
    QImage image = blankImage(static_cast<int>((longest * 5.0 + 1) * unit), static_cast<int>((lines.size() * 9.0) * unit));
    QPainter painter(&image);
    const render::View view{unit, QPointF(unit, 7.5 * unit)};
    for (const simulation::Cell& cell : proof.cells)
        render::drawCell(painter, view, cell, false);
    render::drawMoves(painter, view, moves.moves);
    painter.end();
    simulation::CellCheckOptions options;
    options.engravingZ = -0.2;
    printViolations(simulation::checkMovesAgainstCells(moves, proof.cells, options));
    return save(image, out) ? 0 : 1;
}

int renderProgram(const QString& path, const QString& out)
{
    const std::optional<std::string> bytes = readBytes(path);
    if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const simulation::Interpretation moves = simulation::interpretProgram(*bytes);
    if (moves.stop)
        std::printf("stopped at line %d: %s\n", moves.stop->line, moves.stop->reason.c_str());
    const simulation::Bounds ink = simulation::cuttingBounds(moves.moves);
    const simulation::PathLengths lengths = simulation::pathLengths(moves.moves);
    std::printf("cut %.1f mm, rapid %.1f mm\n", lengths.cutting, lengths.rapid);
    if (ink.empty) {
        std::printf("nothing is cut\n");
        return save(blankImage(200, 100), out) ? 0 : 1;
    }
    std::printf("cut from X %.3f Y %.3f to X %.3f Y %.3f, Z down to %.3f\n", ink.minX, ink.minY, ink.maxX, ink.maxY,
                ink.minZ);
    const double unit = std::min(30.0, 1600 / std::max(ink.maxX - ink.minX, ink.maxY - ink.minY));
    const double margin = 2;
    QImage image = blankImage(static_cast<int>((ink.maxX - ink.minX + 2 * margin) * unit),
                              static_cast<int>((ink.maxY - ink.minY + 2 * margin) * unit));
    QPainter painter(&image);
    const render::View view{unit, QPointF((margin - ink.minX) * unit, (ink.maxY + margin) * unit)};
    render::drawMoves(painter, view, moves.moves);
    painter.end();
    return save(image, out) ? 0 : 1;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: velmora-render sheet <Data folder> <picture.png>\n"
                 "       velmora-render text <Data folder> <picture.png> <line>...\n"
                 "       velmora-render program <program file> <picture.png>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return usage();
    if (args[1] == "sheet" && args.size() == 4)
        return renderSheet(args[2], args[3]);
    if (args[1] == "text" && args.size() >= 5)
        return renderText(args[2], args[3], args.mid(4));
    if (args[1] == "program" && args.size() == 4)
        return renderProgram(args[2], args[3]);
    return usage();
}
