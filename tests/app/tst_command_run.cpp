// The real program run from the command line with no display at all, so that
// anything reaching for a window fails: its wrong uses, then each command
// against the same action in the window, from the same velmora.txt: the same
// program (date and time lines aside) or the window's message on standard
// error, with the exit code of its kind and the previous program untouched.

#include "app/construction_action.h"
#include "app/download_action.h"
#include "app/configuration_table.h"
#include "app/form_configuration.h"
#include "app/program_places.h"

#include "panel/main_window.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/working_folder.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace {

using Settings = QList<QPair<int, QByteArray>>;  // velmora.txt line (1..37) and its Windows-1252 bytes

const QString kFailureStart = QStringLiteral("velmora : Echec de la construction : ");

QByteArray settingsFile(const Settings& changes)
{
    ConfigurationValues values = firstStartValues();
    for (const auto& [line, bytes] : changes)
        values[static_cast<std::size_t>(line - 1)] = bytes.toStdString();
    const std::string file = configurationFileBytes(values);
    return QByteArray(file.data(), static_cast<qsizetype>(file.size()));
}

using testing::kPreviousProgram;
using testing::readBytes;
using testing::writeBytes;

// The program without its date and time lines, which differ between two runs.
QByteArray withoutStamp(const QByteArray& program)
{
    QList<QByteArray> lines = program.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.startsWith("$ LE ") || line.startsWith("$ A "); });
    return lines.join('\n');
}

QString programFolder() { return QFileInfo(QStringLiteral(VELMORA_PROGRAM)).absolutePath(); }

// The real program, started with no display and no window system named.
void runProgram(QProcess& program, const QStringList& arguments, const QString& folder = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        program.setWorkingDirectory(folder);
    program.start(QStringLiteral(VELMORA_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(20000));
}

const QString kSeeHelp = QStringLiteral("La liste des options : velmora --help\n");

}  // namespace

class CommandRunTest : public QObject {
    Q_OBJECT
private slots:
    void withoutWindow_data();
    void withoutWindow();
    void buildAsTheWindowDoes_data();
    void buildAsTheWindowDoes();
    void sendAsTheWindowDoes_data();
    void sendAsTheWindowDoes();
};

void CommandRunTest::withoutWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("outputStart");  // standard output starts with it, or is empty
    QTest::addColumn<QString>("errors");       // standard error, whole
    const QString usage = QStringLiteral("Usage : velmora [OPTION]...\n");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringLiteral("velmora " VELMORA_VERSION "\n")
                               << QString();
    QTest::newRow("-h ends the reading") << QStringList{"-h", "--aide"} << 0 << usage << QString();
    QTest::newRow("unknown before --version") << QStringList{"-x", "--version"} << 1 << QString()
                                              << "velmora : option inconnue : -x\n" + kSeeHelp;
    QTest::newRow("a file name") << QStringList{"velmora.rub"} << 1 << QString()
                                 << "velmora : argument inattendu : velmora.rub\n" + kSeeHelp;
    QTest::newRow("a value missing") << QStringList{"--construire", "--ligne1"} << 1 << QString()
                                     << "velmora : l'option --ligne1 demande une valeur\n" + kSeeHelp;
    QTest::newRow("a line to send") << QStringList{"--telecharger", "--ligne1", "A"} << 1 << QString()
                                    << "velmora : --ligne1 ne sert qu'avec --construire\n" + kSeeHelp;
    QTest::newRow("a port to build") << QStringList{"--port", "COM2", "--construire"} << 1 << QString()
                                     << "velmora : --port ne sert qu'avec --telecharger\n" + kSeeHelp;
    QTest::newRow("a resume on line 6")
        << QStringList{"--construire", "--reprise", "6:1"} << 1 << QString()
        << "velmora : --reprise attend LIGNE:CARACTERE, la ligne de 1 à 5 et le caractère compté à partir de 1 : 6:1\n"
               + kSeeHelp;
    QTest::newRow("build and send at once")
        << QStringList{"--construire", "--telecharger"} << 1 << QString()
        << "velmora : --construire et --telecharger ne se donnent pas ensemble\n" + kSeeHelp;
}

