#include "TournamentFile.h"

#include "storage/TournamentRecord.h"

#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <random>

QString benchTournament(int entries)
{
    static QTemporaryDir folder;
    static std::map<int, QString> written;
    if (auto found = written.find(entries); found != written.end())
        return found->second;
    const QString path = folder.filePath(QStringLiteral("Torneo %1.vai").arg(entries));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    std::mt19937 random(entries);
    std::uniform_int_distribution<int> points(0, 9999);
    TournamentRecord record;
    record.Gare = QString(400, QLatin1Char('x'));
    record.setCompletato(false);
    for (int i = 0; i < entries; ++i) {
        record.Concorrente = QStringLiteral("Squadra %1 %2").arg(random() % 100000).arg(i);
        record.Responsabile = QStringLiteral("Responsabile %1").arg(i);
        record.Note = QStringLiteral("Note della squadra numero %1").arg(i);
        const int value = points(random);
        record.Punteggio = QStringLiteral("%1,%2").arg(value / 100).arg(value % 100, 2, 10, QLatin1Char('0'));
        file.write(record.toBytes());
    }
    written.emplace(entries, path);
    return path;
}
