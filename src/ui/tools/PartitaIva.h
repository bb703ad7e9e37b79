#pragma once

#include "tools/CheckerDialog.h"

// Checks the control digit of an Italian VAT number and names the office that issued it.
class TfrmPartitaIva : public CheckerDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* owner);

protected:
    bool check() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
