#include "attachments/Attachments.h"

QString attachments::fileField(int index)
{
    return QStringLiteral("File%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

QString attachments::descriptionField(int index)
{
    return QStringLiteral("Desc%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}
