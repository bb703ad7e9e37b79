#pragma once

#include "platform/Platform.h"

#include <QString>

class PrintPlugin;

// Print output through the print plugin of `folder`, loaded the first time the user prints. The
// pages are laid out and painted here; the plugin runs the print dialog. Without the plugin the
// program works all the same, and printing says that it is not available.
class PluginPrintOutput final : public platform::PrintOutput {
public:
    explicit PluginPrintOutput(const QString& folder) : m_folder(folder) {}

    platform::PrintResult print(const platform::PrintJob& job, QObject* owner) override;

private:
    QString m_folder;
    bool m_loaded = false;
    PrintPlugin* m_plugin = nullptr;
};
