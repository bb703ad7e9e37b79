#include "publish/PublishedPage.h"

namespace publish {
namespace {

class Writer {
public:
    void raw(const QString& text) { m_out += text; }
    void line(const QString& text)
    {
        m_out += text;
        m_out += u'\n';
    }
    // <tag class="…">text</tag>, the text escaped.
    void element(const char* tag, const QString& text, const char* cssClass = nullptr)
    {
        m_out += u'<' + QLatin1String(tag);
        if (cssClass)
            m_out += QStringLiteral(" class=\"") + QLatin1String(cssClass) + u'"';
        m_out += u'>' + escape(text) + QStringLiteral("</") + QLatin1String(tag) + QStringLiteral(">");
    }
    QString text() const { return m_out; }

private:
    QString m_out;
};

void headerRow(Writer& out, const QStringList& headers, const QList<const char*>& classes)
{
    out.raw(QStringLiteral("<thead><tr>"));
    for (qsizetype i = 0; i < headers.size(); ++i) {
        out.raw(QStringLiteral("<th scope=\"col\" class=\"%1\">").arg(QLatin1String(classes.value(i, ""))));
        out.raw(escape(headers[i]) + QStringLiteral("</th>"));
    }
    out.line(QStringLiteral("</tr></thead>"));
}

void standingsTable(Writer& out, const StandingsSection& section)
{
    if (!section.group.isEmpty())
        out.element("h3", QStringLiteral("Girone ") + section.group);
    out.raw(QStringLiteral("<table class=\"classifica\">"));
    if (!section.group.isEmpty())
        out.element("caption", QStringLiteral("Classifica del girone ") + section.group, "nascosto");
    headerRow(out, {QStringLiteral("Pos"), QStringLiteral("Squadra"), QStringLiteral("Pt"), QStringLiteral("G"),
                    QStringLiteral("V"), QStringLiteral("N"), QStringLiteral("P"), QStringLiteral("GF"),
                    QStringLiteral("GS"), QStringLiteral("DR"), QStringLiteral("Pen")},
              {"num", "nome", "num punti", "num", "num", "num", "num", "num", "num", "num", "num"});
    out.raw(QStringLiteral("<tbody>"));
    QStringList reasons;
    for (const standings::StandingsRow& row : section.table.rows) {
        out.raw(row.playOff ? QStringLiteral("<tr class=\"spareggio\">") : QStringLiteral("<tr>"));
        out.element("td", QString::number(row.place), "num");
        out.raw(QStringLiteral("<th scope=\"row\" class=\"nome\">") + escape(row.name) + QStringLiteral("</th>"));
        const int numbers[] = {row.points, row.played, row.won, row.drawn, row.lost, row.goalsFor, row.goalsAgainst};
        for (std::size_t i = 0; i < std::size(numbers); ++i)
            out.element("td", QString::number(numbers[i]), i == 0 ? "num punti" : "num");
        out.element("td", standings::signedNumber(row.goalDifference()), "num");
        out.element("td", row.deduction ? QString::number(row.deduction) : QString(), "num");
        out.line(QStringLiteral("</tr>"));
        if (!row.reason.isEmpty())
            reasons.append(row.reason);
    }
    out.line(QStringLiteral("</tbody></table>"));
    reasons += section.table.notes;
    if (!reasons.isEmpty()) {
        out.raw(QStringLiteral("<ul class=\"motivi\">"));
        for (const QString& reason : reasons)
            out.element("li", reason);
        out.line(QStringLiteral("</ul>"));
    }
}

void roundTable(Writer& out, const RoundSection& round)
{
    out.element("h3", round.title);
    out.raw(QStringLiteral("<table class=\"gare\">"));
    headerRow(out, {QStringLiteral("Data"), QStringLiteral("Casa"), QStringLiteral("Ospite"), QStringLiteral("Risultato")},
              {"data", "squadra", "squadra", "risultato"});
    out.raw(QStringLiteral("<tbody>"));
    for (const MatchLine& match : round.matches) {
        out.raw(QStringLiteral("<tr><td class=\"data\">"));
        out.raw(escape(match.date));
        if (!match.time.isEmpty())
            out.raw(QStringLiteral(" ") + escape(match.time));
        if (!match.field.isEmpty())
            out.raw(QStringLiteral("<br><span class=\"campo\">") + escape(match.field) + QStringLiteral("</span>"));
        out.raw(QStringLiteral("</td>"));
        out.element("td", match.home, "squadra");
        out.element("td", match.away, "squadra");
        out.raw(QStringLiteral("<td class=\"risultato\">") + escape(match.result));
        if (!match.status.isEmpty())
            out.raw(QStringLiteral("<br><span class=\"stato\">") + escape(match.status) + QStringLiteral("</span>"));
        out.line(QStringLiteral("</td></tr>"));
    }
    out.line(QStringLiteral("</tbody></table>"));
}

}  // namespace

QString escape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'<': escaped += QStringLiteral("&lt;"); break;
        case u'>': escaped += QStringLiteral("&gt;"); break;
        case u'&': escaped += QStringLiteral("&amp;"); break;
        case u'"': escaped += QStringLiteral("&quot;"); break;
        case u'\'': escaped += QStringLiteral("&#39;"); break;
        default:
            // Controls have no place in a page; a line break becomes a blank.
            escaped += c.unicode() < 0x20 || c.unicode() == 0x7F ? QChar(u' ') : c;
        }
    }
    return escaped;
}

