#pragma once

// Installs the real, widget-based message boxes, dialog runner, file dialogs and print output.
void installWidgetPlatform();
