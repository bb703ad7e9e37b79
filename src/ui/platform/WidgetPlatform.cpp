#include "platform/WidgetPlatform.h"

#include "app/Plugins.h"
#include "app/Product.h"
#include "platform/Platform.h"
#include "platform/PluginCameras.h"
#include "platform/PluginPrintOutput.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

QWidget* ownerWidget(QObject* owner)
{
    if (auto* widget = qobject_cast<QWidget*>(owner); widget && widget->isVisible())
        return widget->window();
    return QApplication::activeWindow();
}

namespace {

class WidgetMessages final : public platform::Messages {
public:
    bool show(platform::MessageKind kind, const QString& text, QObject* owner) override
    {
        using platform::MessageKind;
        QMessageBox box(ownerWidget(owner));
        box.setText(text);
        switch (kind) {
        case MessageKind::Warning:
            box.setIcon(QMessageBox::Warning);
            box.setWindowTitle(QStringLiteral("Warning"));
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageKind::Error:
            box.setIcon(QMessageBox::Critical);
            box.setWindowTitle(QStringLiteral("Error"));
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageKind::Information:
            box.setIcon(QMessageBox::Information);
            box.setWindowTitle(QStringLiteral("Information"));
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageKind::Question:
        case MessageKind::QuestionDefaultNo:
            box.setIcon(QMessageBox::Question);
            box.setWindowTitle(QStringLiteral("Confirm"));
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(kind == MessageKind::Question ? QMessageBox::Yes : QMessageBox::No);
            // Only Yes or No closes it: no title-bar close button.
            box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
            break;
        case MessageKind::Plain:
            box.setIcon(QMessageBox::NoIcon);
            box.setWindowTitle(product::name);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        const int answer = box.exec();
        const bool question = kind == MessageKind::Question || kind == MessageKind::QuestionDefaultNo;
        return !question || answer == QMessageBox::Yes;
    }
};

class ModalDialogRunner final : public platform::DialogRunner {
public:
    int run(QObject* dialog) override
    {
        auto* modal = qobject_cast<QDialog*>(dialog);
        return modal ? modal->exec() : QDialog::Rejected;
    }
};

class WidgetFileDialogs final : public platform::FileDialogs {
public:
    QString openFile(const platform::FileDialogRequest& request, QObject* owner) override
    {
        return QFileDialog::getOpenFileName(ownerWidget(owner), request.title, startPath(request),
                                            request.filters.join(QStringLiteral(";;")));
    }
    QString saveFile(const platform::FileDialogRequest& request, QObject* owner) override
    {
        QFileDialog dialog(ownerWidget(owner), request.title, startPath(request),
                           request.filters.join(QStringLiteral(";;")));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles().value(0);
    }

private:
    static QString startPath(const platform::FileDialogRequest& request)
    {
        if (request.initialName.isEmpty())
            return request.folder;
        return request.folder.isEmpty() ? request.initialName
                                        : request.folder + QLatin1Char('/') + request.initialName;
    }
};

}  // namespace

void installWidgetPlatform()
{
    platform::install(std::make_unique<WidgetMessages>());
    platform::install(std::make_unique<ModalDialogRunner>());
    platform::install(std::make_unique<WidgetFileDialogs>());
    platform::install(std::make_unique<PluginPrintOutput>(plugins::folder()));
    platform::install(std::make_unique<PluginCameras>(plugins::folder()));
}
