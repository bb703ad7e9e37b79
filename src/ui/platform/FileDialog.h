#pragma once

#include "platform/Platform.h"

#include <QFileDialog>

// The file chooser the program shows: Qt's own dialog, so every word of it is Italian whatever the
// desktop's language, opening in the folder the request names.
namespace fileDialog {

// A dialog ready to run for `request`; the caller owns it.
QFileDialog* create(const platform::FileDialogRequest& request, QFileDialog::AcceptMode mode, QWidget* owner);

}  // namespace fileDialog
