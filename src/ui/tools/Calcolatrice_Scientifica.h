#pragma once

#include "tools/Calculator.h"

#include <QDialog>
#include <functional>

class QLabel;

// The pocket calculator the tournament editor opens beside its points field. Its keys are
// pictures (there is no keyboard input); "Importa" hands the display to the editor.
class TfrmCalcolatrice_Scientifica : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalcolatrice_Scientifica(QWidget* owner = nullptr);

    // Where "Importa" puts the number shown.
    void setImportTarget(std::function<void(const QString&)> target) { m_importTarget = std::move(target); }

private:
    void press(Calculator::Key key);
    void btnImportaClick();

    Calculator m_calculator;  // one per window: a new window has nothing pending
    QLabel* m_display;
    std::function<void(const QString&)> m_importTarget;
};