void CommandRunTest::withoutWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, outputStart);
    QFETCH(QString, errors);
    QProcess program;
    runProgram(program, arguments);
    const QString output = QString::fromUtf8(program.readAllStandardOutput());
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), errors);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(outputStart.isEmpty() ? output.isEmpty() : output.startsWith(outputStart), qPrintable(output));
}

void CommandRunTest::buildAsTheWindowDoes_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QStringList>("lineOptions");  // --ligneN TEXTE, as the shell passes them
    QTest::addColumn<QString>("resume");           // --reprise LIGNE:CARACTERE, or none
    QTest::addColumn<bool>("programIsFolder");  // velmora.rub cannot be replaced
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errors");  // standard error, whole; %1 the work folder

    const Settings threeLines{{33, "VELMORA"}, {34, "  N\xB0 007 "}, {35, "atelier"}};
    // Right-justified, placed freely from the lower right corner.
    QTest::newRow("right, free")
        << threeLines + Settings{{20, "False"}, {21, "True"}, {22, "False"}, {25, "True"}, {29, "False"}, {32, "True"}}
        << QStringList() << QString() << false << 0 << QString();
    QTest::newRow("accents from velmora.txt")
        << Settings{{33, "\xC9t\xE9 \xC7'\x9C \x80"}, {37, "\xC0\xC9\xCE\xD4\xD9 \xE0\xE9\xEE\xF4\xF9"}}
        << QStringList() << QString() << false << 0 << QString();
    QTest::newRow("a line emptied, accents from the command line")
        << threeLines << QStringList{"--ligne1", "", "--ligne2", "Noël à Zoé", "--ligne5", "Œuvre n° 3"} << QString()
        << false << 0 << QString();

    QTest::newRow("no text")
        << Settings() << QStringList() << QString() << false << 2
        << kFailureStart + "Modifier les paramètres (aucun texte à graver : les cinq lignes sont vides)\n";
    QTest::newRow("a character with no glyph") << threeLines << QStringList{"--ligne3", "pi = π"} << QString() << false << 3
                                               << kFailureStart + "La gravure du caractère  (π)  est impossible (U+03C0)\n";
    QTest::newRow("resume inside a line")
        << threeLines << QStringList{"--ligne2", "N° 008"} << "2:4" << false << 0 << QString();
    QTest::newRow("resume past the line's end")
        << threeLines << QStringList() << "3:40" << false << 1
        << kFailureStart + "Modifier les paramètres (la ligne 3 n'a pas de caractère 40)\n";
    QTest::newRow("velmora.rub cannot be replaced")
        << threeLines << QStringList() << QString() << true << 4
        << kFailureStart + "Impossible de remplacer le fichier %1/velmora.rub : c'est un dossier\n";
}

void CommandRunTest::buildAsTheWindowDoes()
{
    QFETCH(Settings, settings);
    QFETCH(QStringList, lineOptions);
    QFETCH(QString, resume);
    QFETCH(bool, programIsFolder);
    QFETCH(int, exitCode);
    QFETCH(QString, errors);

    QTemporaryDir commandFolder;
    QTemporaryDir windowFolder;
    QTemporaryDir elsewhere;
    for (const QTemporaryDir* folder : {&commandFolder, &windowFolder}) {
        QVERIFY(writeBytes(folder->filePath("velmora.txt"), settingsFile(settings)));
        if (programIsFolder)
            QVERIFY(QDir(folder->path()).mkdir("velmora.rub"));
        else
            QVERIFY(writeBytes(folder->filePath("velmora.rub"), kPreviousProgram));
    }

    // The program, started elsewhere.
    QProcess program;
    runProgram(program,
               QStringList{"--construire", "--dossier", commandFolder.path()} + lineOptions
                   + (resume.isEmpty() ? QStringList() : QStringList{"--reprise", resume}),
               elsewhere.path());
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), QString(errors).replace("%1", commandFolder.path()));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);

    // The window, started on the same file, the same lines typed, "Construire".
    MainWindow window;
    ScriptedMessages messages;
    RecordingPause pause;
    const std::filesystem::path windowPath = windowFolder.path().toStdString();
    loadConfigurationInto(window.model(), windowPath);
    window.model().updateExtents();
    for (qsizetype option = 0; option + 1 < lineOptions.size(); option += 2)
        window.model().setLineText(lineOptions[option].back().digitValue(), lineOptions[option + 1].toStdU32String());
    ConstructionAction action(window, messages, pause, programPlaces(windowPath, programFolder().toStdString()));
    if (resume.isEmpty())
        action.build();
    else
        action.buildResume({resume.section(':', 0, 0).toInt(), resume.section(':', 1).toInt()});

    if (exitCode == 0) {
        QCOMPARE(messages.calls().size(), std::size_t(0));
        const QByteArray built = readBytes(commandFolder.filePath("velmora.rub"));
        QVERIFY(built != kPreviousProgram);
        QCOMPARE(withoutStamp(built), withoutStamp(readBytes(windowFolder.filePath("velmora.rub"))));
    } else {
        QCOMPARE(messages.calls().size(), std::size_t(1));
        const ScriptedMessages::Call& told = messages.calls()[0];
        const QString cause = told.cause.isEmpty() ? QString() : " (" + told.cause + ")";
        QCOMPARE("velmora : " + told.title + " : " + told.text + cause + "\n",
                 QString(errors).replace("%1", windowFolder.path()));
        if (!programIsFolder)
            QCOMPARE(readBytes(commandFolder.filePath("velmora.rub")), kPreviousProgram);
    }
}

