#include "players/PlayerSheet.h"

#include "text/TextRules.h"

#include <QRegularExpression>

namespace playerSheet {
namespace {

// A box holds one line: a line break that found its way into a field becomes a blank.
QString oneLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n]+"));
    QString line = trimControls(text);
    line.replace(breaks, QStringLiteral(" "));
    return line;
}

}  // namespace

const QStringList& valueNames()
{
    static const QStringList names = {
        QStringLiteral("txtGiocatore"),
        QStringLiteral("txtLuogoNasc"),      QStringLiteral("txtDataNasc"),    QStringLiteral("txtSesso"),
        QStringLiteral("txtIndirizzo"),      QStringLiteral("txtCitta"),       QStringLiteral("txtCap"),
        QStringLiteral("txtNazione"),        QStringLiteral("txtCodFisc"),     QStringLiteral("txtSquadra"),
        QStringLiteral("txtRuolo"),          QStringLiteral("txtMaglia"),      QStringLiteral("txtPresenze"),
        QStringLiteral("txtReti"),           QStringLiteral("txtAmmonizioni"), QStringLiteral("txtEspulsioni"),
        QStringLiteral("txtCittadinanza"),   QStringLiteral("txtTessera"),     QStringLiteral("txtInizioTes"),
        QStringLiteral("txtFineTes"),        QStringLiteral("txtEmail"),       QStringLiteral("txtTel"),
        QStringLiteral("txtCel"),            QStringLiteral("txtRiconoscimenti"), QStringLiteral("txtAltezza"),
        QStringLiteral("txtPeso"),           QStringLiteral("txtInfortuni"),   QStringLiteral("txtPiede"),
        QStringLiteral("txtNote"),
    };
    return names;
}

report::Report make(const QHash<QString, QString>& values, const QImage& photo)
{
    report::Report sheet = report::Report::load(QStringLiteral("player_sheet"));
    sheet.page(0).orientation = QPageLayout::Portrait;
    sheet.picture(QStringLiteral("imgLogo")).setPicture(photo);
    for (const QString& name : valueNames())
        sheet.text(name).setText(oneLine(values.value(name)));
    return sheet;
}

QSize photoLimit()
{
    static const QSize limit = report::Report::load(QStringLiteral("player_sheet")).picture(QStringLiteral("imgLogo")).pictureLimit();
    return limit;
}

}  // namespace playerSheet