QByteArray html(const Page& page)
{
    Writer out;
    out.line(QStringLiteral("<!DOCTYPE html>"));
    out.line(QStringLiteral("<html lang=\"it\">"));
    out.line(QStringLiteral("<head>"));
    out.line(QStringLiteral("<meta charset=\"utf-8\">"));
    out.line(QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
    out.element("title", page.tournament);
    out.line(QString());
    out.line(QStringLiteral("<link rel=\"stylesheet\" href=\"") + escape(StylesheetName) + QStringLiteral("\">"));
    out.line(QStringLiteral("</head>"));
    out.line(QStringLiteral("<body>"));
    out.raw(QStringLiteral("<header>"));
    out.element("h1", page.tournament);
    if (!page.updated.isEmpty())
        out.element("p", page.updated, "aggiornata");
    out.line(QStringLiteral("</header>"));
    out.line(QStringLiteral("<main>"));

    out.line(QStringLiteral("<section id=\"classifica\">"));
    out.element("h2", QStringLiteral("Classifica"));
    for (const StandingsSection& section : page.standings)
        standingsTable(out, section);
    out.line(QStringLiteral("</section>"));

    if (!page.rounds.isEmpty()) {
        out.line(QStringLiteral("<section id=\"calendario\">"));
        out.element("h2", QStringLiteral("Calendario e risultati"));
        if (!page.calendarFile.isEmpty()) {
            out.raw(QStringLiteral("<p><a href=\"") + escape(page.calendarFile) + QStringLiteral("\">"));
            out.raw(QStringLiteral("Aggiungi le gare al calendario del telefono</a></p>"));
        }
        for (const RoundSection& round : page.rounds)
            roundTable(out, round);
        out.line(QStringLiteral("</section>"));
    }
    if (!page.bracket.isEmpty()) {
        out.line(QStringLiteral("<section id=\"tabellone\">"));
        out.element("h2", QStringLiteral("Tabellone"));
        for (const RoundSection& round : page.bracket)
            roundTable(out, round);
        out.line(QStringLiteral("</section>"));
    }
    if (!page.scorers.isEmpty()) {
        out.line(QStringLiteral("<section id=\"marcatori\">"));
        out.element("h2", QStringLiteral("Classifica marcatori"));
        out.raw(QStringLiteral("<table class=\"marcatori\">"));
        headerRow(out, {QStringLiteral("Giocatore"), QStringLiteral("Squadra"), QStringLiteral("Gol")}, {"nome", "nome", "num"});
        out.raw(QStringLiteral("<tbody>"));
        for (const ScorerLine& scorer : page.scorers) {
            out.raw(QStringLiteral("<tr><th scope=\"row\" class=\"nome\">") + escape(scorer.player) + QStringLiteral("</th>"));
            out.element("td", scorer.team, "nome");
            out.element("td", QString::number(scorer.goals), "num");
            out.line(QStringLiteral("</tr>"));
        }
        out.line(QStringLiteral("</tbody></table>"));
        out.line(QStringLiteral("</section>"));
    }
    out.line(QStringLiteral("</main>"));
    out.line(QStringLiteral("</body>"));
    out.line(QStringLiteral("</html>"));
    return out.text().toUtf8();
}

QByteArray stylesheet()
{
    // Dark text on white and white on dark blue: both well above 4.5:1. Tables take the page's
    // width and no more, so a 360-pixel phone never scrolls sideways; long names wrap.
    return QByteArrayLiteral(
        "html { -webkit-text-size-adjust: 100%; }\n"
        "body { margin: 0 auto; max-width: 60rem; padding: 0.5rem; font-family: \"Liberation Sans\", Arial, sans-serif;\n"
        "       font-size: 15px; line-height: 1.35; color: #1a1a1a; background: #ffffff; }\n"
        "h1 { font-size: 1.4rem; margin: 0.3rem 0; overflow-wrap: anywhere; }\n"
        "h2 { font-size: 1.2rem; margin: 1.2rem 0 0.4rem; border-bottom: 2px solid #1f4e79; }\n"
        "h3 { font-size: 1rem; margin: 0.8rem 0 0.3rem; overflow-wrap: anywhere; }\n"
        ".aggiornata { margin: 0; color: #4a4a4a; font-size: 0.85rem; }\n"
        "a { color: #0b4f8a; }\n"
        "table { width: 100%; table-layout: fixed; border-collapse: collapse; margin-bottom: 0.5rem; }\n"
        "th, td { padding: 0.25rem 0.2rem; border-bottom: 1px solid #c8c8c8; overflow-wrap: anywhere; vertical-align: top; }\n"
        "thead th { background: #1f4e79; color: #ffffff; font-weight: bold; text-align: left; }\n"
        "tbody th { font-weight: normal; text-align: left; }\n"
        ".num { text-align: right; width: 15%; }\n"
        "thead th.num { text-align: right; }\n"
        ".nome { width: auto; }\n"
        ".punti { font-weight: bold; }\n"
        ".classifica { font-size: 0.8rem; }\n"
        ".classifica th, .classifica td { padding: 0.25rem 0.1rem; }\n"
        ".classifica .num { width: 7%; }\n"
        ".classifica thead th { font-size: 0.85em; padding-left: 0; padding-right: 0.1rem; overflow-wrap: normal; }\n"
        ".classifica .nome { width: 30%; padding-left: 0.3rem; }\n"
        ".gare .data { width: 26%; }\n"
        ".gare .risultato { width: 20%; text-align: center; }\n"
        ".campo, .stato { color: #4a4a4a; font-size: 0.85em; }\n"
        "tr.spareggio td, tr.spareggio th { background: #fff1c7; }\n"
        ".motivi { margin: 0 0 0.8rem; padding-left: 1.2rem; font-size: 0.85rem; overflow-wrap: anywhere; }\n"
        ".nascosto { position: absolute; width: 1px; height: 1px; overflow: hidden; clip: rect(0 0 0 0); }\n"
        "@media (min-width: 40rem) { .classifica { font-size: 0.95rem; } }\n"
        "@media print { body { max-width: none; font-size: 10pt; } a { color: #000000; }\n"
        "  thead th { background: #ffffff; color: #000000; border-bottom: 2px solid #000000; }\n"
        "  table, section { break-inside: auto; } tr { break-inside: avoid; } }\n");
}

}  // namespace publish
