#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The tournament catalogue is whatever "*.vai" files lie directly in the program folder: one file
// per tournament, named after it. These are the rules for naming, listing, creating and deleting
// them; the two catalogue screens only read their controls and report.
namespace catalogue {

inline const QString extension = QStringLiteral(".vai");
inline constexpr int nameMaxLength = 250;

// Characters the name field refuses as they are typed: those the file systems the program is
// used on refuse in a file name, and four letters that old file systems mangled.
bool isRefusedNameCharacter(QChar c);

enum class NameProblem {
    None,
    Empty,             // nothing left after trimming
    RefusedCharacter,  // one of the characters the key filter refuses (pasted, for instance)
    ControlCharacter,  // a control character inside the name
    OnlyDots,          // ".", "..": such names mean folders, or hide the file
};

// Checks a name as typed (it is trimmed first).
NameProblem checkName(const QString& typed);

// The file a typed name stands for: program folder + trimmed name + ".vai".
QString pathFor(const QString& typed);

// The name a tournament is shown with: its file name without the extension.
QString displayName(const QString& fileName);

// The tournament files in the program folder (names with extension, no folder), in the order of
// the program's sorted lists: code units compared after mapping a-z to A-Z. A folder that cannot
// be read gives what could be listed.
QStringList tournamentFiles(const QString& folder);
QStringList tournamentFiles();  // in the program folder

// "Sono stati creati N tornei."
QString countLine(qsizetype count);

enum class CreateOutcome { Created, NameTaken, Failed };

// Creates the empty file. An existing file, whatever its case rules, is left untouched; a calendar
// left behind by a deleted tournament of the same name is removed first, and so are its
// withdrawal marks.
CreateOutcome create(const QString& path);

// Deletes the file, then its calendar and its withdrawal marks; true when the tournament file is
// gone afterwards.
bool remove(const QString& path);

// Messages of the two catalogue screens and the standings chooser.
inline const QString nameMissingMessage =
    QStringLiteral("Attenzione: per creare il nuovo torneo \u00E8 necessario indicare il suo nome.");
inline const QString nameTakenMessage = QStringLiteral(
    "Attenzione: il nome del torneo indicato \u00E8 gi\u00E0 stato utilizzato in precedenza.\r\n\r\n"
    "Inserire un nome diverso oppure, se si desidera aprire un torneo gi\u00E0 creato, premere il pulsante "
    "Apri torneo esistente.");
inline const QString createdMessage = QStringLiteral(
    "Il file di archivio relativo al nuovo torneo \u00E8 stato creato con successo.\r\n\r\n"
    "E' ora possibile visualizzarlo nell'elenco dei tornei esistenti.");
inline const QString nameCharactersMessage = QStringLiteral(
    "Attenzione: il nome del torneo contiene caratteri non ammessi.\r\n\r\n"
    "Non possono essere utilizzati i caratteri \" * / : < > ? \\ \u00B0 \u00C7 \u00D1 \u00E7 \u00F1 "
    "n\u00E9 i caratteri di controllo (per esempio la tabulazione).");
inline const QString nameOnlyDotsMessage = QStringLiteral(
    "Attenzione: il nome del torneo non pu\u00F2 essere formato soltanto da punti.");
inline const QString createFailedMessage = QStringLiteral(
    "Attenzione: non \u00E8 stato possibile creare il file di archivio del nuovo torneo.\r\n\r\n"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma "
    "oppure provare con un nome pi\u00F9 breve.");
inline const QString emptyListMessage = QStringLiteral("Attenzione: l'elenco non contiene nessun torneo.");
inline const QString openNoSelectionMessage = QStringLiteral(
    "Attenzione: selezionare il torneo dall'elenco prima di premere il pulsante Apri archivio.");
inline const QString standingsNoSelectionMessage = QStringLiteral(
    "Attenzione: selezionare il torneo dall'elenco prima di premere il pulsante per visualizzare la classifica "
    "corrispondente.");
inline const QString deleteNoSelectionMessage = QStringLiteral(
    "Attenzione: selezionare dall'elenco il torneo da eliminare prima di premere il pulsante del cestino.");
inline const QString deleteQuestion = QStringLiteral(
    "Si sta per eliminare il torneo selezionato. Si ricorda che il file eliminato non potr\u00E0 essere "
    "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?");
inline const QString deletedMessage = QStringLiteral("Il torneo \u00E8 stato eliminato con successo.");
inline const QString deleteFailedMessage = QStringLiteral(
    "Attenzione: non \u00E8 stato possibile eliminare il torneo selezionato, che resta nell'elenco.\r\n\r\n"
    "Accertarsi che il file non sia in uso e di possedere i privilegi di scrittura nella cartella di "
    "installazione del programma.");

}  // namespace catalogue
