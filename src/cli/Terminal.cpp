#include "Terminal.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace terminal {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

int failure(const QString& message)
{
    err() << "golvera-cli: " << message << '\n';
    err().flush();
    return Failed;
}

QString blanked(QString text)
{
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text;
}

bool outputDelivered()
{
    out().flush();
    return out().status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

int checkReadable(const QString& path, const QString& what, const QString& shown)
{
    const QFileInfo file(path);
    if (!file.exists())
        return failure(QStringLiteral("%1 \"%2\" non esiste").arg(what, shown));
    if (!file.isFile() || !file.isReadable())
        return failure(QStringLiteral("%1 \"%2\" non \u00E8 un file leggibile").arg(what, shown));
    return Done;
}


}  // namespace terminal
