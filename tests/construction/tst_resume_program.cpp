// A resume program, built with the real font and layout, against the whole
// program of the same job: the same lines less the characters left out.

#include "construction_fixture.h"

#include "common/codepage.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::LayoutChoices)
Q_DECLARE_METATYPE(velmora::TextPlace)
Q_DECLARE_METATYPE(velmora::ResumeRefusal)

namespace {

const std::filesystem::path kDataFolder = VELMORA_DATA_DIR;

int glyphLineCount(char32_t character)
{
    const QString name = "Ascii" + QString::number(*cp1252::encode(character)) + ".prg";
    return int(readBytes(QString::fromStdString((kDataFolder / name.toStdString()).string())).count("\r\n"));
}

// The whole program with what a resume from `from` leaves out taken away:
// the line blocks of the lines above it, and the approach line and glyph of
// every character before it; the resume comment after the time line.
QStringList wholeProgramFrom(const QStringList& whole, const EngravingJob& job, const LayoutResult& layout,
                             TextPlace from)
{
    constexpr int kHeaderLines = 9;
    constexpr int kSetupLines = 5;
    constexpr int kLineBlockLines = 5;
    QStringList kept = whole.mid(0, kHeaderLines - 1);
    kept << QString::fromStdString(resumeComment(from));
    kept += whole.mid(kHeaderLines - 1, 1 + kSetupLines);
    int at = kHeaderLines + kSetupLines;
    for (int line = layout.firstLine; line <= layout.lastLine; ++line) {
        if (line >= from.line)
            kept += whole.mid(at, kLineBlockLines);
        at += kLineBlockLines;
        const std::u32string& text = job.lineText[line];
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
        row("one line, first character", {"VELMORA"}, {J::Left, P::Free, C::None}, {1, 1}, {1, 1});
        row("one line, last character", {"VELMORA"}, {J::Right, P::CentreX, C::TopRight}, {1, 7}, {1, 7});
        row("five lines, left, middle of line 2", fiveLines, {J::Left, P::CentreXY, C::BottomLeft}, {2, 5}, {2, 5});
        row("five lines, right, first of line 5", fiveLines, {J::Right, P::CentreY, C::TopLeft}, {5, 1}, {5, 1});
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
        EngravingJob job = machiningJob();
        placeLines(job, texts, {}, {});
        job.charWidth = 5;
        job.lineSpacing = 2;
        job.posX = 150;
        job.posY = 70;
        const auto layout = layOutJob(job, choices);
        QVERIFY(layout);
        const auto point = resumePointFrom(job.lineText, chosen);
        QVERIFY(std::holds_alternative<TextPlace>(point));
        const TextPlace from = std::get<TextPlace>(point);
        QCOMPARE(from, startsAt);

        const WorkFolder wholeFolder;
        const WorkFolder resumeFolder;
        QVERIFY(buildProgramFile(job, *layout, {toPath(wholeFolder.path()), kDataFolder, {}}, kStamp).ok());
        int done = 0, total = 0;
        const auto counted = [&](int count, int of) { done = count, total = of; };
        QVERIFY(buildResumeProgramFile(job, *layout, from, {toPath(resumeFolder.path()), kDataFolder, {}}, kStamp,
                                       counted)
                    .ok());
        QCOMPARE(done, total);

        const QStringList whole = QString::fromLatin1(wholeFolder.program()).split("\r\n");
        const QStringList resume = QString::fromLatin1(resumeFolder.program()).split("\r\n");
        QCOMPARE(resume, wholeProgramFrom(whole, job, *layout, from));
        QCOMPARE(resumePointOfProgram(resumeFolder.program().toStdString()), std::optional(from));
        QCOMPARE(resumePointOfProgram(wholeFolder.program().toStdString()), std::nullopt);
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
        EngravingJob job;
        placeLines(job, texts, {}, {});
        const auto point = resumePointFrom(job.lineText, chosen);
        QVERIFY(std::holds_alternative<ResumeRefusal>(point));
        QCOMPARE(std::get<ResumeRefusal>(point), refusal);
    }

    // The characters left out are not read: the glyph missing is the first
    // one the resume engraves.
    void missingGlyphIsOneEngraved()
    {
        const WorkFolder folder({{65, "G1X1\r\n"}});
        EngravingJob job = machiningJob();
        const LayoutResult layout = placeLines(job, {"BAAZ"}, {}, {});
        const auto outcome = buildResumeProgramFile(job, layout, {1, 2}, folder.places(), kStamp);
        QCOMPARE(outcome.failure().kind, FailureKind::MissingGlyph);
        QCOMPARE(uint(outcome.failure().character), uint('Z'));
    }
};

QTEST_APPLESS_MAIN(ResumeProgramTest)
#include "tst_resume_program.moc"
