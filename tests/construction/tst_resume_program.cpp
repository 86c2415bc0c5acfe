// A resume program, built with the real font and layout, against the whole
// program of the same job: the same lines less the characters left out, and,
// followed move by move, no cut in a character left out and no rapid move
// through the work or low over what is already engraved.

#include "construction_fixture.h"

#include "common/codepage.h"
#include "common/numbers.h"
#include "layout/extents.h"
#include "simulation/cell_check.h"

#include <QtTest>

#include <cmath>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::LayoutChoices)
Q_DECLARE_METATYPE(velmora::TextPlace)
Q_DECLARE_METATYPE(velmora::ResumeRefusal)

namespace {

const std::filesystem::path kDataFolder = VELMORA_DATA_DIR;
constexpr double kWorkTopZ = 2.5;     // Posz3
constexpr double kApproachZ = 3.5;    // Posz3 + 1
constexpr float kCharWidth = 5;
constexpr float kCharSpacing = 1;

struct PlacedJob {
    EngravingJob job;
    LayoutResult layout;
};

// The job as the window would lay it out: read-outs and extents computed from
// the texts, then the layout step with the operator's three choices.
std::optional<PlacedJob> placedJob(const QStringList& texts, LayoutChoices choices)
{
    PlacedJob placed{machiningJob(), {}};
    EngravingJob& job = placed.job;
    job.charWidth = kCharWidth;
    job.charSpacing = kCharSpacing;
    job.lineSpacing = 2;
    job.approachZ = kApproachZ;
    job.posX = 150;
    job.posY = 70;
    for (int line = 1; line <= kLineCount; ++line)
        job.lineText[line] = texts.value(line - 1).toStdU32String();
    const ExtentsTexts shown = computeExtents({job.lineText, "5", "1", 5, 2});
    for (int line = 1; line <= kLineCount; ++line)
        job.lineWidth[line] = leadingNumber(shown.lineReadout[line]);
    applyBlankLineRule(job);
    const auto layout = layoutTextBlock(job.blockInput(), choices, shown.encombrement);
    if (!std::holds_alternative<LayoutResult>(layout))
        return std::nullopt;
    placed.layout = std::get<LayoutResult>(layout);
    return placed;
}

int glyphLineCount(char32_t character)
{
    const QString name = "Ascii" + QString::number(*cp1252::encode(character)) + ".prg";
    const QByteArray bytes = readBytes(QString::fromStdString((kDataFolder / name.toStdString()).string()));
    return int(bytes.count("\r\n"));
}

// The whole program with what a resume from `from` leaves out taken away:
// the line blocks of the lines above it, and the approach line and glyph of
// every character before it; the resume comment after the time line.
QStringList wholeProgramFrom(const QStringList& whole, const PlacedJob& placed, TextPlace from)
{
    constexpr int kHeaderLines = 9;
    constexpr int kSetupLines = 5;
    constexpr int kLineBlockLines = 5;
    QStringList kept = whole.mid(0, kHeaderLines - 1);
    kept << QString::fromStdString(resumeComment(from));
    kept += whole.mid(kHeaderLines - 1, 1 + kSetupLines);
    int at = kHeaderLines + kSetupLines;
    for (int line = placed.layout.firstLine; line <= placed.layout.lastLine; ++line) {
        if (line >= from.line)
            kept += whole.mid(at, kLineBlockLines);
        at += kLineBlockLines;
        const std::u32string& text = placed.job.lineText[line];
        for (int rank = 1; rank <= int(text.size()); ++rank) {
            const int length = 1 + glyphLineCount(text[std::size_t(rank - 1)]);
            if (line > from.line || (line == from.line && rank >= from.character))
                kept += whole.mid(at, length);
            at += length;
        }
    }
    if (whole.size() - at != 4)  // the end block and the empty text after its CR LF
        return {"the whole program does not have the expected blocks"};
    return kept + whole.mid(at);
}

// The cells of the characters engraved before `from` and of those after, in
// the order the program engraves them.
void splitCells(const PlacedJob& placed, TextPlace from, std::vector<simulation::Cell>& skipped,
                std::vector<simulation::Cell>& resumed)
{
    for (int line = placed.layout.firstLine; line <= placed.layout.lastLine; ++line) {
        double x = placed.layout.startX[line];
        for (int rank = 1; rank <= int(placed.job.lineText[line].size()); ++rank) {
            const auto cell = simulation::cellAt(x, placed.layout.baseY[line], kCharWidth);
            const bool engraved = line < from.line || (line == from.line && rank < from.character);
            (engraved ? skipped : resumed).push_back(cell);
            x = kCharWidth + x + kCharSpacing;
        }
    }
}

// Where a move of the resume program touches the work it must not touch:
// a cut reaching into a character already engraved, a rapid move that ends
// in the work or travels through it (the lift out of a groove is the one
// rapid move that starts there), a rapid move over an engraved character
// lower than the approach height.
QStringList faultsOverEngravedCells(const simulation::Interpretation& moves,
                                    const std::vector<simulation::Cell>& skipped)
{
    QStringList faults;
    for (const simulation::Move& move : moves.moves) {
        const auto points = simulation::tracePoints(move, 0.05);
        const double lowestZ = std::min(move.start.z, move.end.z);
        const bool travels = move.start.x != move.end.x || move.start.y != move.end.y;
        if (!move.isCut() && (move.end.z <= kWorkTopZ || (travels && lowestZ <= kWorkTopZ)))
            faults << QString("line %1: rapid move at Z %2").arg(move.sourceLine).arg(lowestZ);
        for (std::size_t p = 0; p + 1 < points.size(); ++p)
            for (int step = 0; step <= 20; ++step) {
                const double x = points[p].x + (points[p + 1].x - points[p].x) * step / 20;
                const double y = points[p].y + (points[p + 1].y - points[p].y) * step / 20;
                constexpr double kEdge = 0.001;  // on a cell's border is not over it
                for (const simulation::Cell& c : skipped)
                    if (x > c.x + kEdge && x < c.x + c.width - kEdge && y > c.y + kEdge
                        && y < c.y + c.height - kEdge && (move.isCut() || lowestZ < kApproachZ - 1e-9))
                        faults << QString("line %1: %2 over an engraved character at Z %3")
                                      .arg(move.sourceLine).arg(move.isCut() ? "cut" : "rapid move").arg(lowestZ);
            }
    }
    faults.removeDuplicates();
    return faults;
}

}  // namespace

