#include "platform/TMisc.h"

#include "platform/Platform.h"

#include <QUrlQuery>

namespace {

QString withoutQuotes(const QString& commandLine)
{
    QString text = commandLine.trimmed();
    text.remove(QLatin1Char('"'));
    return text;
}

QUrl mailtoUrl(const QString& address)
{
    // "mailto:<recipient>?subject=...&body=..." as typed: split it ourselves, because the
    // subject and body hold blanks, commas and accented letters that must be encoded.
    const QString rest = address.mid(int(qstrlen("mailto:")));
    const qsizetype question = rest.indexOf(QLatin1Char('?'));
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(question < 0 ? rest : rest.left(question));
    if (question >= 0) {
        QUrlQuery query;
        for (const QString& pair : rest.mid(question + 1).split(QLatin1Char('&'))) {
            const qsizetype eq = pair.indexOf(QLatin1Char('='));
            const QString key = eq < 0 ? pair : pair.left(eq);
            const QString value = eq < 0 ? QString() : pair.mid(eq + 1);
            query.addQueryItem(QString::fromLatin1(QUrl::toPercentEncoding(key)),
                               QString::fromLatin1(QUrl::toPercentEncoding(value)));
        }
        url.setQuery(query.toString(QUrl::FullyEncoded), QUrl::StrictMode);
    }
    return url;
}

}  // namespace

QUrl TMisc::urlFor(const QString& commandLine)
{
    const QString text = withoutQuotes(commandLine);
    if (text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return mailtoUrl(text);
    if (text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return QUrl(text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(text);
}

void TMisc::Open(const QString& commandLine)
{
    // The shell's answer is not examined: when nothing can open the item the user sees the
    // desktop's own reaction, or nothing.
    platform::shell().open(urlFor(commandLine));
}
