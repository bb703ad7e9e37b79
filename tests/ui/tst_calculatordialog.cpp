// The calculator dialog: picture keys driving the engine, its messages, and "Importa" into the
// tournament editor's points field.
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "storage/RecordFile.h"
#include "storage/TournamentRecord.h"
#include "tools/Calcolatrice_Scientifica.h"
#include "tournament/Torneo.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using platform::MessageKind;

namespace {

const QStringList keyNames = {
    "Button0", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7", "Button8",
    "Button9", "ButtonPoint", "ButtonBackSpace", "ButtonC", "ButtonSign", "ButtonSqr", "ButtonSqrt",
    "Button1DivX", "ButtonExp", "ButtonLn", "ButtonLog", "ButtonSin", "ButtonCos", "ButtonTan",
    "ButtonArcSin", "ButtonArcCos", "ButtonArcTan", "ButtonPi", "ButtonAdd", "ButtonSub", "ButtonMul",
    "ButtonDiv", "ButtonStep", "ButtonResult",
};

// Presses keys given by their control names without the "Button" prefix: "1 2 Point 5 Add".
void press(QDialog* calculator, const QString& keys)
{
    for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts)) {
        QTest::mouseClick(widgets::find<PictureButton>(calculator, QStringLiteral("Button") + key), Qt::LeftButton);
    }
}

QString display(QDialog* calculator) { return calculator->findChild<QLabel*>(QStringLiteral("Edit1"))->text(); }

void click(QDialog* calculator, const QString& button)
{
    QTest::mouseClick(calculator->findChild<QPushButton*>(button), Qt::LeftButton);
}

}  // namespace

class TestCalculatorDialog : public QObject {
    Q_OBJECT

    // The editor, shown and active, on a tournament of a temporary folder.
    struct Editor {
        FakePlatform fake;
        TempProgramFolder folder;
        Navigator navigator;
        TfrmTorneo screen{navigator};
        QLineEdit* points = screen.findChild<QLineEdit*>(QStringLiteral("txtPunteggio"));

        Editor()
        {
            screen.setTournament(folder.file(QStringLiteral("Coppa.vai")), QStringLiteral("Coppa"));
            screen.show();
            QApplication::setActiveWindow(&screen);
        }
        // Opens the calculator from its button; `use` works the keys while it is open.
        void calculate(const std::function<void(QDialog*)>& use)
        {
            fake.onDialog = [use](QObject* dialog) { use(qobject_cast<QDialog*>(dialog)); };
            QTest::mouseClick(screen.findChild<PictureButton*>(QStringLiteral("btnCalcolatrice")), Qt::LeftButton);
        }
    };

private Q_SLOTS:
    void keysArePictures()
    {
        FakePlatform fake;
        TfrmCalcolatrice_Scientifica calculator;
        QCOMPARE(calculator.windowTitle(), QStringLiteral(" Calcolatrice"));
        auto* shown = calculator.findChild<QLabel*>(QStringLiteral("Edit1"));
        QCOMPARE(shown->text(), QStringLiteral("0"));
        QCOMPARE(shown->font().family(), QStringLiteral("Arial"));
        QCOMPARE(shown->font().pointSize(), 12);
        QVERIFY(shown->font().bold());

        const QList<PictureButton*> keys = calculator.findChildren<PictureButton*>();
        QCOMPARE(keys.size(), keyNames.size());
        const QRect inside = calculator.rect();
        QList<QRect> taken;
        for (const QString& name : keyNames) {
            auto* key = calculator.findChild<PictureButton*>(name);
            QVERIFY2(key, qPrintable(name));
            QCOMPARE(key->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY2(inside.contains(key->geometry()), qPrintable(name));
            for (const QRect& other : taken)
                QVERIFY2(!other.intersects(key->geometry()), qPrintable(name));
            taken << key->geometry();
            // A legible picture: the key's face is drawn, and its label stands out from the face.
            const QImage face = key->grab().toImage();
            const QColor paper = face.pixelColor(8, face.height() / 2);
            QCOMPARE(paper.alpha(), 255);
            int ink = 0;
            for (int x = face.width() / 4; x < face.width() * 3 / 4; ++x) {
                for (int y = face.height() / 4; y < face.height() * 3 / 4; ++y) {
                    const QColor c = face.pixelColor(x, y);
                    const int distance = qAbs(c.red() - paper.red()) + qAbs(c.green() - paper.green())
                                         + qAbs(c.blue() - paper.blue());
                    ink += distance > 200 ? 1 : 0;
                }
            }
            QVERIFY2(ink > 15, qPrintable(name));
        }
    }

    void keysDriveTheDisplay_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("boxes");  // plain boxes shown
        QTest::newRow("sum") << "1 2 Point 5 Add 7 Point 5 Result" << "20" << QStringList();
        QTest::newRow("power") << "2 Step 1 0 Result" << "1024" << QStringList();
        QTest::newRow("sine of 30 degrees") << "3 0 Sin" << "0,5" << QStringList();
        QTest::newRow("reciprocal of zero") << "0 1DivX" << "0"
                                            << QStringList{QStringLiteral("Attenzione! Valore non valido.")};
        QTest::newRow("inverse cosine outside") << "2 ArcCos" << "2"
                                                << QStringList{QStringLiteral("Attenzione! Valori non validi")};
        QTest::newRow("two commas") << "5 Point Point 2 Add" << "5,,2"
                                    << QStringList{QStringLiteral("Attenzione! Valore non valido.")};
        QTest::newRow("division by zero keeps the display") << "8 Div 0 Result" << "0"
                                                            << QStringList{QStringLiteral("Attenzione! Valori non validi.")};
        QTest::newRow("unary key on the second operand") << "2 Add 9 Sqrt Result" << "5" << QStringList();
    }