class ResumeProgramTest : public QObject {
    Q_OBJECT
private slots:
    void resumeLeavesOutWhatCameBefore_data()
    {
        // The texts, the operator's layout choices, the character chosen and
        // the one the resume starts from.
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<LayoutChoices>("choices");
        QTest::addColumn<TextPlace>("chosen");
        QTest::addColumn<TextPlace>("startsAt");
        using J = Justification;
        using P = Placement;
        using C = Corner;
        const auto row = [](const char* name, const QStringList& texts, LayoutChoices choices, TextPlace chosen,
                            TextPlace startsAt) { QTest::newRow(name) << texts << choices << chosen << startsAt; };
        const QStringList fiveLines = {"VELMORA", "Été 2026", "gjpqy", "0123456789", "Ça, c'est ôté!"};
        row("one line, middle", {"VELMORA"}, {J::Centred, P::CentreXY, C::TopLeft}, {1, 4}, {1, 4});
        row("one line, first character", {"VELMORA"}, {J::Left, P::Free, C::None}, {1, 1}, {1, 1});
        row("one line, last character", {"VELMORA"}, {J::Right, P::CentreX, C::TopRight}, {1, 7}, {1, 7});
        row("five lines, left, middle of line 2", fiveLines, {J::Left, P::CentreXY, C::BottomLeft}, {2, 5}, {2, 5});
        row("five lines, right, first of line 5", fiveLines, {J::Right, P::CentreY, C::TopLeft}, {5, 1}, {5, 1});
        row("five lines, last character of the text", fiveLines, {J::Centred, P::Free, C::None}, {5, 14}, {5, 14});
        row("blank inside takes the next character", {"AB  CD", "EF"}, {J::Centred, P::CentreXY, C::TopLeft}, {1, 3},
            {1, 5});
        row("blank at the end of a line takes the next line", {"AB ", "", "  CD"},
            {J::Right, P::CentreXY, C::BottomRight}, {1, 3}, {3, 3});
        row("empty lines between are kept after the resume", {"", "AB", "", "", "CD"},
            {J::Left, P::CentreXY, C::TopRight}, {2, 2}, {2, 2});
    }

