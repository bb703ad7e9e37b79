#include "platform/WidgetPlatform.h"

#include "app/Plugins.h"
#include "app/Product.h"
#include "platform/FileDialog.h"
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
    void show(platform::MessageKind kind, const QString& text, QObject* owner) override
    {
        using platform::MessageKind;
        if (kind == MessageKind::Question) {
            ask(text, {}, owner);
            return;
        }
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
            Q_UNREACHABLE();
        case MessageKind::Plain:
            box.setIcon(QMessageBox::NoIcon);
            box.setWindowTitle(product::name);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        box.exec();
    }

    platform::Answer ask(const QString& text, const platform::Choices& choices, QObject* owner) override
    {
        using platform::Answer;
        QMessageBox box(ownerWidget(owner));
        box.setText(text);
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("Confirm"));
        const auto button = [](Answer answer) {
            return answer == Answer::Yes ? QMessageBox::Yes : answer == Answer::No ? QMessageBox::No : QMessageBox::Cancel;
        };
        if (choices.cancel) {
            // Esc and the title-bar button answer Annulla.
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
        } else {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            // Only Yes or No closes it: no title-bar close button.
            box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        }
        box.setDefaultButton(button(choices.preset));
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return choices.cancel ? Answer::Cancel : Answer::No;
        }
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
        return run(request, QFileDialog::AcceptOpen, owner);
    }
    QString saveFile(const platform::FileDialogRequest& request, QObject* owner) override
    {
        return run(request, QFileDialog::AcceptSave, owner);
    }

private:
    static QString run(const platform::FileDialogRequest& request, QFileDialog::AcceptMode mode, QObject* owner)
    {
        const std::unique_ptr<QFileDialog> dialog(fileDialog::create(request, mode, ownerWidget(owner)));
        if (dialog->exec() != QDialog::Accepted)
            return {};
        return dialog->selectedFiles().value(0);
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
