// The record form: controls made from a table, filled from a record and read back into one,
// cleared, kept within their fields' capacities and held to their text rules.
#include "common/RecordForm.h"
#include "storage/RecordLayout.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using Kind = RecordForm::Kind;
using Rule = RecordForm::TextRule;

namespace {

struct SampleRecord {
    QString Nome, Sigla, Numero, Gare, Scelta, File, Data;
    static constexpr RecordLayout<SampleRecord, 7> Layout{
        "sample",
        TextEncoding::LengthPrefixed,
        {{{"Nome", 12, &SampleRecord::Nome},
          {"Sigla", 6, &SampleRecord::Sigla},
          {"Numero", 4, &SampleRecord::Numero},
          {"Gare", 10, &SampleRecord::Gare},
          {"Scelta", 2, &SampleRecord::Scelta},
          {"File", 30, &SampleRecord::File},
          {"Data", 10, &SampleRecord::Data}}},
    };
};

struct Form {
    QWidget panel;
    RecordForm form{&panel, recordFormat(SampleRecord::Layout),
                    {{u"txtNome"_s, u"Nome:"_s, u"Nome"_s, Kind::Line, {0, 0, 100, 30}, {0, 40, 100, 20}, u"txtSigla"_s, Rule::Trim},
                     {u"txtSigla"_s, u"Sigla:"_s, u"Sigla"_s, Kind::Line, {0, 60, 100, 30}, {}, u"txtNumero"_s, Rule::Capitals},
                     {u"txtNumero"_s, u"Numero:"_s, u"Numero"_s, Kind::Line, {0, 100, 100, 30}, {}, u"txtNome"_s, Rule::Digits,
                      u"0"_s},
                     {u"txtGare"_s, {}, u"Gare"_s, Kind::MultiLine, {0, 140, 100, 60}},
                     {u"chkScelta"_s, u"Scelta"_s, u"Scelta"_s, Kind::CheckBox, {0, 210, 100, 30}},
                     {u"lblFile"_s, {}, u"File"_s, Kind::Hidden},
                     {u"txtData"_s, {}, u"Data"_s, Kind::ReadOnly, {0, 250, 100, 30}}},
                    {}};

    QLineEdit* line(const QString& name) const { return form.control<QLineEdit>(name); }
    QPlainTextEdit* matches() const { return form.control<QPlainTextEdit>(u"txtGare"_s); }
    QCheckBox* check() const { return form.control<QCheckBox>(u"chkScelta"_s); }
};

RecordValues sample(const QString& scelta = u"S\u00EC"_s)
{
    return {{u"Nome"_s, u"Aquile"_s}, {u"Sigla"_s, u"AQ"_s}, {u"Numero"_s, u"12"_s}, {u"Gare"_s, u"1-0\r\n2-2"_s},
            {u"Scelta"_s, scelta}, {u"File"_s, u"Scheda_Squadra_1_1.pdf"_s}, {u"Data"_s, u"01/02/2027"_s}};
}

}  // namespace

class TestRecordForm : public QObject {
    Q_OBJECT

private slots:
    void controlsFollowTheTable()
    {
        Form f;
        QCOMPARE(f.line(u"txtNome"_s)->maxLength(), 12);
        QCOMPARE(f.line(u"txtSigla"_s)->maxLength(), 6);
        QCOMPARE(f.line(u"txtNome"_s)->geometry(), QRect(0, 0, 100, 30));
        QVERIFY(f.line(u"txtData"_s)->isReadOnly());
        QCOMPARE(f.check()->text(), u"Scelta"_s);
        // Hidden values are the form's, not widgets of the panel.
        QCOMPARE(f.form.control(u"lblFile"_s), nullptr);
        QCOMPARE(f.panel.findChild<QWidget*>(u"lblFile"_s), nullptr);
        QCOMPARE(f.form.firstControl(), f.line(u"txtNome"_s));
    }

