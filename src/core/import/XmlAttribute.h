#pragma once

#include <QLatin1StringView>
#include <QStringView>
#include <QXmlStreamAttributes>

// An attribute of a workbook's XML by its local name, whatever prefix the file gives it ("r:id",
// "table:number-rows-repeated"); empty when the element has none.
inline QStringView xmlAttribute(const QXmlStreamAttributes& attributes, QLatin1StringView name)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == name)
            return a.value();
    }
    return {};
}
