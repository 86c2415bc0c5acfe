// "Enregistrer" as the operator sees it: the question, the meter after a save,
// and what a save that cannot be made says and leaves behind.

#include "app/configuration_window.h"
#include "app/save_configuration.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace velmora;

namespace {

const QByteArray kOldFile = "COM2\r\n4800\r\nN(one)\r\n8\r\n1\r\n8\r\n2\r\n5\r\n1500\r\n250\r\n42\r\nTrue\r\nFalse\r\n"
                            "7\r\n12\r\nFalse\r\nTrue\r\n 12 \r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nTrue\r\nFalse\r\n"
                            "False\r\n 12.5\r\n-.5\r\n 0\r\nFalse\r\nFalse\r\nFalse\r\nTrue\r\nANCIEN\r\n\r\n\r\n\r\n\r\n";

// Every entry of a folder with its bytes, so a failed save can be shown to
// have left everything as it was, with no temporary file behind.
std::map<QString, QByteArray> folderContent(const QString& root)
{
    std::map<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        QByteArray content = "<folder>";
        QFile file(info.filePath());
        if (info.isFile() && file.open(QIODevice::ReadOnly))
            content = file.readAll();
        entries[info.filePath()] = content;
    }
    return entries;
}

// Records the caption of Visu1 each time it is painted: what the operator saw.
class PaintedCaptions : public QObject {
public:
    explicit PaintedCaptions(QLabel* caption) : caption_(caption) { caption->installEventFilter(this); }
    QStringList seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == caption_ && event->type() == QEvent::Paint)
            seen.append(caption_->text());
        return false;
    }

private:
    QLabel* caption_;
};

int percentOf(const QString& caption) { return caption.trimmed().chopped(2).toInt(); }

}  // namespace

class SaveConfigurationTest : public QObject {
    Q_OBJECT
public:
    enum class Failure { FileSizeLimit, FileNameTakenByFolder, ReadOnlyFolder, UnstorableInLine, UnstorableInPort };
    Q_ENUM(Failure)

private slots:
    void init();
    void cleanup();

    void cancelChangesNothing();
    void meterRunsAcrossThenRests();

    void failedSaveIsToldAndChangesNothing_data();
    void failedSaveIsToldAndChangesNothing();

private:
    std::filesystem::path folder() const { return dir_->path().toStdString(); }
    QString filePath() const { return dir_->filePath(QStringLiteral("velmora.txt")); }
    void writeOldFile();
    void arrange(Failure failure, MainWindow& window);

    std::unique_ptr<QTemporaryDir> dir_;
    rlimit savedLimit_{};
    void (*savedSignal_)(int) = nullptr;
    bool limitSet_ = false;
};

void SaveConfigurationTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void SaveConfigurationTest::cleanup()
{
    if (limitSet_) {
        setrlimit(RLIMIT_FSIZE, &savedLimit_);
        std::signal(SIGXFSZ, savedSignal_);
        limitSet_ = false;
    }
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    dir_.reset();
}

void SaveConfigurationTest::writeOldFile()
{
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(kOldFile), kOldFile.size());
}

void SaveConfigurationTest::cancelChangesNothing()
{
    writeOldFile();
    MainWindow window;
    Chargeconfiguration(window, folder());
    control<QLineEdit>(window, "Saisie12")->setText(QStringLiteral("NOUVEAU"));
    const QStringList before = windowSnapshot(window);
    ScriptedMessages messages;
    messages.queueAnswer(MessageAnswer::Cancel);
    RecordingPause pause;

    Sauveconfiguration(window, messages, pause, folder());

    QCOMPARE(messages.calls().size(), std::size_t(1));
    const ScriptedMessages::Call& question = messages.calls().front();
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(question.buttons, MessageButtons::OkCancel);
    QCOMPARE(question.title, QString());
    QCOMPARE(question.text, QStringLiteral("Enregistrer la configuration ?"));
    QCOMPARE(folderContent(dir_->path()), (std::map<QString, QByteArray>{{filePath(), kOldFile}}));
    QCOMPARE(windowSnapshot(window), before);
    QVERIFY(pause.pauses.empty());
}

