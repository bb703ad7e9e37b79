#pragma once

#include "output/ExportScreen.h"

// The whole player archive exported to "Archivio_Giocatori.xls".
class TfrmExpGiocatori : public ExportScreen {
    Q_OBJECT
public:
    explicit TfrmExpGiocatori(QWidget* owner = nullptr);
};
