#pragma once

#include "output/ExportScreen.h"

// The whole team archive exported to "Archivio_Squadre.xls", attachments left out.
class TfrmExpSquadre : public ExportScreen {
    Q_OBJECT
public:
    explicit TfrmExpSquadre(QWidget* owner = nullptr);
};