// The meter runs once the file is in place: across from " 0 %" to " 100 %",
// one repaint per pixel of bar rather than one per twip, held full during the
// pause, then back to "0 %" and the thin bar.
void SaveConfigurationTest::meterRunsAcrossThenRests()
{
    MainWindow window;
    Chargeconfiguration(window, folder());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PaintedCaptions painted(control<QLabel>(window, "Visu1"));
    ScriptedMessages messages;
    RecordingPause pause;
    QString captionWhilePaused;
    int barWhilePaused = 0;
    pause.onPause = [&] {
        QVERIFY(QFile::exists(filePath()));
        captionWhilePaused = control<QLabel>(window, "Visu1")->text();
        barWhilePaused = window.meter().barTwips();
    };

    Sauveconfiguration(window, messages, pause, folder());

    QCOMPARE(pause.pauses, std::vector<std::chrono::milliseconds>{kFullMeterPause});
    QCOMPARE(captionWhilePaused, QStringLiteral(" 100 %"));
    QCOMPARE(barWhilePaused, window.meter().fullTwips());
    QCOMPARE(control<QLabel>(window, "Visu1")->text(), QStringLiteral("0 %"));
    QCOMPARE(window.meter().barTwips(), 15);

    QVERIFY(painted.seen.size() > 100);
    QVERIFY2(painted.seen.size() < 200, qPrintable(QString::number(painted.seen.size())));
    QCOMPARE(painted.seen.front(), QStringLiteral(" 0 %"));
    QCOMPARE(painted.seen.back(), QStringLiteral("0 %"));
    const QStringList running = painted.seen.mid(0, painted.seen.size() - 1);
    QVERIFY(running.contains(QStringLiteral(" 100 %")));
    for (int i = 1; i < running.size(); ++i)
        QVERIFY2(percentOf(running[i - 1]) <= percentOf(running[i]), qPrintable(running[i]));
}

void SaveConfigurationTest::failedSaveIsToldAndChangesNothing_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("told");
    QTest::newRow("disk full") << Failure::FileSizeLimit << QStringLiteral("Impossible d'écrire le fichier velmora.txt");
    QTest::newRow("a folder named velmora.txt")
        << Failure::FileNameTakenByFolder << QStringLiteral("Impossible de créer le fichier velmora.txt");
    QTest::newRow("folder that cannot be written")
        << Failure::ReadOnlyFolder << QStringLiteral("Impossible de créer le fichier velmora.txt");
    QTest::newRow("a line holding a Greek letter")
        << Failure::UnstorableInLine << QStringLiteral("Le caractère « Ω » (U+03A9) de « Ligne 3 »");
    QTest::newRow("a typed port holding a check mark")
        << Failure::UnstorableInPort << QStringLiteral("Le caractère « ✓ » (U+2713) de « Port »");
}

void SaveConfigurationTest::arrange(Failure failure, MainWindow& window)
{
    switch (failure) {
    case Failure::FileSizeLimit:
        // Room for a few bytes only, as on a full disk; root is held by it too.
        QVERIFY(getrlimit(RLIMIT_FSIZE, &savedLimit_) == 0);
        savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        limitSet_ = true;
        {
            rlimit small = savedLimit_;
            small.rlim_cur = 16;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
        return;
    case Failure::FileNameTakenByFolder:
        QVERIFY(QFile::remove(filePath()));
        QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("velmora.txt/notes")));
        return;
    case Failure::ReadOnlyFolder:
        QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::ExeOwner));
        return;
    case Failure::UnstorableInLine:
        control<QLineEdit>(window, "Saisie32")->setText(QString::fromUtf8("Ωmega"));
        return;
    case Failure::UnstorableInPort:
        control<QComboBox>(window, "Port2")->setEditText(QString::fromUtf8("COM✓"));
        return;
    }
}

void SaveConfigurationTest::failedSaveIsToldAndChangesNothing()
{
    QFETCH(Failure, failure);
    QFETCH(QString, told);
    if (failure == Failure::ReadOnlyFolder && geteuid() == 0)
        QSKIP("root writes into any folder");
    writeOldFile();
    MainWindow window;
    Chargeconfiguration(window, folder());
    arrange(failure, window);
    if (QTest::currentTestFailed())
        return;
    const auto before = folderContent(dir_->path());
    ScriptedMessages messages;
    RecordingPause pause;

    Sauveconfiguration(window, messages, pause, folder());

    QCOMPARE(messages.calls().size(), std::size_t(2));
    const ScriptedMessages::Call& message = messages.calls().back();
    QCOMPARE(message.icon, MessageIcon::Critical);
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QCOMPARE(message.title, QStringLiteral("Enregistrement"));
    QVERIFY2(message.text.startsWith(told), qPrintable(message.text));
    QVERIFY(message.text.endsWith(QStringLiteral("Le fichier velmora.txt n'a pas été modifié.")));
    QCOMPARE(folderContent(dir_->path()), before);
    QVERIFY(pause.pauses.empty());
    QCOMPARE(control<QLabel>(window, "Visu1")->text(), QStringLiteral("0 %"));
}

QTEST_MAIN(SaveConfigurationTest)
#include "tst_save_configuration.moc"
