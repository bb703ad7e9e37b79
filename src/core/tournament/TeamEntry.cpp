#include "tournament/TeamEntry.h"

#include "output/ArchiveScan.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"

namespace teamEntry {

qint64 find(const QString& path, const QString& team, qint64 except)
{
    static constexpr std::size_t concorrente = TournamentRecord::Layout.indexOf("Concorrente");
    const QString wanted = upperAsciiLetters(trimControls(team));
    if (wanted.isEmpty())
        return 0;
    qint64 found = 0;
    archiveScan::visit(path, TournamentRecord::Size, [&](qint64 position, QByteArrayView record) {
        if (found == 0 && position != except
            && upperAsciiLetters(trimControls(TournamentRecord::Layout.readField(record, concorrente))) == wanted)
            found = position;
    });
    return found;
}

QString duplicateQuestion(const QString& team, qint64 position, Action action)
{
    const QString question = action == Action::Import
                                 ? QStringLiteral("Si desidera importare comunque i suoi dati nella scheda corrente?")
                                 : QStringLiteral("Si desidera salvare comunque la scheda corrente?");
    return QStringLiteral("Attenzione: la squadra \"%1\" ha gi\u00E0 una scheda in questo torneo (scheda n. %2).\r\n\r\n")
               .arg(trimControls(team))
               .arg(position)
           + question;
}

}  // namespace teamEntry
