#pragma once

#include <QDate>
#include <QString>
#include <QtPlugin>

#include <memory>

// The .xlsx writer as a plugin: the workbook library and the zip library it brings are loaded
// only when a workbook is exported, never at start-up. The plugin writes the cells it is given;
// what goes in which cell, and putting the file in place, stay in the program.

// One workbook of one sheet being written. A failed call is remembered and close() returns it.
class WorkbookWriter {
public:
    virtual ~WorkbookWriter() = default;
    virtual void setColumnWidth(int column, double characters) = 0;
    // The first row stays in view.
    virtual void freezeHeader() = 0;
    virtual bool text(int row, int column, const QString& text, bool bold = false) = 0;
    // Shown with `decimals` places (0 to 6).
    virtual bool number(int row, int column, double value, int decimals) = 0;
    virtual bool date(int row, int column, const QDate& date) = 0;
    // Finishes the file: the first failure, empty when it is whole.
    virtual QString close() = 0;
};

class WorkbookPlugin {
public:
    virtual ~WorkbookPlugin() = default;
    // A workbook written into `path`, its scratch files kept in `scratchFolder`, with one sheet
    // named `sheetName`; null with `error` set when it cannot be begun.
    virtual std::unique_ptr<WorkbookWriter> create(const QString& path, const QString& scratchFolder,
                                                   const QString& sheetName, QString* error) = 0;
};

#define GolveraWorkbookPlugin_iid "example.golvera.WorkbookPlugin/1.0"
Q_DECLARE_INTERFACE(WorkbookPlugin, GolveraWorkbookPlugin_iid)