    void resumeLeavesOutWhatCameBefore()
    {
        QFETCH(QStringList, texts);
        QFETCH(LayoutChoices, choices);
        QFETCH(TextPlace, chosen);
        QFETCH(TextPlace, startsAt);

        const auto placed = placedJob(texts, choices);
        QVERIFY(placed);
        const auto point = resumePointFrom(placed->job.lineText, chosen);
        QVERIFY(std::holds_alternative<TextPlace>(point));
        const TextPlace from = std::get<TextPlace>(point);
        QCOMPARE(from, startsAt);

        WorkFolder wholeFolder;
        WorkFolder resumeFolder;
        const ProgramPlaces fontPlaces{toPath(resumeFolder.path()), kDataFolder};
        const ProgramPlaces wholePlaces{toPath(wholeFolder.path()), kDataFolder};
        QVERIFY(buildProgramFile(placed->job, placed->layout, wholePlaces, kStamp).ok());
        int done = 0, total = 0;
        const auto counted = [&](int count, int of) { done = count, total = of; };
        QVERIFY(buildResumeProgramFile(placed->job, placed->layout, from, fontPlaces, kStamp, counted).ok());
        QCOMPARE(done, total);

        const QStringList whole = QString::fromLatin1(wholeFolder.program()).split("\r\n");
        const QStringList resume = QString::fromLatin1(resumeFolder.program()).split("\r\n");
        QCOMPARE(resume, wholeProgramFrom(whole, *placed, from));
        QCOMPARE(resumePointOfProgram(resumeFolder.program().toStdString()), std::optional(from));
        QCOMPARE(resumePointOfProgram(wholeFolder.program().toStdString()), std::nullopt);

        std::vector<simulation::Cell> skipped;
        std::vector<simulation::Cell> resumed;
        splitCells(*placed, from, skipped, resumed);
        simulation::CellCheckOptions options;
        options.workTopZ = kWorkTopZ;
        options.engravingZ = kWorkTopZ - 0.2;
        const std::string program = resumeFolder.program().toStdString();
        const auto violations = simulation::checkProgramAgainstCells(program, resumed, options);
        for (const auto& violation : violations)
            qWarning("line %d, cell %d: %s", violation.line, violation.cell, violation.what.c_str());
        QVERIFY(violations.empty());
        const QStringList faults = faultsOverEngravedCells(simulation::interpretProgram(program), skipped);
        QCOMPARE(faults, QStringList());
    }

    void noResumePoint_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<TextPlace>("chosen");
        QTest::addColumn<ResumeRefusal>("refusal");
        const auto none = ResumeRefusal::NoSuchCharacter;
        QTest::newRow("line 0") << QStringList{"AB"} << TextPlace{0, 1} << none;
        QTest::newRow("line 6") << QStringList{"AB"} << TextPlace{6, 1} << none;
        QTest::newRow("character 0") << QStringList{"AB"} << TextPlace{1, 0} << none;
        QTest::newRow("past the end of the line") << QStringList{"AB", "CD"} << TextPlace{1, 3} << none;
        QTest::newRow("empty line") << QStringList{"AB", "", "CD"} << TextPlace{2, 1} << none;
        QTest::newRow("only blanks to the end")
            << QStringList{"AB", "C  "} << TextPlace{2, 2} << ResumeRefusal::NothingLeft;
    }

    void noResumePoint()
    {
        QFETCH(QStringList, texts);
        QFETCH(TextPlace, chosen);
        QFETCH(ResumeRefusal, refusal);
        PerLine<std::u32string> lines;
        for (int i = 1; i <= kLineCount; ++i)
            lines[i] = texts.value(i - 1).toStdU32String();
        const auto point = resumePointFrom(lines, chosen);
        QVERIFY(std::holds_alternative<ResumeRefusal>(point));
        QCOMPARE(std::get<ResumeRefusal>(point), refusal);
    }

    // A resume that cannot finish leaves the program in place, as any
    // construction does.
    void missingGlyphKeepsThePreviousProgram()
    {
        WorkFolder folder({{65, "G1X1\r\n"}});
        const QByteArray previous = "%7\r\nG0G52Z\r\nM5M9\r\nM2\r\n";
        QVERIFY(writeBytes(folder.path("velmora.rub"), previous));
        EngravingJob job = machiningJob();
        const LayoutResult layout = placeLines(job, {"BAAZ"}, {}, {});
        const Result<void> outcome = buildResumeProgramFile(job, layout, {1, 2}, folder.places(), kStamp);
        QCOMPARE(outcome.failure().kind, FailureKind::MissingGlyph);
        QCOMPARE(uint(outcome.failure().character), uint('Z'));
        QCOMPARE(folder.program(), previous);
        QCOMPARE(folder.entries(), QStringList{"velmora.rub"});
    }
};

QTEST_APPLESS_MAIN(ResumeProgramTest)
#include "tst_resume_program.moc"
