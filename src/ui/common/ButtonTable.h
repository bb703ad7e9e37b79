#pragma once

#include <QList>
#include <QRect>
#include <QString>

class PictureButton;
class QKeySequence;
class QWidget;

// A screen's picture buttons as a table: the toolbar of an editor, the small buttons beside its
// fields. Object names and pictures are the screen's; a button not available yet is disabled.
struct ButtonRow {
    QString name;
    QString picture;  // resource name without folder and extension
    QRect geometry;
    QString hint;
    bool available = true;
};

namespace buttonTable {

QList<PictureButton*> create(QWidget* panel, const QList<ButtonRow>& rows);

// An editor toolbar: 48-pixel buttons on one line at height `top`, each row giving its x.
struct ToolRow {
    QString name;
    QString picture;
    int x = 0;
    QString hint;
    bool available = true;
};
QList<PictureButton*> toolbar(QWidget* panel, const QList<ToolRow>& rows, int top = 62);

// The key does on `window` what a click on `button` does (nothing while it is disabled), and the
// button's tooltip names the key after its hint.
void bindKeys(QWidget* window, PictureButton* button, const QKeySequence& keys);

}  // namespace buttonTable
