#pragma once

#include "output/SheetDialog.h"

// The entry sheet of what the editor shows: in the preview window, or printed.
class TfrmAnteprimaPagina : public SheetDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprimaPagina(QWidget* owner = nullptr)
        : SheetDialog(owner, QStringLiteral("frmAnteprimaPagina"), QStringLiteral(" Anteprima di stampa"), Output::Preview)
    {
    }
};

class TfrmStampaPagina : public SheetDialog {
    Q_OBJECT
public:
    explicit TfrmStampaPagina(QWidget* owner = nullptr)
        : SheetDialog(owner, QStringLiteral("frmStampaPagina"), QStringLiteral(" Stampa scheda"), Output::Print)
    {
    }
};
