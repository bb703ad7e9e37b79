#pragma once

class QObject;
class QWidget;

// Installs the real, widget-based message boxes, dialog runner, file dialogs, print output and camera.
void installWidgetPlatform();

// The window a box or dialog opened for `owner` belongs to: the owner's window while it is shown,
// otherwise the active one.
QWidget* ownerWidget(QObject* owner);
