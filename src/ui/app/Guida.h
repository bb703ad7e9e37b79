#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// The help dialog: a topic's title and read-only text, and the way to the user guide document.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* owner = nullptr);
    void setTopic(const QString& title, const QString& text);

private:
    void openUserGuide();

    QLabel* m_title;
    QPlainTextEdit* m_text;
};
