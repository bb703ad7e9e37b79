#pragma once

#include "platform/Platform.h"

#include <QDialog>
#include <memory>

// Opening a dialog: a fresh instance owned by the opening screen, prepared by the caller, run
// modally and destroyed when it closes, so its creation runs at every opening.
namespace dialogs {

// Gives a dialog the fixed frame without title-bar buttons that every dialog has.
void makeFixed(QDialog* dialog, QSize size);
// The same frame for a dialog whose fixed-size `panel` may not fit the screen: the dialog is no
// larger than the screen's free area, and the panel scrolls inside it (panelScroll).
void makeFitting(QDialog* dialog, QWidget* panel);

template <typename Dialog, typename Prepare>
int open(QWidget* owner, Prepare&& prepare)
{
    std::unique_ptr<Dialog> dialog = std::make_unique<Dialog>(owner);
    prepare(*dialog);
    return platform::dialogs().run(dialog.get());
}

template <typename Dialog>
int open(QWidget* owner)
{
    return open<Dialog>(owner, [](Dialog&) {});
}

}  // namespace dialogs