    void keysDriveTheDisplay()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QStringList, boxes);
        FakePlatform fake;
        TfrmCalcolatrice_Scientifica calculator;
        press(&calculator, keys);
        QCOMPARE(display(&calculator), shown);
        QStringList seen;
        for (const ShownMessage& m : fake.messages) {
            QCOMPARE(m.kind, MessageKind::Plain);
            seen << m.text;
        }
        QCOMPARE(seen, boxes);
    }

    // The keyboard works the keys wherever the focus is: digits, comma or point, + - * /, Enter
    // or = for the result, Backspace; Esc clears the display and the calculator stays open.
    void keyboardDrivesTheDisplay_data()
    {
        QTest::addColumn<QString>("focus");  // the control with the focus; empty: none
        QTest::addColumn<QString>("typed");  // [E] Enter, [B] Backspace, [X] Esc
        QTest::addColumn<QString>("shown");
        QTest::newRow("comma and point") << "" << "12,5+7.5[E]" << "20";
        QTest::newRow("times, and = for the result") << "" << "6*7=" << "42";
        QTest::newRow("divided by") << "" << "9/2[E]" << "4,5";
        QTest::newRow("minus") << "" << "7-10[E]" << "-3";
        QTest::newRow("backspace") << "" << "123[B]" << "12";
        QTest::newRow("Esc clears") << "" << "55[X]" << "0";
        QTest::newRow("Esc leaves the pending sum") << "" << "2+3[X]4[E]" << "6";
        QTest::newRow("Enter on a focused key is =") << "ButtonSin" << "2+3[E]" << "5";
        QTest::newRow("digits on a focused button") << "btnImporta" << "4*5[E]" << "20";
        QTest::newRow("letters do nothing") << "" << "1a2" << "12";
    }
    void keyboardDrivesTheDisplay()
    {
        QFETCH(QString, focus);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        FakePlatform fake;
        TfrmCalcolatrice_Scientifica calculator;
        calculator.show();
        QApplication::setActiveWindow(&calculator);
        QVERIFY(QTest::qWaitForWindowActive(&calculator));
        QWidget* target = &calculator;
        if (!focus.isEmpty()) {
            target = widgets::find<QWidget>(&calculator, focus);
            target->setFocus(Qt::TabFocusReason);
        }
        for (qsizetype i = 0; i < typed.size(); ++i) {
            if (typed.at(i) == u'[') {
                const QChar special = typed.at(i + 1);
                QTest::keyClick(target, special == u'E' ? Qt::Key_Return : special == u'B' ? Qt::Key_Backspace : Qt::Key_Escape);
                i += 2;
            } else {
                QTest::keyClick(target, typed.at(i).toLatin1());
            }
        }
        QCOMPARE(display(&calculator), shown);
        QVERIFY(calculator.isVisible());
        QVERIFY(fake.messages.isEmpty());
    }

    void importIntoTheEditor()
    {
        Editor e;
        QVERIFY(QTest::qWaitForWindowActive(&e.screen));
        e.screen.findChild<QLineEdit*>(QStringLiteral("txtConcorrente"))->setText(QStringLiteral("Aquile"));
        int result = -1;
        e.calculate([&](QDialog* calculator) {
            press(calculator, QStringLiteral("1 2 Point 5 Add 7 Point 5 Result"));
            click(calculator, QStringLiteral("btnImporta"));
            result = calculator->result();
        });
        QCOMPARE(e.fake.dialogsRun, QStringList{QStringLiteral("TfrmCalcolatrice_Scientifica")});
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(e.points->text(), QStringLiteral("20"));
        QVERIFY(e.points->hasFocus());
        QVERIFY(e.fake.messages.isEmpty());

        // Nothing reaches the file until the save, which leaves the field first.
        QVERIFY(!QFileInfo::exists(e.screen.tournamentPath()));
        QTest::mouseClick(e.screen.findChild<PictureButton*>(QStringLiteral("cmdSalva")), Qt::LeftButton);
        QCOMPARE(e.points->text(), QStringLiteral("20,00"));
        const RecordFile file(e.screen.tournamentPath(), TournamentRecord::Size);
        QCOMPARE(TournamentRecord::fromBytes(file.read(1)).Punteggio, QStringLiteral("20,00"));
    }

    void importOfAPenalty()
    {
        Editor e;
        QVERIFY(QTest::qWaitForWindowActive(&e.screen));
        e.calculate([](QDialog* calculator) {
            press(calculator, QStringLiteral("3 Sign"));
            click(calculator, QStringLiteral("btnImporta"));
        });
        QCOMPARE(e.points->text(), QStringLiteral("-3"));
        QTest::keyClick(e.points, Qt::Key_Return);
        QCOMPARE(e.points->text(), QStringLiteral("-3,00"));
    }

    void importRefusedOrCancelled_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("warning");
        QTest::newRow("pi has too many digits") << "Pi" << "btnImporta" << "Attenzione: numero con troppe cifre.";
        QTest::newRow("13 characters") << "1 2 3 4 5 6 7 8 9 0 1 2 3" << "btnImporta"
                                       << "Attenzione: numero con troppe cifre.";
        QTest::newRow("cancel") << "4 2" << "btnChiudi" << "";
    }

    void importRefusedOrCancelled()
    {
        QFETCH(QString, keys);
        QFETCH(QString, button);
        QFETCH(QString, warning);
        Editor e;
        QVERIFY(QTest::qWaitForWindowActive(&e.screen));
        int result = -1;
        e.calculate([&](QDialog* calculator) {
            press(calculator, keys);
            click(calculator, button);
            result = calculator->result();
        });
        QCOMPARE(e.points->text(), QStringLiteral("0,00"));
        if (warning.isEmpty()) {
            QCOMPARE(result, int(QDialog::Rejected));
            QVERIFY(e.fake.messages.isEmpty());
        } else {
            // The calculator stays open with its number.
            QCOMPARE(result, 0);
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
            QCOMPARE(e.fake.lastMessage().text, warning);
        }
    }

    void eachWindowStartsAfresh()
    {
        Editor e;
        QString second;
        e.calculate([](QDialog* calculator) { press(calculator, QStringLiteral("2 Add 3 Result")); });
        e.calculate([&](QDialog* calculator) {
            second = display(calculator);
            press(calculator, QStringLiteral("5 Result"));
            second += u' ' + display(calculator);
        });
        QCOMPARE(second, QStringLiteral("0 5"));
    }
};

QTEST_MAIN(TestCalculatorDialog)
#include "tst_calculatordialog.moc"
