// Qt's own texts (the buttons of message boxes, the print and file dialogs) come out in Italian
// once the program has loaded Qt's translations.
#include "app/QtTranslations.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

class TestQtTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(qtTranslations::install(), "Qt's Italian translations (qtbase_it) are not installed"); }

    void standardButtonsAreItalian_data()
    {
        QTest::addColumn<QDialogButtonBox::StandardButton>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Cancel") << QDialogButtonBox::Cancel << "Annulla";
        QTest::newRow("Yes") << QDialogButtonBox::Yes << "&S\u00EC";
        QTest::newRow("Close") << QDialogButtonBox::Close << "Chiudi";
    }
    void standardButtonsAreItalian()
    {
        QFETCH(QDialogButtonBox::StandardButton, button);
        QFETCH(QString, text);
        QDialogButtonBox box(button);
        QCOMPARE(box.button(button)->text(), text);
    }
};

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
