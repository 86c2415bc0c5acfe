// The real window started in working folders an operator did not prepare:
// files that are folders, FIFOs or links out of the folder, no font, a full
// disk. Every action ends with its message (compared whole), nothing waits on
// a FIFO, nothing outside the folder changes, and what a failed action must
// not touch stays byte for byte.

#include "app/construction_action.h"
#include "app/download_action.h"
#include "app/program_places.h"
#include "app/startup.h"
#include "panel/main_window.h"
#include "preview/preview_action.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/working_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QByteArray kOutsideFile = "not the program's\r\n";

QByteArray settingsFile(const QByteArray& thirdTextLine = "A")
{
    QByteArrayList lines = {"COM1", "9600", "N(one)", "8", "1", "4", "1", "2", "1500", "250", "42", "True",
                            "False", "7", "12", "False", "True", " 12 ", "False", "True", "False", "False",
                            "False", "False", "True", " 10", " 10", " 0", "True", "False", "False", "False",
                            "A", "", thirdTextLine, "", ""};
    return lines.join("\r\n") + "\r\n";
}

// What a file or folder is, without opening it: a FIFO must not be read.
QByteArray stateOf(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return "absent";
    const QByteArray mode = QByteArray::number(status.st_mode & 07777, 8);
    if (S_ISLNK(status.st_mode))
        return "link to " + QFile::encodeName(QFile::symLinkTarget(path));
    if (S_ISFIFO(status.st_mode))
        return "fifo " + mode;
    if (S_ISDIR(status.st_mode))
        return "folder";
    QFile file(path);
    return "file " + mode + " " + (file.open(QIODevice::ReadOnly) ? file.readAll().toHex() : "unreadable");
}

// Every entry of a folder tree with its state, by name.
QMap<QString, QByteArray> treeState(const QString& root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.insert(QDir(root).relativeFilePath(path), stateOf(path));
    }
    return entries;
}

// A process id that no longer runs: a child that has ended and been reaped.
qint64 endedProcess()
{
    QProcess child;
    child.start(QStringLiteral("true"), {});
    child.waitForFinished();
    return child.processId() > 0 ? child.processId() : 999999;
}

}  // namespace

class HostileFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        savedFolder_ = QDir::currentPath();
        root_ = std::make_unique<QTemporaryDir>();
        QVERIFY(root_->isValid());
        QDir dir(root_->path());
        QVERIFY(dir.mkpath("work/Data") && dir.mkpath("outside") && dir.mkpath("program"));
        QVERIFY(writeBytes(work() + "/Data/Ascii65.prg", "G1X1Y1\r\n"));
        QVERIFY(writeBytes(work() + "/Data/Ascii32.prg", ""));
        QVERIFY(writeBytes(outside() + "/velmora.txt", kOutsideFile));
        // A read that waits on a FIFO would hang the suite; end it with a failure.
        ::alarm(30);
    }

    void cleanup()
    {
        ::alarm(0);
        if (limited_) {
            ::setrlimit(RLIMIT_FSIZE, &savedLimit_);
            std::signal(SIGXFSZ, savedSignal_);
            limited_ = false;
        }
        QDir::setCurrent(savedFolder_);
        root_.reset();
    }

    void actionsEndWithTheirMessage_data()
    {
        // Actions, in order: C Construire, S Enregistrer (answered OK), T
        // Télécharger (only where the program file cannot be read, so no port is
        // opened). Messages: "title|text" of every box but the two questions;
        // {work}, {program} and {share} stand for the folders. Files: the entries
        // of work/ after the actions, Data/ aside; "=" marks one that must be as
        // before.
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("files");

        const QString failed = QStringLiteral("Echec de la construction|");
        const QString notSaved = QStringLiteral(".\nLe fichier velmora.txt n'a pas été modifié.");
        const QString download = QStringLiteral("Téléchargement|Lecture du fichier velmora.rub impossible : ");
        const QString defaults = QStringLiteral(".\nLes réglages par défaut sont utilisés.");

        QTest::newRow("program is a folder")
            << "TCS"
            << QStringList{download + "c'est un dossier",
                           failed + "Impossible de remplacer le fichier {work}/velmora.rub : c'est un dossier"}
            << QStringList{"=velmora.rub", "=velmora.rub/kept", "velmora.txt"};
        QTest::newRow("program is a FIFO")
            << "TC" << QStringList{download + "ce n'est pas un fichier ordinaire"}
            << QStringList{"velmora.rub", "=velmora.txt"};
        QTest::newRow("settings is a folder")
            << "SC"
            << QStringList{"Configuration|Impossible de lire le fichier velmora.txt : c'est un dossier" + defaults,
                           "Enregistrement|Impossible de remplacer le fichier velmora.txt : c'est un dossier"
                               + notSaved}
            << QStringList{"velmora.rub", "=velmora.txt"};
        QTest::newRow("settings is a FIFO")
            << "S"
            << QStringList{"Configuration|Impossible de lire le fichier velmora.txt : ce n'est pas un fichier ordinaire"
                           + defaults}
            << QStringList{"=velmora.rub", "velmora.txt"};
        QTest::newRow("settings link out of the folder")
            << "S" << QStringList{} << QStringList{"=velmora.rub", "velmora.txt"};
        QTest::newRow("settings with control characters")
            << "SC"
            << QStringList{"Configuration|Des caractères de commande ont été retirés au chargement de "
                           "velmora.txt : Ligne 3."}
            << QStringList{"velmora.rub", "velmora.txt"};
        QTest::newRow("glyph is a FIFO")
            << "C"
            << QStringList{failed + "Impossible de lire le fichier {work}/Data/Ascii65.prg : "
                                    "ce n'est pas un fichier ordinaire"}
            << QStringList{"=velmora.rub", "=velmora.txt"};
        QTest::newRow("no font folder")
            << "C"
            << QStringList{failed + "Aucune police : le dossier Data est introuvable "
                                    "(cherché dans {work}, {program} et {share})"}
            << QStringList{"=velmora.rub", "=velmora.txt"};
        QTest::newRow("disk full")
            << "SC"
            << QStringList{"Enregistrement|Impossible d'écrire le fichier velmora.txt : "
                           "le fichier dépasse la taille permise" + notSaved,
                           failed + "Impossible d'écrire le fichier {work}/velmora.rub : "
                                    "le fichier dépasse la taille permise"}
            << QStringList{"=velmora.rub", "=velmora.txt"};
        QTest::newRow("private program, abandoned temporary files")
            << "C" << QStringList{}
            << QStringList{"velmora.rub", QStringLiteral("=velmora.rub.%1-3.tmp").arg(::getpid()),
                           "=velmora.rub.old.tmp", "=velmora.txt"};
    }

    void actionsEndWithTheirMessage()
    {
        QFETCH(QString, actions);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, files);
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        prepare(row);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(QDir::setCurrent(work()));
        const QMap<QString, QByteArray> outsideBefore = treeState(outside());
        const QMap<QString, QByteArray> before = treeState(work());

        {
            MainWindow window;
            ScriptedMessages boxes;
            RecordingPause pause;
            ConstructionAction construction(window, boxes, pause,
                                            workingDirectoryPlaces(QFile::encodeName(program()).toStdString()));
            DownloadAction downloadAction(window, boxes, pause);
            preview::attachPreview(window);
            QObject::connect(&window, &MainWindow::buildRequested, &window, [&construction] { construction.build(); });
            QObject::connect(&window, &MainWindow::downloadRequested, &window,
                             [&downloadAction] { downloadAction.startDownload(); });
            const ShellSeams seams{boxes, pause, [] {}, [] {}};
            connectShellCommands(window, seams);
            startUp(window, seams);
            if (row == "settings with control characters")
                QCOMPARE(control<QLineEdit>(window, "Saisie32")->text(), QStringLiteral("A AAA"));
            for (const char* line : {"Saisie12", "Saisie22", "Saisie32", "Saisie42", "Saisie52"})
                control<QLineEdit>(window, line)->setText(QString());
            control<QLineEdit>(window, "Saisie12")->setText(QStringLiteral("A A"));
            if (row == "disk full") {
                ::getrlimit(RLIMIT_FSIZE, &savedLimit_);
                savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
                limited_ = true;
                rlimit small = savedLimit_;
                small.rlim_cur = 16;
                QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
            }
            for (const QChar action : actions)
                control<QPushButton>(window, action == 'C' ? "Const1" : action == 'S' ? "Sauve" : "Télé1")->click();

            QStringList shown;
            for (const ScriptedMessages::Call& call : boxes.calls())
                if (call.buttons != MessageButtons::OkCancel)
                    shown << call.title + "|" + call.text;
            QStringList expected;
            for (const QString& message : messages)
                expected << QString(message)
                                .replace("{work}", work())
                                .replace("{program}", program())
                                .replace("{share}", root_->filePath("share/velmora"));
            QCOMPARE(shown, expected);
        }

        QCOMPARE(treeState(outside()), outsideBefore);
        QStringList entries;
        const QMap<QString, QByteArray> after = treeState(work());
        for (const auto& [name, state] : after.asKeyValueRange()) {
            if (name.startsWith("Data"))
                continue;
            const bool kept = before.value(name) == state;  // no state is empty
            entries << (kept ? "=" + name : name);
            // What the program writes replaces a link or a FIFO, never goes through it.
            if (!kept)
                QVERIFY2(state == "folder" || state.startsWith("file "), qPrintable(name + ": " + state));
            if (row == "private program, abandoned temporary files" && name == "velmora.rub")
                QVERIFY2(state.startsWith("file 600 "), state.constData());
        }
        QCOMPARE(entries, files);
    }

