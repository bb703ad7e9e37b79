// The yardstick for start-up: a plain window with the login screen's widgets (two labels, a
// line edit and three buttons, same fonts and geometry) and nothing else.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral(" Accesso al programma"));
    window.setFixedSize(480, 300);
    auto* title = new QLabel(QStringLiteral("Accesso al programma"), &window);
    title->setFont(QFont(QStringLiteral("Verdana"), 16, QFont::Bold));
    title->setGeometry(140, 30, 320, 32);
    auto* instruction = new QLabel(QStringLiteral("Immetti la password e premi OK."), &window);
    instruction->setFont(QFont(QStringLiteral("Verdana"), 11));
    instruction->setGeometry(140, 70, 320, 26);
    auto* field = new QLineEdit(&window);
    field->setEchoMode(QLineEdit::Password);
    field->setFont(QFont(QStringLiteral("Verdana"), 14, QFont::Bold));
    field->setGeometry(140, 108, 300, 36);
    (new QPushButton(QStringLiteral("OK"), &window))->setGeometry(140, 170, 140, 36);
    (new QPushButton(QStringLiteral("Esci"), &window))->setGeometry(300, 170, 140, 36);
    (new QPushButton(QStringLiteral("Cambia password"), &window))->setGeometry(140, 236, 300, 34);
    window.show();
    field->setFocus();
    return QApplication::exec();
}
