#include "ImportCommand.h"

#include "Terminal.h"
#include "import/ImportPlan.h"
#include "import/SheetFile.h"
#include "players/PlayerImport.h"
#include "teams/TeamImport.h"

#include <QDate>
#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace importCommand {
namespace {

using terminal::err;
using terminal::out;

void printIssues(const QString& title, const QList<importPlan::Issue>& issues)
{
    if (issues.isEmpty())
        return;
    out() << title << '\n';
    for (const importPlan::Issue& issue : issues)
        out() << "  riga " << issue.row << ": " << terminal::blanked(issue.text) << '\n';
}

}  // namespace

bool handles(const QStringList& arguments) { return !arguments.isEmpty() && arguments.front() == u"importa"; }

int run(const QStringList& arguments, const Options& options)
{
    const bool teams = arguments.size() == 3 && arguments.at(1) == u"squadre";
    const bool players = arguments.size() == 3 && arguments.at(1) == u"giocatori";
    if (!teams && !players) {
        err() << "golvera-cli: uso: golvera-cli importa squadre|giocatori <file> [--cartella <cartella>] [--aggiorna] "
                 "[--conferma]\n";
        return terminal::BadUsage;
    }
    const sheetImport::Archive& archive = teams ? teamImport::archive() : playerImport::archive();
    const QString file = arguments.at(2);

    const sheetFile::Loaded loaded = sheetFile::read(file);
    if (loaded.failed())
        return terminal::failure(u"impossibile importare \"%1\": %2"_s.arg(file, loaded.error));
    if (loaded.sheet.rows.isEmpty())
        return terminal::failure(u"il file \"%1\" non contiene righe"_s.arg(file));
    const columnMatch::Mapping mapping = columnMatch::match(archive, loaded.sheet.rows.first());

    out() << "File: " << QDir::toNativeSeparators(file) << " (" << sheetFile::formatName(loaded.format) << "), "
          << loaded.sheet.rows.size() - 1 << " righe dopo l'intestazione\n";
    out() << "Colonne:\n";
    const sheetImport::Row& headers = loaded.sheet.rows.first();
    for (int column = 0; column < mapping.size(); ++column) {
        const int target = mapping.at(column);
        out() << "  " << terminal::blanked(headers.text(column).toString()) << " -> "
              << (target >= 0 ? archive.targets.at(target).label : u"(non importata)"_s) << '\n';
    }
    if (!columnMatch::matchesAnything(mapping))
        return terminal::failure(u"nessuna colonna di \"%1\" corrisponde a un campo della scheda"_s.arg(file));

    const QString path = QDir(options.dataFolder).filePath(archive.fileName);
    const auto duplicates = options.update ? importPlan::Duplicates::Update : importPlan::Duplicates::Skip;
    try {
        importPlan::Plan plan = importPlan::analyse(archive, loaded.sheet, mapping, duplicates, path, QDate::currentDate());
        printIssues(u"Righe scartate:"_s, plan.rejected);
        printIssues(u"Avvisi:"_s, plan.warnings);
        const int importable = plan.added + plan.updated() + plan.skipped;
        if (importable == 0) {
            out() << importPlan::summary(plan, false).join(u'\n') << '\n';
            out().flush();
            return terminal::failure(u"il file \"%1\" non contiene righe importabili"_s.arg(file));
        }
        if (!options.confirm) {
            out() << importPlan::summary(plan, false).join(u'\n') << '\n'
                  << "Nessuna scheda \u00E8 stata scritta: aggiungere --conferma per importare.\n";
            return terminal::outputDelivered() ? terminal::Done : terminal::Failed;
        }
        if (plan.writesSomething())
            importPlan::commit(plan, path, archive.format);
        out() << importPlan::summary(plan, true).join(u'\n') << '\n';
    } catch (const std::exception& failure) {
        out().flush();
        return terminal::failure(u"archivio \"%1\" non aggiornato: %2"_s.arg(QDir::toNativeSeparators(path),
                                                                           QString::fromStdString(failure.what())));
    }
    return terminal::outputDelivered() ? terminal::Done : terminal::Failed;
}

}  // namespace importCommand
