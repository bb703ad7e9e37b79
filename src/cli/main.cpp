// golvera-cli: prints a tournament's standings as the screen shows them, and writes the printed
// document as a PDF file, for clubs that publish their standings; lists the players whose card or
// medical certificate has expired or is about to; backs up and restores the data folder; imports a
// season's teams or players from a spreadsheet.
#include "ArchiveCommands.h"
#include "ExpiryCommand.h"
#include "ImportCommand.h"
#include "MatchCommands.h"
#include "PdfOutput.h"
#include "RowOutput.h"
#include "StandingsCommands.h"
#include "Terminal.h"
#include "WithdrawalCommand.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Product.h"
#include "app/QtTranslations.h"
#include "app/Version.h"
#include "standings/Standings.h"
#include "standings/StandingsTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <memory>

namespace {

using terminal::err;
using terminal::failure;
using terminal::out;

int usageError(const QCommandLineParser& parser, const QString& message)
{
    err() << "golvera-cli: " << message << "\n\n" << parser.helpText();
    err().flush();
    return terminal::BadUsage;
}

QString description(const dataFolder::Choice& data)
{
    return QStringLiteral(
        "Classifiche dei tornei, scadenze dei giocatori e backup di %1 dalla riga di comando.\n"
        "Scrive le righe della classifica come le mostra il programma, poi il totale delle squadre\n"
        "(UTF-8 sullo standard output). Con --pdf scrive anche il documento che stampa il programma.\n\n"
        "Esempi:\n"
        "  golvera-cli classifica merito \"Coppa Estate.vai\"\n"
        "  golvera-cli classifica alfabetica \"Coppa Estate.vai\" --pdf classifica.pdf\n\n"
        "Dai risultati del calendario: la classifica completa (una riga per squadra, campi separati da\n"
        "tabulazioni: Pos, Squadra, Pt, G, V, N, P, GF, GS, DR, Pen e il motivo del posto quando non lo\n"
        "decidono i punti), i marcatori, e la pagina da pubblicare (index.html, foglio di stile e\n"
        "calendario.ics in una cartella):\n"
        "  golvera-cli classifica completa TORNEO [--girone X] [--pdf <file>]\n"
        "  golvera-cli marcatori TORNEO [--pdf <file>]\n"
        "  golvera-cli pubblica TORNEO --uscita <cartella>\n\n"
        "Giocatori con la tessera o il certificato medico scaduti, o in scadenza entro GIORNI giorni,\n"
        "dal pi\u00F9 vecchio (giocatore, squadra, cellulare, tessera, data, reti):\n"
        "  golvera-cli scadenze tessere|certificati [--entro GIORNI] [--pdf <file>] [--cartella <cartella>]\n\n"
        "Backup degli archivi (tornei, squadre, giocatori, foto, allegati, password) in Backup/ nella\n"
        "cartella dei dati, e ripristino in una cartella vuota (o che contiene solo i file del programma):\n"
        "  golvera-cli backup [--cartella <cartella>]\n"
        "  golvera-cli ripristina AAAA-MM-GG.zip [--cartella <cartella>]\n\n"
        "Squadre o giocatori da un foglio di calcolo (.csv, .xlsx, .ods o l'esportazione .xls); senza\n"
        "--conferma mostra soltanto che cosa farebbe:\n"
        "  golvera-cli importa squadre|giocatori FILE [--cartella <cartella>] [--aggiorna] [--conferma]\n\n"
        "Ritiro di una scheda (squadra, giocatore o squadra iscritta a un torneo) e riammissione: la\n"
        "scheda resta in archivio, ma classifiche, scadenze ed elenchi la tralasciano; con --ritirati\n"
        "classifica e scadenze la elencano, segnata:\n"
        "  golvera-cli ritira|riammetti squadre|giocatori|TORNEO POSIZIONE [--cartella <cartella>]\n\n"
        "Il calendario di un torneo (numero, giornata, girone, data, ora, campo, casa, ospiti, risultato,\n"
        "stato, separati da tabulazioni), un calendario nuovo (scritto solo con --conferma) e un risultato:\n"
        "  golvera-cli calendario TORNEO [--giornata N] [--squadra NOME] [--pdf FILE]\n"
        "  golvera-cli calendario crea TORNEO [--andata-ritorno] [--gironi N] [--eliminazione] [--terzo-posto]\n"
        "              [--inizio GG/MM/AAAA] [--ogni GIORNI] [--orari HH:MM,...] [--campi NOME;...] [--conferma]\n"
        "  golvera-cli risultato TORNEO N GOL-GOL [--stato giocata|rinviata|sospesa|tavolino|annullata]\n"
        "              [--rigori GOL-GOL]\n"
        "(a tavolino: perde la squadra con meno reti, entrambe a reti pari).\n\n"
        "Le opzioni si scrivono \"--cartella DIR\" oppure \"--cartella=DIR\", una volta sola.\n\n"
        "%2\n\n"
        "Uscita: 0 eseguito, 1 torneo o archivio mancante o illeggibile, PDF o backup non scritto, foglio\n"
        "illeggibile o senza colonne o righe importabili, 2 uso errato.")
        .arg(product::name, dataFolder::describe(data));
}

// Only the PDF needs fonts, and so the GUI application and its plugin; plain rows start without them.
bool wantsPdf(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrncmp(argv[i], "--pdf", 5) == 0)
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    std::unique_ptr<QCoreApplication> app;
    if (wantsPdf(argc, argv))
        app = pdfOutput::application(argc, argv);
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("golvera-cli"));
    QCoreApplication::setApplicationVersion(product::version);
    // Qt's own words in the help and in its option errors, in Italian like ours.
    qtTranslations::install();

    QCommandLineParser parser;
    const auto [helpOption, versionOption] = commandLine::addStandardOptions(parser);
    const QCommandLineOption pdfOption(QStringLiteral("pdf"), QStringLiteral("Scrive la classifica o l'elenco stampati nel file PDF <file>."),
                                       QStringLiteral("file"));
    parser.addOption(pdfOption);
    const QCommandLineOption horizonOption(QStringLiteral("entro"),
                                           QStringLiteral("Scadenze: elenca anche chi scade entro <giorni> giorni."),
                                           QStringLiteral("giorni"));
    parser.addOption(horizonOption);
    const QCommandLineOption folderOption(QStringLiteral("cartella"),
                                          QStringLiteral("La cartella dei dati per scadenze, backup, ripristina, importa, ritira e riammetti."),
                                          QStringLiteral("cartella"));
    parser.addOption(folderOption);
    const QCommandLineOption confirmOption(QStringLiteral("conferma"), QStringLiteral("Importa: scrive le schede in archivio."));
    parser.addOption(confirmOption);
    const QCommandLineOption updateOption(QStringLiteral("aggiorna"),
                                          QStringLiteral("Importa: le righe gi\u00E0 in archivio aggiornano la scheda invece di essere saltate."));
    parser.addOption(updateOption);
    const QCommandLineOption groupOption(QStringLiteral("girone"), QStringLiteral("Classifica completa: solo il girone <girone>."),
                                         QStringLiteral("girone"));
    parser.addOption(groupOption);
    const QCommandLineOption outputOption(QStringLiteral("uscita"), QStringLiteral("Pubblica: la cartella in cui scrivere la pagina."),
                                          QStringLiteral("cartella"));
    parser.addOption(outputOption);
    const QCommandLineOption withdrawnOption(QStringLiteral("ritirati"),
                                             QStringLiteral("Classifica e scadenze: elenca anche le schede ritirate, segnate."));
    parser.addOption(withdrawnOption);
    // The calendar's options; MatchCommands says which belong to which of its commands.
    const QCommandLineOption roundOption(QStringLiteral("giornata"), QStringLiteral("Calendario: solo la giornata <n>."),
                                         QStringLiteral("n"));
    const QCommandLineOption teamOption(QStringLiteral("squadra"), QStringLiteral("Calendario: solo le gare della squadra <nome>."),
                                        QStringLiteral("nome"));
    const QCommandLineOption doubleLegOption(QStringLiteral("andata-ritorno"), QStringLiteral("Calendario crea: andata e ritorno."));
    const QCommandLineOption groupsOption(QStringLiteral("gironi"), QStringLiteral("Calendario crea: <n> gironi sorteggiati."),
                                          QStringLiteral("n"));
    const QCommandLineOption knockoutOption(QStringLiteral("eliminazione"),
                                            QStringLiteral("Calendario crea: eliminazione diretta (dopo i gironi, se indicati)."));
    const QCommandLineOption thirdPlaceOption(QStringLiteral("terzo-posto"), QStringLiteral("Calendario crea: con la finale per il 3\u00B0 posto."));
    const QCommandLineOption startOption(QStringLiteral("inizio"), QStringLiteral("Calendario crea: data della prima giornata."),
                                         QStringLiteral("GG/MM/AAAA"));
    const QCommandLineOption everyOption(QStringLiteral("ogni"), QStringLiteral("Calendario crea: giorni tra una giornata e la successiva."),
                                         QStringLiteral("giorni"));
    const QCommandLineOption timesOption(QStringLiteral("orari"), QStringLiteral("Calendario crea: orari d'inizio, separati da virgole."),
                                         QStringLiteral("HH:MM,..."));
    const QCommandLineOption fieldsOption(QStringLiteral("campi"), QStringLiteral("Calendario crea: campi, separati da punto e virgola."),
                                          QStringLiteral("campi"));
    const QCommandLineOption statusOption(QStringLiteral("stato"),
                                          QStringLiteral("Risultato: giocata, rinviata, sospesa, tavolino oppure annullata."),
                                          QStringLiteral("stato"));
    const QCommandLineOption penaltiesOption(QStringLiteral("rigori"), QStringLiteral("Risultato: i calci di rigore."),
                                             QStringLiteral("GOL-GOL"));
    const QList<QCommandLineOption> matchOptions{roundOption,  teamOption,  doubleLegOption, groupsOption,
                                                 knockoutOption, thirdPlaceOption, startOption, everyOption,
                                                 timesOption,  fieldsOption, statusOption,    penaltiesOption};
    parser.addOptions(matchOptions);
    parser.addPositionalArgument(QStringLiteral("classifica"), QStringLiteral("Il comando: classifica."));
    parser.addPositionalArgument(QStringLiteral("tipo"), QStringLiteral("merito oppure alfabetica."));
    parser.addPositionalArgument(QStringLiteral("torneo"), QStringLiteral("Il file del torneo (*.vai)."));

    // The folder in use is named in the help: until the line is read, the one used without --cartella.
    const dataFolder::Choice byDefault = dataFolder::chooseFor({}, QCoreApplication::applicationDirPath());
    parser.setApplicationDescription(description(byDefault));
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser, parser.errorText());
    // "--opzione valore" and "--opzione=valore" alike; an option given twice is a mistake to point
    // out, not a guess to make.
    for (const QCommandLineOption& option : QList<QCommandLineOption>{pdfOption, horizonOption, folderOption, confirmOption,
                                                                      updateOption, groupOption, outputOption, withdrawnOption} + matchOptions) {
        if (parser.optionNames().count(option.names().front()) > 1)
            return usageError(parser, QStringLiteral("l'opzione --%1 \u00E8 indicata pi\u00F9 volte").arg(option.names().front()));
    }
    if (const QString empty = commandLine::emptyValue(parser, {pdfOption, horizonOption, folderOption}); !empty.isEmpty())
        return usageError(parser, empty);
    const dataFolder::Choice data = parser.isSet(folderOption)
                                        ? dataFolder::chooseFor(parser.value(folderOption), QCoreApplication::applicationDirPath())
                                        : byDefault;
    parser.setApplicationDescription(description(data));
    if (parser.isSet(helpOption)) {
        out() << parser.helpText();
        return terminal::Done;
    }
    if (parser.isSet(versionOption)) {
        out() << "golvera-cli " << QCoreApplication::applicationVersion() << '\n';
        return terminal::Done;
    }

    const QStringList arguments = parser.positionalArguments();
    if (expiryCommand::handles(arguments)) {
        expiryCommand::Options options;
        if (parser.isSet(horizonOption))
            options.horizon = parser.value(horizonOption);
        if (parser.isSet(pdfOption))
            options.pdf = parser.value(pdfOption);
        options.dataFolder = data.folder;
        options.withdrawn = parser.isSet(withdrawnOption) ? withdrawal::Listing::Mark : withdrawal::Listing::LeaveOut;
        return expiryCommand::run(arguments, options);
    }
    if (parser.isSet(withdrawnOption) && (arguments.isEmpty() || arguments.front() != QStringLiteral("classifica")))
        return usageError(parser, QStringLiteral("--ritirati vale solo per i comandi classifica e scadenze"));
    if (withdrawalCommand::handles(arguments))
        return withdrawalCommand::run(arguments, data.folder);
    if (parser.isSet(horizonOption))
        return usageError(parser, QStringLiteral("--entro vale solo per il comando scadenze"));
    if (standingsCommands::handles(arguments)) {
        for (const QCommandLineOption& option : matchOptions) {
            if (parser.isSet(option))
                return usageError(parser, QStringLiteral("--%1 vale solo per i comandi calendario e risultato").arg(option.names().front()));
        }
        standingsCommands::Options options;
        options.groupSet = parser.isSet(groupOption);
        options.group = parser.value(groupOption);
        options.pdf = parser.value(pdfOption);
        options.outputSet = parser.isSet(outputOption);
        options.output = parser.value(outputOption);
        return standingsCommands::run(arguments, options);
    }
    if (parser.isSet(groupOption) || parser.isSet(outputOption))
        return usageError(parser, QStringLiteral("--girone e --uscita valgono solo per classifica completa e pubblica"));
    if (matchCommands::handles(arguments)) {
        if (parser.isSet(updateOption))
            return usageError(parser, QStringLiteral("--aggiorna vale solo per il comando importa"));
        matchCommands::Options options;
        options.dataFolder = data.folder;
        const auto value = [&parser](const QCommandLineOption& option) {
            return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
        };
        options.round = value(roundOption);
        options.team = value(teamOption);
        options.pdf = value(pdfOption);
        options.doubleLeg = parser.isSet(doubleLegOption);
        options.groups = value(groupsOption);
        options.knockout = parser.isSet(knockoutOption);
        options.thirdPlace = parser.isSet(thirdPlaceOption);
        options.start = value(startOption);
        options.every = value(everyOption);
        options.times = value(timesOption);
        options.fields = value(fieldsOption);
        options.confirm = parser.isSet(confirmOption);
        options.status = value(statusOption);
        options.penalties = value(penaltiesOption);
        return matchCommands::run(arguments, options);
    }
    for (const QCommandLineOption& option : matchOptions) {
        if (parser.isSet(option))
            return usageError(parser, QStringLiteral("--%1 vale solo per i comandi calendario e risultato").arg(option.names().front()));
    }
    if (importCommand::handles(arguments))
        return importCommand::run(arguments, {data.folder, parser.isSet(confirmOption), parser.isSet(updateOption)});
    if (parser.isSet(confirmOption) || parser.isSet(updateOption))
        return usageError(parser, QStringLiteral("--conferma e --aggiorna valgono solo per il comando importa"));
    if (archiveCommands::handles(arguments)) {
        const int code = archiveCommands::run(arguments, data.folder, out(), err());
        out().flush();
        err().flush();
        return code;
    }
    if (arguments.size() != 3 || arguments.at(0) != QStringLiteral("classifica"))
        return usageError(parser, QStringLiteral("uso: golvera-cli classifica merito|alfabetica <torneo.vai> [--pdf <file>]\n"
                                                 "     golvera-cli scadenze tessere|certificati [--entro <giorni>] [--pdf <file>]"));
    standings::Kind kind;
    if (arguments.at(1) == QStringLiteral("merito"))
        kind = standings::Kind::Merit;
    else if (arguments.at(1) == QStringLiteral("alfabetica"))
        kind = standings::Kind::Alphabetical;
    else
        return usageError(parser, QStringLiteral("tipo di classifica sconosciuto \"%1\": merito oppure alfabetica").arg(arguments.at(1)));

    const QFileInfo tournament(arguments.at(2));
    if (const int checked = terminal::checkReadable(tournament.filePath(), QStringLiteral("il torneo"), arguments.at(2));
        checked != terminal::Done)
        return checked;

    const standings::Table table =
        standings::Table::load(kind, tournament.filePath(), nullptr,
                               parser.isSet(withdrawnOption) ? withdrawal::Listing::Mark : withdrawal::Listing::LeaveOut);
    if (table.failed())
        return failure(QStringLiteral("impossibile leggere il torneo \"%1\" (%2)").arg(arguments.at(2), table.error()));

    RowOutput output;
    output.addAll(table);
    output.addLine("Totale squadre: " + QByteArray::number(table.count()));
    if (!output.finish())
        return failure(QStringLiteral("impossibile scrivere la classifica sullo standard output"));

    if (parser.isSet(pdfOption)) {
        const QString title = standings::title(kind, tournament.fileName());
        return pdfOutput::writeStandings(kind, title, table.all(), parser.value(pdfOption));
    }
    return terminal::Done;
}