// "velmora --telecharger" and "Télécharger" clicked in the window, each to a
// pseudo-terminal playing the machine, from the same velmora.txt and
// velmora.rub: the same bytes on the line, or the same message.
void CommandRunTest::sendAsTheWindowDoes_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errors");

    const QByteArray program = "%12\r\n$ CAR 65 A, la lettre\r\nG0X1.25Y-3\r\nM2\r\n";
    QTest::newRow("first-start settings") << Settings() << program << 0 << QString();
    QTest::newRow("4800 bauds, no parity, 8 bits, 1 stop")
        << Settings{{2, "4800"}, {3, "N(one)"}, {4, "8"}, {5, "1"}} << program << 0 << QString();
    QTest::newRow("1.5 stop bits")
        << Settings{{5, "1.5"}} << program << 5
        << "velmora : Téléchargement : Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2\n";
}

void CommandRunTest::sendAsTheWindowDoes()
{
    QFETCH(Settings, settings);
    QFETCH(QByteArray, program);
    QFETCH(int, exitCode);
    QFETCH(QString, errors);

    QTemporaryDir folder;
    QVERIFY(writeBytes(folder.filePath("velmora.txt"), settingsFile(settings)));
    QVERIFY(writeBytes(folder.filePath("velmora.rub"), program));

    testing::PseudoTerminal commandMachine;
    QVERIFY(commandMachine.isOpen());
    QProcess command;
    runProgram(command, {"--telecharger", "--dossier", folder.path(), "--port",
                         QString::fromStdString(commandMachine.devicePath())});
    const std::string commandBytes = commandMachine.readUntilQuiet();
    // Standard error is a pipe here: no percentage, only what went wrong.
    QCOMPARE(QString::fromUtf8(command.readAllStandardError()), errors);
    QCOMPARE(command.exitCode(), exitCode);

    testing::PseudoTerminal windowMachine;
    const QString startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    MainWindow window;
    ScriptedMessages messages;
    RecordingPause pause;
    loadConfigurationInto(window.model(), ".");
    DownloadAction action(window, messages, pause, [&](std::int16_t) { return windowMachine.devicePath(); });
    action.startDownload();
    QDir::setCurrent(startFolder);
    const std::string windowBytes = windowMachine.readUntilQuiet();

    QCOMPARE(QByteArray::fromStdString(commandBytes), QByteArray::fromStdString(windowBytes));
    if (exitCode == 0) {
        QVERIFY(commandBytes.ends_with("\x13\n"));
        QCOMPARE(messages.calls().size(), std::size_t(1));  // the question only
    } else {
        QCOMPARE(messages.calls().size(), std::size_t(2));
        const ScriptedMessages::Call& told = messages.calls()[1];
        QCOMPARE("velmora : " + told.title + " : " + told.text + "\n", errors);
    }
}

QTEST_MAIN(CommandRunTest)
#include "tst_command_run.moc"
