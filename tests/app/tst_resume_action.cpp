// "Reprendre ici" as the operator meets it: a click on the preview's drawing
// chooses a character, the question comes first, and only "Oui" replaces the
// program; the preview then shows a resume until the next "Construire".

#include "app/construction_action.h"
#include "app/resume_action.h"

#include "panel/form_job.h"
#include "panel/main_window.h"
#include "preview/preview_action.h"
#include "preview/preview_view.h"
#include "preview/preview_window.h"
#include "preview/resume_selection.h"
#include "tests/construction/construction_fixture.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::filesystem::path kDataFolder = VELMORA_DATA_DIR;
const QString kQuestion = QStringLiteral("Construire un programme de reprise à partir de ce caractère ?");

// Size 5, spacing 1, lines 2 apart, centred lines on a 100 x 60 plate
// centred from its top left corner, with "AB CD" over "EF".
void typeText(MainWindow& window)
{
    FormModel& form = window.model();
    const std::pair<ScrollBar, int> bars[] = {{ScrollBar::CharacterSize, 5}, {ScrollBar::CharacterSpacing, 1},
                                              {ScrollBar::LineSpacing, 2},   {ScrollBar::PositionX, 3000},
                                              {ScrollBar::PositionY, 2600}};
    for (const auto& [bar, value] : bars)
        form.setScrollValue(bar, value);
    form.select(OptionGroup::Placement, 0);
    form.select(OptionGroup::Justification, 1);
    form.select(OptionGroup::Origin, 0);
    control<QLineEdit>(window, "Saisie12")->setText("AB CD");
    control<QLineEdit>(window, "Saisie22")->setText("EF");
}

}  // namespace

class ResumeActionTest : public QObject {
    Q_OBJECT
private slots:
    void resumeOnlyAfterYes()
    {
        WorkFolder folder;
        const QString startFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        const auto backHome = qScopeGuard([&startFolder] { QDir::setCurrent(startFolder); });
        ScriptedMessages messages;
        RecordingPause pause;
        MainWindow window;
        const ProgramPlaces places{toPath(folder.path()), kDataFolder};
        ConstructionAction construction(window, messages, pause, places);
        preview::PreviewWindow& preview = preview::attachPreview(window);
        ResumeAction resume(window, messages, construction, preview, places);
        typeText(window);
        construction.build();
        preview.resize(700, 500);
        QSignalSpy drawn(&preview, &preview::PreviewWindow::programShown);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTRY_COMPARE(drawn.size(), 1);  // the preview reads the program on its own thread
        const auto cellOf = [&window](TextPlace place) {
            const auto laidOut = layOutJobUnchanged(window.model());
            const auto& placed = std::get<LaidOutJob>(laidOut);
            return preview::cellAt(preview::characterCells(placed.job, placed.layout), place)->area;
        };
        const auto clickAt = [&preview](QPointF millimetres) {
            preview::PreviewView& view = preview.view();
            QTest::mouseClick(&view, Qt::LeftButton, {}, view.placement().toPixel(millimetres).toPoint());
        };
        const auto caption = [&preview] { return preview.resumeSelection().caption(); };

        const QByteArray whole = folder.program();
        QPushButton& resumeHere = preview.resumeSelection().resumeButton();
        const QRectF b = cellOf({1, 2});
        clickAt(b.center() + QPointF(0, 3 * b.height()));  // on the plate above the text
        QCOMPARE(caption(), QString());
        QVERIFY(!resumeHere.isEnabled());
        const QRectF d = cellOf({1, 5});
        clickAt(d.center());
        QCOMPARE(caption(), QStringLiteral("Ligne 1, caractère 5 « D »"));
        QVERIFY(resumeHere.isEnabled());

        messages.queueAnswer(MessageAnswer::No);
        resumeHere.click();
        QCOMPARE(messages.calls().size(), std::size_t(1));
        QCOMPARE(messages.calls()[0].text, kQuestion);
        QCOMPARE(messages.calls()[0].buttons, MessageButtons::YesNo);
        QCOMPARE(folder.program(), whole);
        QCOMPARE(preview.windowTitle(), QStringLiteral("Aperçu"));

        messages.queueAnswer(MessageAnswer::Yes);
        resumeHere.click();
        QCOMPARE(messages.calls().size(), std::size_t(2));
        const QByteArray resumed = folder.program();
        QVERIFY(resumed.contains("\r\n$ REPRISE LIGNE 1 CARACTERE 5\r\n"));
        QVERIFY(resumed.size() < whole.size());
        QCOMPARE(listingRows(window).join('\n'), QString::fromLatin1(resumed).chopped(2).replace("\r\n", "\n"));
        QTRY_COMPARE(preview.windowTitle(),
                     QStringLiteral("Aperçu — programme de reprise à partir de la ligne 1, caractère 5"));
        // What is already engraved is drawn faint: A, B and C, none of D.
        const std::vector<QPolygonF> strokes = preview.view().strokes();
        const auto inCell = [&](const QRectF& cell) {
            return std::any_of(strokes.begin(), strokes.end(), [&](const QPolygonF& s) {
                return cell.adjusted(-0.01, -0.01, 0.01, 0.01).contains(s.boundingRect());
            });
        };
        QVERIFY(inCell(cellOf({1, 1})) && inCell(cellOf({1, 2})) && inCell(cellOf({1, 4})));
        QVERIFY(inCell(d));
        QCOMPARE(caption(), QString());

        construction.build();
        QVERIFY(!folder.program().contains("REPRISE"));
        QTRY_COMPARE(preview.windowTitle(), QStringLiteral("Aperçu"));
    }
};

QTEST_MAIN(ResumeActionTest)
#include "tst_resume_action.moc"
