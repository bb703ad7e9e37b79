#pragma once

#include "tools/CheckerDialog.h"

// Checks the control character of an Italian tax code.
class TfrmCodFisc : public CheckerDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* owner);

protected:
    bool check() override;
};
