#pragma once

#include "tools/CheckerDialog.h"

// Checks the control character of an Italian tax code.
class TfrmCodFisc : public CheckerDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* owner);

    // Opened from the player editor: a valid code is also compared with the player's birth date
    // ("dd/mm/yyyy") and sex ("M"/"F"), and a disagreement is told after the verdict.
    void setHolder(const QString& birthDate, const QString& sex);

protected:
    bool check() override;

private:
    QString m_birthDate;
    QString m_sex;
};
