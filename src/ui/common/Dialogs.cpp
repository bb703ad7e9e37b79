#include "common/Dialogs.h"

void dialogs::makeFixed(QDialog* dialog, QSize size)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog->setFixedSize(size);
    dialog->setModal(true);
}
