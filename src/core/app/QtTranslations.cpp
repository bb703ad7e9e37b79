#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace qtTranslations {
namespace {

// Qt's Italian catalog has no entry for the file kinds its file dialog shows in the "Tipo" column
// (the file dialog's "Folder" stayed English): this translator answers for those alone and leaves
// every other text to Qt's catalog.
class FileKinds final : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        static const QHash<QByteArray, QString> kinds = {
            {"Folder", QStringLiteral("Cartella")},
            {"File Folder", QStringLiteral("Cartella")},
            {"Drive", QStringLiteral("Unit\u00E0")},
            {"File", QStringLiteral("File")},
            {"Shortcut", QStringLiteral("Collegamento")},
            {"Alias", QStringLiteral("Alias")},
            {"Unknown", QStringLiteral("Sconosciuto")},
        };
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        return kinds.value(QByteArray(sourceText));
    }
};

}  // namespace

bool install()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(new FileKinds(QCoreApplication::instance()));
    return true;
}

}  // namespace qtTranslations
