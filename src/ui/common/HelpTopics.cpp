#include "common/HelpTopics.h"

#include "app/Guida.h"
#include "common/Dialogs.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace help {

HelpTopic topic(const QString& name)
{
    QFile file(QStringLiteral(":/help/") + name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString content = QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const qsizetype firstBreak = content.indexOf(QLatin1Char('\n'));
    HelpTopic result;
    result.title = content.left(firstBreak).trimmed();
    QStringList paragraphs = content.mid(firstBreak + 1).split(QRegularExpression(QStringLiteral("\n\\s*\n")));
    for (QString& paragraph : paragraphs)
        paragraph = paragraph.trimmed();
    paragraphs.removeAll(QString());
    result.text = paragraphs.join(QStringLiteral("\r\n\r\n"));
    return result;
}

void show(QWidget* owner, const QString& name)
{
    const HelpTopic shown = topic(name);
    dialogs::open<TfrmGuida>(owner, [&](TfrmGuida& dialog) { dialog.setTopic(shown.title, shown.text); });
}

}  // namespace help