private:
    // Builds the row's folder inside work/, from a program and settings that
    // would do.
    void prepare(const QString& row)
    {
        const QString w = work();
        const auto fifo = [&w](const char* name) {
            return QFile::remove(w + "/" + name) && ::mkfifo(QFile::encodeName(w + "/" + name), 0644) == 0;
        };
        QVERIFY(writeBytes(w + "/velmora.rub", kPreviousProgram) && writeBytes(w + "/velmora.txt", settingsFile()));
        if (row == "program is a folder")
            QVERIFY(QFile::remove(w + "/velmora.rub") && QDir(w).mkpath("velmora.rub/kept"));
        else if (row == "program is a FIFO")
            QVERIFY(fifo("velmora.rub"));
        else if (row == "settings is a folder")
            QVERIFY(QFile::remove(w + "/velmora.txt") && QDir(w).mkdir("velmora.txt"));
        else if (row == "settings is a FIFO")
            QVERIFY(fifo("velmora.txt"));
        else if (row == "settings link out of the folder")
            QVERIFY(QFile::remove(w + "/velmora.txt") && QFile::link(outside() + "/velmora.txt", w + "/velmora.txt"));
        else if (row == "settings with control characters")
            QVERIFY(writeBytes(w + "/velmora.txt", settingsFile(QByteArray("A\tA\rA\0A\x1b", 8))));
        else if (row == "glyph is a FIFO")
            QVERIFY(fifo("Data/Ascii65.prg"));
        else if (row == "no font folder")
            QVERIFY(QDir(w + "/Data").removeRecursively());
        if (row == "private program, abandoned temporary files") {
            QVERIFY(QFile::setPermissions(w + "/velmora.rub", QFile::ReadOwner | QFile::WriteOwner));
            QVERIFY(writeBytes(w + QStringLiteral("/velmora.rub.%1-0.tmp").arg(endedProcess()), "%1\r\n"));
            QVERIFY(writeBytes(w + QStringLiteral("/velmora.rub.%1-3.tmp").arg(::getpid()), "live\r\n"));
            QVERIFY(writeBytes(w + "/velmora.rub.old.tmp", "kept\r\n"));
        }
    }

    QString work() const { return root_->filePath(QStringLiteral("work")); }
    QString outside() const { return root_->filePath(QStringLiteral("outside")); }
    QString program() const { return root_->filePath(QStringLiteral("program")); }

    std::unique_ptr<QTemporaryDir> root_;
    QString savedFolder_;
    rlimit savedLimit_{};
    void (*savedSignal_)(int) = SIG_DFL;
    bool limited_ = false;
};

QTEST_MAIN(HostileFoldersTest)
#include "tst_hostile_folders.moc"
