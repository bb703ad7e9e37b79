#include "platform/FileDialog.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace fileDialog {
namespace {

// Qt's file list writes a file's size and date in the system's locale ("4 bytes", "11 Dec 2026"
// where the system is English or C); the program writes them in Italian whatever the system.
class ItalianSizesAndDates final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        enum Column { Name, Size, Type, Date };
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == Size && !files->isDir(source))
                return QLocale().formattedDataSize(files->size(source));
            if (index.column() == Date)
                return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

QString startPath(const platform::FileDialogRequest& request)
{
    if (request.initialName.isEmpty())
        return request.folder;
    return request.folder.isEmpty() ? request.initialName : request.folder + QLatin1Char('/') + request.initialName;
}

}  // namespace

QFileDialog* create(const platform::FileDialogRequest& request, QFileDialog::AcceptMode mode, QWidget* owner)
{
    auto* dialog = new QFileDialog(owner, request.title, startPath(request), request.filters.join(QStringLiteral(";;")));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setDefaultSuffix(request.defaultSuffix);
    dialog->setProxyModel(new ItalianSizesAndDates(dialog));
    return dialog;
}

}  // namespace fileDialog
