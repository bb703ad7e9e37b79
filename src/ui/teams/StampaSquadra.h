#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

// Prints the sheet of the team on the editor's screen, saved or not: "Stampa" fills the sheet
// with the texts it was given, prints it and closes; "Annulla" closes without printing.
class TfrmStampaSquadra : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaSquadra(QWidget* owner);

    // The editor's field texts by field name ("txtSquadra" …).
    void setTexts(const QHash<QString, QString>& texts) { m_texts = texts; }

private:
    void btnStampaClick();

    QHash<QString, QString> m_texts;
};
