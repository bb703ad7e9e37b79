#pragma once

#include <QString>

#include <functional>

class QWidget;

// Work that may take long (reading a large spreadsheet) run on a worker thread while the windows
// keep answering. After half a second a progress window with "Annulla" appears; the user may stop
// waiting. The work cannot be interrupted midway: when the user stops, it ends on its own thread
// and what it made is dropped, so `work` must own everything it uses.
namespace longWork {

// How long the work may take before the progress window appears.
inline constexpr int ShowAfterMs = 500;

// True when `work` has run to its end; false when the user pressed "Annulla" first.
bool run(QWidget* owner, const QString& label, std::function<void()> work);

}  // namespace longWork
