#pragma once

#include <QFont>
#include <QList>
#include <QSize>

class QAbstractButton;
class QLineEdit;
class QWidget;

// What the login and change-password screens share: a fixed window without title-bar buttons,
// masked fields, and an OK button enabled only while every field holds a non-blank text.
namespace passwordForm {

void makeFixedWindow(QWidget* window, QSize size);
void setUpField(QLineEdit* field, const QString& objectName, const QFont& font);
void enableWhileFilled(QAbstractButton* ok, const QList<QLineEdit*>& fields);

}  // namespace passwordForm
