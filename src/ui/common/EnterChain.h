#pragma once

#include <QList>

class QWidget;

// Enter moves the focus along a screen's fixed chain of fields: from each field to the next, and
// from the last one to `wrapTo` (often the first). Enter never leaves a field any other way.
namespace enterChain {

void link(const QList<QWidget*>& fields, QWidget* wrapTo);

bool isEnter(int key);

}  // namespace enterChain
