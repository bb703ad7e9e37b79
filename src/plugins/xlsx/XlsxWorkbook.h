#pragma once

#include "output/WorkbookPlugin.h"

#include <QObject>

// The workbook plugin on libxlsxwriter.
class XlsxWorkbookPlugin final : public QObject, public WorkbookPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GolveraWorkbookPlugin_iid)
    Q_INTERFACES(WorkbookPlugin)
public:
    std::unique_ptr<WorkbookWriter> create(const QString& path, const QString& scratchFolder, const QString& sheetName,
                                           QString* error) override;
};
