#pragma once

#include <QWidget>

class Navigator;
class QLineEdit;
class QPushButton;

// The login screen, the program's main window: only the right password leads to the launcher.
class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(Navigator& navigator);

    // Back from the change-password screen: empty field, focus on it.
    void reset();

Q_SIGNALS:
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOKClick();

    Navigator& m_navigator;
    QLineEdit* m_password;
    QPushButton* m_ok;
};
