#pragma once

#include "output/Report.h"

#include <QDialog>

#include <functional>

// The small dialogs that preview or print one record's sheet: an illustration, "Annulla", and a
// button that makes the sheet, shows or prints it and closes the dialog.
class SheetDialog : public QDialog {
    Q_OBJECT
public:
    enum class Output { Preview, Print };

    // What the dialog prints; called when its button is pressed, so it takes the values then.
    void setSheet(std::function<report::Report()> make, const QString& fileName = QString());

    // With a message, any failure while making, previewing or printing the sheet shows it as a
    // warning and closes the dialog; without one, the engine's own report is shown and the
    // dialog stays open.
    void setFailureMessage(const QString& warning) { m_failureMessage = warning; }

protected:
    SheetDialog(QWidget* owner, const QString& objectName, const QString& caption, Output output);

    void paintEvent(QPaintEvent* event) override;

private:
    void btnStampaClick();
    void produce();

    Output m_output;
    std::function<report::Report()> m_make;
    QString m_fileName;
    QString m_failureMessage;
};
