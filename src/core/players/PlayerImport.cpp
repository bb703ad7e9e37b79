#include "players/PlayerImport.h"

#include "app/ProgramFolder.h"
#include "checkers/TaxCode.h"
#include "checkers/TaxCodePerson.h"
#include "players/PlayerExport.h"
#include "players/PlayerRules.h"
#include "storage/PlayerRecord.h"

using namespace Qt::StringLiterals;

namespace playerImport {
namespace {

using sheetImport::Part;
using sheetImport::Rule;
using sheetImport::Target;

// The label the export gives a field; the fields it does not export name their own.
QString exportLabel(const QString& field)
{
    for (const spreadsheet::Column& column : playerExport::sheet().columns) {
        if (column.field == field)
            return column.label;
    }
    return field;
}

Target target(const QString& field, Rule rule, QStringList synonyms, const QString& label = {})
{
    return {field, label.isEmpty() ? exportLabel(field) : label, std::move(synonyms), rule};
}

QList<Target> targets()
{
    QList<Target> list = {
        target(u"Giocatore"_s, Rule::Text,
               {u"Nome e cognome"_s, u"Nome"_s, u"Giocatore"_s, u"Giocatrice"_s, u"Calciatore"_s, u"Atleta"_s,
                u"Nominativo"_s, u"Cognome nome"_s}),
        {u"Giocatore"_s, u"Cognome"_s, {}, Rule::Text, Part::Surname},
        {u"Giocatore"_s, u"Nome (dopo il cognome)"_s, {u"Nome"_s, u"Nome proprio"_s}, Rule::Text, Part::GivenName},
        target(u"Sesso"_s, Rule::Sex, {u"Genere"_s, u"M/F"_s}, u"Sesso"_s),
        target(u"DataNasc"_s, Rule::Date, {u"Data di nascita"_s, u"Nato il"_s, u"Nata il"_s, u"Nascita"_s, u"Data nasc."_s}),
        target(u"Cittadinanza"_s, Rule::Text, {u"Nazionalit\u00E0"_s}),
        target(u"LuogoNasc"_s, Rule::Text, {u"Luogo di nascita"_s, u"Nato a"_s, u"Nata a"_s, u"Comune di nascita"_s}),
        target(u"Indirizzo"_s, Rule::Text, {u"Indirizzo"_s, u"Indirizzo di residenza"_s, u"Residenza"_s, u"Via"_s}),
        target(u"Citta"_s, Rule::Text, {u"Comune"_s, u"Comune di residenza"_s, u"Localit\u00E0"_s}),
        target(u"Cap"_s, Rule::Text, {u"Codice postale"_s, u"C.A.P."_s}),
        target(u"Nazione"_s, Rule::Text, {u"Paese"_s, u"Stato"_s}),
        target(u"CodFisc"_s, Rule::TaxCode, {u"CF"_s, u"C.F."_s, u"Cod. fisc."_s, u"Codice fiscale"_s}),
        target(u"Squadra"_s, Rule::Text, {u"Societ\u00E0"_s, u"Team"_s}),
        target(u"Maglia"_s, Rule::Text, {u"Maglia"_s, u"Numero di maglia"_s, u"N. maglia"_s, u"Numero"_s}),
        target(u"Ruolo"_s, Rule::Text, {u"Posizione"_s}),
        target(u"Altezza"_s, Rule::Text, {}, u"Altezza"_s),
        target(u"Peso"_s, Rule::Text, {}, u"Peso"_s),
        target(u"Piede"_s, Rule::Text, {u"Piede preferito"_s}),
        target(u"Email"_s, Rule::Text, {u"Email"_s, u"Mail"_s, u"Posta elettronica"_s, u"Indirizzo e-mail"_s}),
        target(u"Tel"_s, Rule::Text, {u"Telefono"_s, u"Telefono casa"_s, u"Tel"_s}),
        target(u"Cel"_s, Rule::Text, {u"Cellulare"_s, u"Cell."_s, u"Cel."_s, u"Telefono cellulare"_s, u"Mobile"_s}),
        target(u"Tessera"_s, Rule::Text, {u"Tessera"_s, u"Numero tessera"_s, u"N. tessera"_s, u"Matricola"_s}),
        target(u"ScadTessera"_s, Rule::RequiredDate, {u"Scadenza della tessera"_s}),
        target(u"ScadCertificato"_s, Rule::RequiredDate,
               {u"Scadenza certificato medico"_s, u"Scadenza certificato"_s, u"Scadenza del certificato medico"_s,
                u"Certificato medico"_s, u"Scadenza visita medica"_s}),
        target(u"Presenze"_s, Rule::Count, {u"Partite giocate"_s}),
        target(u"Reti"_s, Rule::Count, {u"Gol"_s, u"Goal"_s}),
        target(u"Riconoscimenti"_s, Rule::Text, {u"Premi"_s}, u"Riconoscimenti"_s),
        target(u"Ammonizioni"_s, Rule::Count, {u"Cartellini gialli"_s}),
        target(u"Espulsioni"_s, Rule::Count, {u"Cartellini rossi"_s}),
        target(u"Infortuni"_s, Rule::Text, {}),
        target(u"Note"_s, Rule::Text, {u"Annotazioni"_s}),
    };
    return list;
}

QStringList mandatory()
{
    QStringList fields;
    for (const playerRules::MandatoryField& mandatoryField : playerRules::mandatoryFields())
        fields.append(mandatoryField.field);
    return fields;
}

// A field's index in the player record.
int field(const QString& name) { return formatOf<PlayerRecord>().indexOf(name); }

// A new record of the editor starts with "0" in every count; a sex the row leaves out is the one
// a valid tax code tells.
void complete(sheetImport::Texts& texts)
{
    static const QList<int> counts = {field(u"Presenze"_s), field(u"Reti"_s), field(u"Ammonizioni"_s),
                                      field(u"Espulsioni"_s)};
    static const int sex = field(u"Sesso"_s);
    static const int codFisc = field(u"CodFisc"_s);
    for (int count : counts) {
        if (texts.at(count).isEmpty())
            texts[count] = u"0"_s;
    }
    const QString& code = texts.at(codFisc);
    if (texts.at(sex).isEmpty() && !code.isEmpty() && taxCode::check(code) == taxCode::Verdict::Valid) {
        if (const std::optional<taxCodePerson::Holder> holder = taxCodePerson::read(code))
            texts[sex] = holder->woman ? u"F"_s : u"M"_s;
    }
}

QString checkTogether(const sheetImport::Texts& texts)
{
    static const int codFisc = field(u"CodFisc"_s);
    const QString& code = texts.at(codFisc);
    if (code.isEmpty() || taxCode::check(code) != taxCode::Verdict::Valid)
        return {};
    return taxCodePerson::disagreement(code, texts.at(field(u"DataNasc"_s)), texts.at(field(u"Sesso"_s)))
        .value_or(QString());
}

}  // namespace

const sheetImport::Archive& archive()
{
    static const sheetImport::Archive players = sheetImport::resolved({
        programFolder::playerArchiveName,
        formatOf<PlayerRecord>(),
        targets(),
        mandatory(),
        {{u"Sesso"_s, u"CodFisc"_s}},
        complete,
        checkTogether,
        {u"Giocatore"_s, u"DataNasc"_s},
        u"stesso cognome e nome e stessa data di nascita"_s,
    });
    return players;
}

}  // namespace playerImport
