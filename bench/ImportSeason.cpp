#include "ImportSeason.h"

#include "PlayerArchive.h"

#include "import/SheetFile.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "players/PlayerExport.h"
#include "players/PlayerImport.h"
#include "storage/Cp1252.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

QString benchFolder()
{
    const QByteArray chosen = qgetenv("GOLVERA_BENCH_DIR");
    return chosen.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(chosen);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        qFatal("cannot write %s", qPrintable(path));
}

}  // namespace

ImportSeason::ImportSeason(int players)
    : dir(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"))
    , csv(dir.filePath(QStringLiteral("rosa.csv")))
    , xlsx(dir.filePath(QStringLiteral("rosa.xlsx")))
    , archive(dir.filePath(QStringLiteral("Archivio_Giocatori.pro")))
    , recordsFile(dir.filePath(QStringLiteral("rosa.records")))
{
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("GOLVERA_BENCH_KEEP"));
    QTemporaryDir source(benchFolder() + QStringLiteral("/golvera-bench-XXXXXX"));
    const QString stored = benchPlayers::writeArchive(source.path(), players);
    spreadsheet::Sheet sheet = playerExport::sheet();
    sheet.columns.append({QStringLiteral("colSesso"), QStringLiteral("Sesso"), 60, 80, QStringLiteral("Sesso")});
    const spreadsheet::Table table = spreadsheet::read(stored, playerImport::archive().format, sheet);
    workbook::write(xlsx, sheet, table);
    QStringList header;
    for (const spreadsheet::Column& column : sheet.columns)
        header << column.label;
    QByteArray text = cp1252::encode(header.join(QLatin1Char(';')) + QStringLiteral("\r\n"));
    for (qsizetype row = 0; row < table.size(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columns(); ++column) {
            QString cell = table.cell(row, column);
            if (cell.contains(QLatin1Char(';')) || cell.contains(QLatin1Char('"')))
                cell = QLatin1Char('"') + cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
            cells << cell;
        }
        text += cp1252::encode(cells.join(QLatin1Char(';')) + QStringLiteral("\r\n"));
    }
    writeFile(csv, text);
    records = importPlan::records(import(csv), playerImport::archive().format);
    writeFile(recordsFile, records);
}

importPlan::Plan ImportSeason::import(const QString& path) const
{
    const sheetImport::Archive& players = playerImport::archive();
    const sheetFile::Loaded loaded = sheetFile::read(path);
    return importPlan::analyse(players, loaded.sheet, columnMatch::match(players, loaded.sheet.rows.first()),
                               importPlan::Duplicates::Skip, archive, QDate(2026, 12, 10));
}
