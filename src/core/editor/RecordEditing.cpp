#include "editor/RecordEditing.h"

#include "storage/ArchiveError.h"
#include "storage/RecordFile.h"
#include "text/TextRules.h"

#include <QDir>

namespace recordEditing {
namespace {

qint64 positionFrom(const QString& label)
{
    bool ok = false;
    const qint64 position = trimControls(label).toLongLong(&ok);
    if (!ok)
        throw ArchiveError("position label \"" + label.toStdString() + "\" is not a number");
    return position;
}

Step show(qint64 position) { return {Step::Kind::Show, position, false}; }
Step nothing() { return {Step::Kind::Nothing, 0, false}; }
Step noRecords(bool emptyLabel) { return {Step::Kind::NoRecords, 0, emptyLabel}; }

}  // namespace

Step decide(Move move, const QString& positionLabel, qint64 recordCount)
{
    switch (move) {
    case Move::First:
        return recordCount == 0 ? noRecords(false) : show(1);
    case Move::Last:
        return recordCount == 0 ? noRecords(false) : show(recordCount);
    case Move::Next: {
        if (recordCount == 0)
            return noRecords(true);
        const qint64 current = positionLabel.isEmpty() ? 0 : positionFrom(positionLabel);
        return current < recordCount ? show(current + 1) : nothing();
    }
    case Move::Previous:
        // The first record is checked before the file: on record 1 nothing happens, even when
        // the archive has meanwhile been emptied.
        if (positionLabel == u"1")
            return nothing();
        if (recordCount == 0)
            return noRecords(false);
        if (positionLabel.isEmpty() || positionLabel == u"2")
            return show(1);
        return show(positionFrom(positionLabel) - 1);
    }
    Q_UNREACHABLE();
}

Moved move(const QString& path, int recordSize, Move move, const QString& positionLabel)
{
    const RecordFile file(path, recordSize);
    Moved moved{decide(move, positionLabel, file.count()), {}};
    if (moved.step.kind == Step::Kind::Show)
        moved.record = file.read(moved.step.position);
    return moved;
}

QByteArray load(const QString& path, int recordSize, qint64 position)
{
    const RecordFile file(path, recordSize);
    if (position < 1 || position > file.count())
        throw RecordGone();
    return file.read(position);
}

Saved save(const QString& path, const QByteArray& record, const QString& positionLabel,
           const RecordFile::Unchanged& unchanged)
{
    RecordFile file(path, int(record.size()));
    Saved saved{0, positionLabel.isEmpty()};
    if (saved.appended) {
        saved.position = file.append(record);
    } else {
        saved.position = positionFrom(positionLabel);
        file.update(saved.position, record, unchanged);
    }
    file.close();
    return saved;
}

QString busyMessage(const QString& station, const QString& consequence)
{
    const QString who = station.isEmpty() ? QStringLiteral("da un'altra postazione")
                                          : QStringLiteral("dalla postazione \"%1\"").arg(station);
    return QStringLiteral("Attenzione: l'archivio \u00E8 in uso %1, che non ha ancora terminato di "
                          "scriverlo. %2\n\r\n\rRiprovare tra qualche istante.")
        .arg(who, consequence);
}

QString lockNotAFileMessage(const QString& lockPath)
{
    return QStringLiteral("Attenzione: il file di blocco \"%1\" non \u00E8 un file normale (per esempio \u00E8 una "
                          "cartella), perci\u00F2 la scheda corrente non \u00E8 stata salvata.\n\r\n\rEliminarlo o "
                          "rinominarlo, poi salvare di nuovo.")
        .arg(QDir::toNativeSeparators(lockPath));
}

void touch(const QString& path, int recordSize) { RecordFile(path, recordSize); }


QString positionText(qint64 position) { return QString::number(position); }

FailureBoxes failureBoxes(Editor editor)
{
    using platform::MessageKind;
    switch (editor) {
    case Editor::Tournament:
        return {MessageKind::Error, MessageKind::Plain, std::nullopt};
    case Editor::Team:
        return {MessageKind::Error, MessageKind::Error, MessageKind::Warning};
    case Editor::Player:
        return {MessageKind::Error, MessageKind::Error, MessageKind::Error};
    }
    Q_UNREACHABLE();
}

bool duplicateOpensArchive(Editor editor) { return editor == Editor::Team; }

}  // namespace recordEditing
