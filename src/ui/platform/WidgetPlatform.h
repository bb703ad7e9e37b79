#pragma once

// Installs the real, widget-based message boxes, dialog runner, file dialogs, print output and camera.
void installWidgetPlatform();
