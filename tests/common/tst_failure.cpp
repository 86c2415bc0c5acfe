// The whole words of the failures the window and command-line tests cannot
// easily bring about (a full disk, a port refused, a C1 character): title,
// text and the cause under it, as the operator reads them.

#include "common/failure.h"

#include <QTest>

#include <cerrno>
#include <functional>
#include <vector>

using namespace velmora;

namespace {

struct Row {
    const char* name;
    Task task;
    Failure failure;
    const char* told;  // "title|text|cause"
};

Failure with(FailureKind kind, const std::function<void(Failure&)>& set, std::filesystem::path file = {})
{
    Failure failure(kind, std::move(file));
    set(failure);
    return failure;
}

const std::vector<Row>& rows()
{
    static const std::vector<Row> table{
        {"program not synced", Task::Construction, fileFailure(FailureKind::Sync, "/w/velmora.rub", ENOSPC),
         "Echec de la construction|Impossible d'enregistrer sur le disque le fichier /w/velmora.rub : le disque est plein|"},
        {"an error number without a sentence", Task::Construction, fileFailure(FailureKind::Write, "/w/velmora.rub", 4321),
         "Echec de la construction|Impossible d'écrire le fichier /w/velmora.rub : erreur système 4321|"},
        {"C1 character", Task::Construction, with(FailureKind::MissingGlyph, [](Failure& f) { f.character = 0x85; }),
         "Echec de la construction|La gravure du caractère  (\uFFFD)  est impossible (U+0085)|"},
        {"only blanks left", Task::Construction,
         with(FailureKind::OnlyBlanksLeft, [](Failure& f) { f.line = 2, f.rank = 7; }),
         "Echec de la construction|Modifier les paramètres|il ne reste que des blancs à partir de la ligne 2, "
         "caractère 7"},
        {"settings not synced", Task::SaveConfiguration, fileFailure(FailureKind::Sync, "/w/velmora.txt", EIO),
         "Enregistrement|Impossible d'écrire le fichier velmora.txt : erreur de lecture ou d'écriture sur le support."
         "\nLe fichier velmora.txt n'a pas été modifié.|"},
        {"settings folder gone", Task::SaveConfiguration, fileFailure(FailureKind::Create, "/w/velmora.txt", ENOENT),
         "Enregistrement|Impossible de créer le fichier velmora.txt : le fichier ou le dossier n'existe pas."
         "\nLe fichier velmora.txt n'a pas été modifié.|"},
        {"line break in a value", Task::SaveConfiguration,
         with(FailureKind::LineBreakInValue, [](Failure& f) { f.line = 4; }, "/w/velmora.txt"),
         "Enregistrement|Un réglage contient un saut de ligne.\nLe fichier velmora.txt n'a pas été modifié.|"},
        {"line break typed", Task::SaveConfiguration,
         with(FailureKind::UnstorableCharacter, [](Failure& f) { f.detail = "Ligne 2", f.character = U'\n'; },
              "velmora.txt"),
         "Enregistrement|« Ligne 2 » contient un saut de ligne, qui ne peut pas être enregistré."
         "\nLe fichier velmora.txt n'a pas été modifié.|"},
        {"settings unreadable, command line", Task::LoadConfiguration,
         fileFailure(FailureKind::Read, "/w/velmora.txt", EACCES),
         "Configuration|Impossible de lire le fichier velmora.txt : accès refusé.|"},
        {"access denied", Task::Download, with(FailureKind::PortAccessDenied, [](Failure& f) { f.port = 2; }, "/dev/ttyS1"),
         "Téléchargement|Accès au port COM2 (/dev/ttyS1) refusé|"},
        {"write failed on the port itself", Task::Download,
         with(FailureKind::WriteFailed, [](Failure& f) { f.port = 3; }, "COM3"),
         "Téléchargement|Transmission interrompue : erreur d'écriture sur le port COM3|"},
    };
    return table;
}

}  // namespace

class FailureTest : public QObject {
    Q_OBJECT
private slots:
    void wholeMessages_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < rows().size(); ++i)
            QTest::newRow(rows()[i].name) << int(i);
    }

    void wholeMessages()
    {
        QFETCH(int, row);
        const Row& expected = rows()[std::size_t(row)];
        const Message told = failureMessage(expected.task, expected.failure);
        QCOMPARE(QString::fromStdString(told.title + "|" + told.text + "|" + told.cause), QString::fromUtf8(expected.told));
    }
};

QTEST_MAIN(FailureTest)
#include "tst_failure.moc"
