#pragma once

#include "tools/Calculator.h"

#include <QDialog>
#include <functional>

class QLabel;

// The pocket calculator the tournament editor opens beside its points field. Its keys are
// pictures, and the keyboard works them too: digits, comma or point, + - * /, Enter or = for the
// result, Backspace, and Esc to clear. "Importa" hands the display to the editor.
class TfrmCalcolatrice_Scientifica : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalcolatrice_Scientifica(QWidget* owner = nullptr);

    // Where "Importa" puts the number shown.
    void setImportTarget(std::function<void(const QString&)> target) { m_importTarget = std::move(target); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Presses the calculator key a typed key stands for; false when it stands for none.
    bool type(const QKeyEvent* key);
    void press(Calculator::Key key);
    void btnImportaClick();

    Calculator m_calculator;  // one per window: a new window has nothing pending
    QLabel* m_display;
    std::function<void(const QString&)> m_importTarget;
};
