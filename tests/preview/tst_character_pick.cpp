// What a click on the preview selects for a resume, in the places where it
// could be taken for another character or for nothing.

#include "preview/character_pick.h"
#include "tests/construction/construction_fixture.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::preview;

namespace {

// Lines "A B", "O " and "D", 4 mm characters, each line 10 mm below the one
// above, every line starting at X 0.
std::vector<CharacterCell> cellsWithSpacing(float spacing)
{
    EngravingJob job;
    job.charWidth = 4;
    job.charSpacing = spacing;
    return characterCells(job, testing::placeLines(job, {"A B", "O ", "D"}, {}, {0, -10, -20}));
}

// Strokes on the 4 x 7 mm cell, from its bottom left corner.
QPolygonF glyph(char32_t character)
{
    switch (character) {
    case U'A': return QPolygonF({{0, 1.25}, {2, 5.75}, {4, 1.25}});
    case U'B': return QPolygonF({{0, 1.25}, {0, 5.75}, {3, 5.75}});
    case U'O': return QPolygonF({{0.5, 1.25}, {3.5, 1.25}, {3.5, 5.75}, {0.5, 5.75}, {0.5, 1.25}});
    case U'D': return QPolygonF({{0, 1.25}, {0, 5.75}});
    }
    return {};
}

std::vector<QPolygonF> strokesOf(const std::vector<CharacterCell>& cells, char32_t leftOut)
{
    std::vector<QPolygonF> strokes;
    for (const CharacterCell& cell : cells)
        if (cell.character != leftOut && !glyph(cell.character).isEmpty())
            strokes.push_back(glyph(cell.character).translated(cell.area.topLeft()));
    return strokes;
}

}  // namespace

class CharacterPickTest : public QObject {
    Q_OBJECT
private slots:
    void clickSelects_data()
    {
        QTest::addColumn<float>("spacing");
        QTest::addColumn<uint>("leftOut");  // a character whose strokes are not drawn
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("selected");  // as the window shows it, empty for nothing
        QTest::newRow("on a stroke") << 1.f << 0u << QPointF(1, 3.5) << "Ligne 1, caractère 1 « A »";
        QTest::newRow("beside a stroke, outside the cell") << 1.f << 0u << QPointF(4.3, 1.3) << "Ligne 1, caractère 1 « A »";
        QTest::newRow("inside the hole of an O") << 1.f << 0u << QPointF(2, -6.5) << "Ligne 2, caractère 1 « O »";
        QTest::newRow("on a blank: the next character") << 1.f << 0u << QPointF(7, 3) << "Ligne 1, caractère 3 « B »";
        QTest::newRow("on a blank ending a line: the next line") << 1.f << 0u << QPointF(7, -6) << "Ligne 3, caractère 1 « D »";
        QTest::newRow("between two characters, near neither") << 1.f << 0u << QPointF(4.5, 6.5) << "";
        QTest::newRow("empty space beside the text") << 1.f << 0u << QPointF(30, 3) << "";
        QTest::newRow("on the plate outline") << 1.f << 0u << QPointF(-10, -5) << "";
        QTest::newRow("a character not drawn") << 1.f << uint('D') << QPointF(0, -17) << "";
        QTest::newRow("overlapping cells: the nearer centre") << -2.f << 0u << QPointF(3.5, 6.8) << "Ligne 1, caractère 3 « B »";
    }

    void clickSelects()
    {
        QFETCH(float, spacing);
        QFETCH(uint, leftOut);
        QFETCH(QPointF, at);
        QFETCH(QString, selected);
        const std::vector<CharacterCell> cells = cellsWithSpacing(spacing);
        const auto place = pickCharacter(cells, strokesOf(cells, char32_t(leftOut)), at, 0.5);
        QCOMPARE(place ? selectionText(*cellAt(cells, *place)) : QString(), selected);
    }
};

QTEST_APPLESS_MAIN(CharacterPickTest)
#include "tst_character_pick.moc"
