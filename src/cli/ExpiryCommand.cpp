#include "ExpiryCommand.h"

#include "PdfOutput.h"
#include "RowOutput.h"
#include "Terminal.h"
#include "app/ProgramFolder.h"
#include "players/ExpiryList.h"
#include "players/ExpiryRows.h"

#include <QDir>
#include <QTextStream>

namespace expiryCommand {

namespace {

const QString usage = QStringLiteral(
    "uso: golvera-cli scadenze tessere|certificati [--entro <giorni>] [--pdf <file>] [--cartella <cartella>]");

int usageError(const QString& message)
{
    terminal::err() << "golvera-cli: " << message << '\n' << usage << '\n';
    terminal::err().flush();
    return terminal::BadUsage;
}

// Whole days, 0 or more, written in digits only.
std::optional<int> days(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

bool handles(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.front() == QStringLiteral("scadenze");
}

int run(const QStringList& arguments, const Options& options)
{
    if (arguments.size() != 2)
        return usageError(QStringLiteral("scadenze vuole tessere oppure certificati"));
    expiryList::Kind kind;
    if (arguments.at(1) == QStringLiteral("tessere"))
        kind = expiryList::Kind::Cards;
    else if (arguments.at(1) == QStringLiteral("certificati"))
        kind = expiryList::Kind::Certificates;
    else
        return usageError(QStringLiteral("elenco sconosciuto \"%1\": tessere oppure certificati").arg(arguments.at(1)));
    int horizon = 0;
    if (options.horizon) {
        const std::optional<int> given = days(*options.horizon);
        if (!given)
            return usageError(QStringLiteral("--entro vuole un numero intero di giorni, 0 o pi\u00F9, non \"%1\"").arg(*options.horizon));
        horizon = *given;
    }

    // A missing archive is most likely a wrong folder: it is not created here.
    const QString path = QDir(options.dataFolder).filePath(programFolder::playerArchiveName);
    if (const int checked = terminal::checkReadable(path, QStringLiteral("l'archivio dei giocatori"), QDir::toNativeSeparators(path));
        checked != terminal::Done)
        return checked;

    const auto rows = ExpiryRows::read(path, kind, QDate::currentDate(), horizon, options.withdrawn);
    if (!rows->error().isEmpty())
        return terminal::failure(QStringLiteral("impossibile leggere l'archivio dei giocatori \"%1\" (%2)")
                                     .arg(QDir::toNativeSeparators(path), rows->error()));

    const std::vector<qsizetype> byDate = rows->byDate();
    RowOutput output;
    output.addAll(*rows, byDate);
    if (const int unreadable = rows->unreadable(); unreadable > 0) {
        // Reported, not fatal: the other players are listed all the same.
        terminal::err() << QStringLiteral("golvera-cli: %1 %2: la data di scadenza non \u00E8 una data gg/mm/aaaa\n")
                               .arg(QString::number(unreadable),
                                    unreadable == 1 ? QStringLiteral("scheda saltata") : QStringLiteral("schede saltate"));
        terminal::err().flush();
    }
    if (!output.finish())
        return terminal::failure(QStringLiteral("impossibile scrivere l'elenco sullo standard output"));

    if (options.pdf) {
        const QString title = expiryList::printTitle(kind, horizon);
        QStringList lines;
        for (const qsizetype row : byDate)
            lines.append(rows->text(row));
        return pdfOutput::writeList(title, lines, *options.pdf);
    }
    return terminal::Done;
}

}  // namespace expiryCommand
