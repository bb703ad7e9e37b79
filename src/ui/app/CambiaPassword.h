#pragma once

#include <QWidget>

class Navigator;
class QLineEdit;

// Changing the access password; shown in place of the login screen and back to it when closed.
class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(Navigator& navigator);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOKClick();
    void backToLogin();

    Navigator& m_navigator;
    QLineEdit* m_old;
    QLineEdit* m_new;
    QLineEdit* m_confirm;
};
