#pragma once

#include <QString>

class QWidget;

// The help topics are texts kept as resources (":/help/<name>.txt": the title on the first line,
// then paragraphs separated by an empty line).
struct HelpTopic {
    QString title;
    QString text;  // paragraphs joined by an empty line (CR LF CR LF)
};

namespace help {

HelpTopic topic(const QString& name);

// Opens the help dialog with the topic; every help button of the program comes here.
void show(QWidget* owner, const QString& name);

}  // namespace help
