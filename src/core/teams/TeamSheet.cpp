#include "teams/TeamSheet.h"

#include "text/TextRules.h"

#include <QLocale>

namespace teamSheet {

const QStringList& valueNames()
{
    static const QStringList names = {
        QStringLiteral("txtSquadra"),     QStringLiteral("txtColori"),        QStringLiteral("txtSede"),
        QStringLiteral("txtCampo"),       QStringLiteral("txtPresidente"),    QStringLiteral("txtAllenatore"),
        QStringLiteral("txtCapitano"),    QStringLiteral("txtCapocannoniere"), QStringLiteral("txtPortieri"),
        QStringLiteral("txtDifensori"),   QStringLiteral("txtCentrocampisti"), QStringLiteral("txtAttaccanti"),
        QStringLiteral("txtFondazione"),  QStringLiteral("txtFondatore"),     QStringLiteral("txtResponsabile"),
        QStringLiteral("txtTelefono"),    QStringLiteral("txtEmail"),         QStringLiteral("txtPalmares"),
        QStringLiteral("txtNote"),
    };
    return names;
}

QString footer(const QDateTime& when)
{
    // The C locale: the system's own time format varies and may carry a time zone name.
    const QLocale c = QLocale::c();
    return QStringLiteral("Stampa eseguita in data ") + c.toString(when.date(), QStringLiteral("dd/MM/yyyy"))
        + QStringLiteral(" alle ore ") + c.toString(when.time(), QStringLiteral("HH:mm:ss"));
}

report::Report make(const QHash<QString, QString>& values, const QDateTime& when)
{
    report::Report sheet = report::Report::load(QStringLiteral("team_sheet"));
    sheet.page(0).orientation = QPageLayout::Portrait;
    for (const QString& name : valueNames())
        sheet.text(name).setText(trimControls(values.value(name)));
    sheet.text(QStringLiteral("txtCalce")).setText(footer(when));
    return sheet;
}

}  // namespace teamSheet
