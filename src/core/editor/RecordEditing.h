#pragma once

#include "platform/Platform.h"
#include "storage/RecordFile.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <stdexcept>

// What the three record editors (tournament entries, teams, players) do with their archive, kept
// apart from any window: where each navigation button goes, how a save updates or appends, and
// which message box reports what. The screen holds one record and its position label; the label
// is the only link to the file, and every step reads the file afresh.
namespace recordEditing {

enum class Move { First, Previous, Next, Last };

// What a navigation step does to the screen.
struct Step {
    enum class Kind {
        Show,       // show record `position` and put its number in the label
        Nothing,    // at an end of the file: no message, the screen stays as it is
        NoRecords,  // the archive is empty: tell the user
    };
    Kind kind = Kind::Nothing;
    qint64 position = 0;
    bool emptyLabel = false;  // NoRecords only: "next" also empties the position label
};

// The step from the position label (empty for a record not saved yet) and the number of records.
// Throws ArchiveError when the label has to be read as a position and is not one.
Step decide(Move move, const QString& positionLabel, qint64 recordCount);

struct Moved {
    Step step;
    QByteArray record;  // the record to show, for Step::Kind::Show
};

// Opens the archive (creating it empty when missing), decides and reads. Throws ArchiveError.
Moved move(const QString& path, int recordSize, Move move, const QString& positionLabel);

// The record asked for is not in the archive: the file has fewer records than a list showed
// (another station, a restored backup).
class RecordGone : public std::runtime_error {
public:
    RecordGone() : std::runtime_error("the record is no longer in the archive") {}
};

// The record at `position` as it is now in the file. Throws RecordGone when the file does not
// reach that position, ArchiveError when it cannot be read.
QByteArray load(const QString& path, int recordSize, qint64 position);

struct Saved {
    qint64 position;
    bool appended;
};

// Overwrites the record at the label's position, or appends when the label is empty; the record
// is on the disk and the file closed when it returns. With `unchanged`, an update first checks
// that the record in the file is still the one the screen read. Throws ArchiveError (also for a
// position beyond the end of the file), RecordChanged when another station changed the record,
// ArchiveBusy when another station keeps the archive locked.
Saved save(const QString& path, const QByteArray& record, const QString& positionLabel,
           const RecordFile::Unchanged& unchanged = {});

// Opens the archive with the open-or-create rule and closes it again. Throws ArchiveError.
void touch(const QString& path, int recordSize);

QString positionText(qint64 position);

inline const QString noRecordsMessage = QStringLiteral("L'archivio non contiene nessuna scheda.");
inline const QString insertedMessage = QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio.");
inline const QString updatedMessage =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
inline const QString duplicateUnsavedMessage = QStringLiteral(
    "Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che questa \u00E8 stata "
    "inserita in archivio.");
inline const QString duplicateReadyMessage = QStringLiteral(
    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine premere "
    "Salva per inserire la scheda in archivio.");
// The line breaks are LF CR LF CR, as the program has always shown them.
inline const QString archiveFailureMessage = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
    "privilegi di scrittura nella cartella di installazione del programma.");

// Another station saved the record on screen after it was read; asked as a Yes/No question.
inline const QString changedElsewhereQuestion = QStringLiteral(
    "Attenzione: un'altra postazione ha modificato la scheda corrente dopo che \u00E8 stata visualizzata, "
    "pertanto le modifiche non sono state salvate.\n\r\n\rSi desidera visualizzare la scheda cos\u00EC come "
    "\u00E8 ora in archivio?");

// Ritira / Riammetti in the three editors: the button's hints, the questions (No by default),
// what is said once done.
inline const QString withdrawHint = QStringLiteral(
    "Ritira la scheda corrente: resta in archivio ma non compare pi\u00F9 in elenchi, ricerche, classifiche e "
    "scadenze.");
inline const QString bringBackHint = QStringLiteral("Riammette la scheda corrente, ritirata in precedenza.");
inline const QString withdrawQuestion = QStringLiteral(
    "Si sta per ritirare la scheda corrente. La scheda resta in archivio, con la sua foto e i suoi allegati, ma non "
    "comparir\u00E0 pi\u00F9 in elenchi, ricerche, classifiche e scadenze finch\u00E9 non verr\u00E0 "
    "riammessa.\r\n\r\nSi conferma il ritiro della scheda?");
inline const QString bringBackQuestion = QStringLiteral(
    "Si sta per riammettere la scheda corrente, che torner\u00E0 in elenchi, ricerche, classifiche e scadenze."
    "\r\n\r\nSi conferma la riammissione della scheda?");
inline const QString withdrawnMessage = QStringLiteral("La scheda corrente \u00E8 stata ritirata.");
inline const QString broughtBackMessage = QStringLiteral("La scheda corrente \u00E8 stata riammessa.");
inline const QString withdrawUnsavedMessage = QStringLiteral(
    "Attenzione: si pu\u00F2 ritirare soltanto una scheda gi\u00E0 inserita in archivio.");
inline const QString notWithdrawnConsequence =
    QStringLiteral("La scheda corrente non \u00E8 stata n\u00E9 ritirata n\u00E9 riammessa.");

// Asked before a command leaves a record with unsaved changes; Annulla stays on it.
inline const QString saveChangesQuestion = QStringLiteral("Salvare le modifiche alla scheda corrente?");

// A list opened a record that is no longer in the archive.
inline const QString recordGoneMessage = QStringLiteral(
    "La scheda non \u00E8 pi\u00F9 presente in archivio: forse l'archivio \u00E8 stato modificato da "
    "un'altra postazione.");

// Another station keeps the archive locked longer than a save takes; `consequence` says what was
// not done.
QString busyMessage(const QString& station,
                    const QString& consequence = QStringLiteral("La scheda corrente non \u00E8 stata salvata."));

// The archive's lock file at `lockPath` is not a file, so no save can lock the archive.
QString lockNotAFileMessage(const QString& lockPath);

enum class Editor { Tournament, Team, Player };

// The box that reports a failed archive operation; each editor has its own table.
struct FailureBoxes {
    platform::MessageKind navigation;
    platform::MessageKind save;
    std::optional<platform::MessageKind> duplicate;  // none: the editor cannot duplicate
};

FailureBoxes failureBoxes(Editor editor);

// Only the team editor opens its archive while duplicating (so a missing one is created then).
bool duplicateOpensArchive(Editor editor);

}  // namespace recordEditing
