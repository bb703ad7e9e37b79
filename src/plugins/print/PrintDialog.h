#pragma once

#include "platform/PrintPlugin.h"

#include <QObject>

// The print plugin: the system's print dialog and printers, or a PDF file.
class PrintDialogPlugin final : public QObject, public PrintPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GolveraPrintPlugin_iid)
    Q_INTERFACES(PrintPlugin)
public:
    platform::PrintResult print(const Document& document, QWidget* owner) override;
};