    void recordRoundTrip()
    {
        Form f;
        const QByteArray stored = SampleRecord::Layout.encode(SampleRecord{u"Aquile"_s, u"AQ"_s, u"12"_s, u"1-0\r\n2-2"_s,
                                                                           u"S\u00EC"_s, u"Scheda_Squadra_1_1.pdf"_s,
                                                                           u"01/02/2027"_s});
        f.form.fillBytes(stored);
        QCOMPARE(f.matches()->toPlainText(), u"1-0\n2-2"_s);
        QVERIFY(f.check()->isChecked());
        QCOMPARE(f.form.hidden(u"File"_s), u"Scheda_Squadra_1_1.pdf"_s);
        QCOMPARE(f.form.record(), stored);
        QCOMPARE(f.form.values(), sample());
        // A text wider than its field shows its beginning, not its end.
        QCOMPARE(f.line(u"txtNome"_s)->cursorPosition(), 0);
    }

    // "Sì" checks the box, "No" clears it, anything else leaves it as it was.
    void checkBoxKeepsItsStateForOtherTexts_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("after");
        QTest::newRow("Sì") << false << u"S\u00EC"_s << true;
        QTest::newRow("No") << true << u"No"_s << false;
        QTest::newRow("empty, was checked") << true << QString() << true;
        QTest::newRow("other, was clear") << false << u"X"_s << false;
    }

    void checkBoxKeepsItsStateForOtherTexts()
    {
        QFETCH(bool, before);
        QFETCH(QString, stored);
        QFETCH(bool, after);
        Form f;
        f.check()->setChecked(before);
        f.form.fill(sample(stored));
        QCOMPARE(f.check()->isChecked(), after);
    }

    void clearGivesTheInitialTexts()
    {
        Form f;
        f.form.fill(sample());
        f.form.clear();
        QCOMPARE(f.line(u"txtNome"_s)->text(), QString());
        QCOMPARE(f.line(u"txtNumero"_s)->text(), u"0"_s);
        QCOMPARE(f.matches()->toPlainText(), QString());
        QVERIFY(!f.check()->isChecked());
        QCOMPARE(f.form.hidden(u"File"_s), QString());
        f.form.setHidden(u"File"_s, u"altro.pdf"_s);
        QCOMPARE(f.form.values().value(u"File"_s), u"altro.pdf"_s);
    }

    void textRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("trim on leaving") << u"txtNome"_s << u"  Aquile "_s << u"Aquile"_s;
        QTest::newRow("capitals while typing") << u"txtSigla"_s << u"rs1a"_s << u"RS1A"_s;
        // Trimmed as it is typed: a blank typed at the end is gone before the next letter comes.
        QTest::newRow("capitals: blanks dropped") << u"txtSigla"_s << u" rs 1 "_s << u"RS1"_s;
        QTest::newRow("digits only") << u"txtNumero"_s << u"1a2-3"_s << u"123"_s;
        QTest::newRow("capacity") << u"txtNome"_s << u"Aquile Rosse di Roma"_s << u"Aquile Rosse"_s;
    }

    void textRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Form f;
        f.panel.show();
        QApplication::setActiveWindow(&f.panel);
        QVERIFY(QTest::qWaitForWindowActive(&f.panel));
        QLineEdit* edit = f.line(field);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);  // Enter leaves the field
        QCOMPARE(edit->text(), kept);
        QVERIFY(!edit->hasFocus());
    }

    // Enter follows the table's chain; every line break takes two of the field's characters.
    void enterChainAndMultiLineCapacity()
    {
        Form f;
        f.panel.show();
        QApplication::setActiveWindow(&f.panel);
        QVERIFY(QTest::qWaitForWindowActive(&f.panel));
        f.line(u"txtNumero"_s)->setFocus();
        QTest::keyClick(f.line(u"txtNumero"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.line(u"txtNome"_s));

        f.matches()->setFocus();
        QTest::keyClicks(f.matches(), u"1234"_s);
        QTest::keyClick(f.matches(), Qt::Key_Return);
        QTest::keyClicks(f.matches(), u"567890"_s);
        QCOMPARE(f.matches()->toPlainText(), u"1234\n5678"_s);
        QCOMPARE(f.form.values().value(u"Gare"_s), u"1234\r\n5678"_s);

        // Tab leaves the multi-line box instead of typing into it.
        QTest::keyClick(f.matches(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.check());
        QCOMPARE(f.matches()->toPlainText(), u"1234\n5678"_s);
    }
};

QTEST_MAIN(TestRecordForm)
#include "tst_recordform.moc"
