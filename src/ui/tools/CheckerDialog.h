#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The layout the two code checkers share: one large field, an instruction, "Controlla" and
// "Chiudi". Enter in the field moves to "Controlla"; the check itself is the subclass's.
class CheckerDialog : public QDialog {
    Q_OBJECT
public:
    struct Look {
        QString objectName;
        QString caption;
        QString fieldName;
        int maxLength = 0;
        QString instruction;
    };

    CheckerDialog(QWidget* owner, const Look& look);

    // The code to check, as the caller hands it over, whole whatever its length.
    void setText(const QString& text);
    QLineEdit* field() const { return m_field; }

protected:
    // Checks the field. Shows its own box; returns false to keep the dialog open.
    virtual bool check() = 0;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnControllaClick();

    QLineEdit* m_field;
    QPushButton* m_check;
};
