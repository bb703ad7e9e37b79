// The tax-code and VAT-number checks: the verdicts on the published examples and the inputs at
// the edges, and the office names the VAT box reports.
#include "checkers/TaxCode.h"
#include "checkers/TaxCodePerson.h"
#include "checkers/VatNumber.h"

#include <QTest>

using namespace Qt::StringLiterals;
using TaxVerdict = taxCode::Verdict;
using VatVerdict = vatNumber::Result::Verdict;

Q_DECLARE_METATYPE(TaxVerdict)
Q_DECLARE_METATYPE(VatVerdict)

class TestCheckers : public QObject {
    Q_OBJECT

private slots:
    void taxCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<TaxVerdict>("verdict");
        QTest::newRow("valid") << u"AAABBB11C22D333L"_s << TaxVerdict::Valid;
        QTest::newRow("wrong control letter") << u"AAABBB11C22D333M"_s << TaxVerdict::Wrong;
        QTest::newRow("lower case checked as upper") << u"aaabbb11c22d333l"_s << TaxVerdict::Valid;
        QTest::newRow("real-looking code") << u"RSSMRA85T10A562S"_s << TaxVerdict::Valid;
        QTest::newRow("15 characters") << u"AAABBB11C22D333"_s << TaxVerdict::WrongLength;
        QTest::newRow("17 characters") << u"AAABBB11C22D333LL"_s << TaxVerdict::WrongLength;
        QTest::newRow("empty") << QString() << TaxVerdict::WrongLength;
        QTest::newRow("digit in 16th place") << u"AAABBB11C22D3330"_s << TaxVerdict::Wrong;
        QTest::newRow("blank inside") << u"AAABBB11 22D333L"_s << TaxVerdict::Wrong;
        QTest::newRow("accented letter inside") << u"AAAB\u00C8B11C22D333L"_s << TaxVerdict::Wrong;
        QTest::newRow("lower accented letter inside") << u"AAAB\u00E8B11C22D333L"_s << TaxVerdict::Wrong;
        // The seven signs between 9 and A are worth nothing: ":" in place of the odd-placed "3"
        // (worth 7) moves the control letter from L back to E.
        QTest::newRow("sign between 9 and A") << u"AAABBB11C22D:33E"_s << TaxVerdict::Valid;
    }
    void taxCode()
    {
        QFETCH(QString, code);
        QFETCH(TaxVerdict, verdict);
        QCOMPARE(taxCode::check(code), verdict);
    }

    // A valid code against the player's record: date and sex as the code encodes them.
    void taxCodeAgainstThePlayer_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("born");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("told");  // empty: nothing to say

        const QString man = u"Il codice fiscale indica un uomo nato il 10/12/1985."_s;
        const QString woman = u"Il codice fiscale indica una donna nata il 10/12/1985."_s;
        const QString date = u"La data di nascita della scheda non corrisponde al codice fiscale.\r\n\r\n"_s;
        const QString sexOnly = u"Il sesso della scheda non corrisponde al codice fiscale.\r\n\r\n"_s;
        const QString both = u"La data di nascita e il sesso della scheda non corrispondono al codice fiscale.\r\n\r\n"_s;
        QTest::newRow("man, agrees") << u"RSSMRA85T10A562S"_s << u"10/12/1985"_s << u"M"_s << QString();
        QTest::newRow("man, other day") << u"RSSMRA85T10A562S"_s << u"11/12/1985"_s << u"M"_s << date + man;
        QTest::newRow("man recorded as a woman") << u"RSSMRA85T10A562S"_s << u"10/12/1985"_s << u"F"_s << sexOnly + man;
        QTest::newRow("woman, day plus 40") << u"RSSMRA85T50A562W"_s << u"10/12/1985"_s << u"F"_s << QString();
        QTest::newRow("woman recorded as a man, other month") << u"RSSMRA85T50A562W"_s << u"10/11/1985"_s << u"m"_s
                                                              << both + woman;
        QTest::newRow("omocodia letters read as digits") << u"RSSMRAURTMLA562P"_s << u"10/12/1985"_s << u"M"_s << QString();
        QTest::newRow("century from the record: 2005") << u"RSSMRA05A01H501H"_s << u"01/01/2005"_s << u"M"_s << QString();
        QTest::newRow("century from the record: 1905") << u"RSSMRA05A01H501H"_s << u"01/01/1905"_s << u"M"_s << QString();
        QTest::newRow("empty fields") << u"RSSMRA85T10A562S"_s << QString() << QString() << QString();
        QTest::newRow("sex only, agrees") << u"RSSMRA85T10A562S"_s << QString() << u"M"_s << QString();
        QTest::newRow("date not a date") << u"RSSMRA85T10A562S"_s << u"ieri"_s << QString() << QString();
        QTest::newRow("no such month letter") << u"AAABBB11Z22D333D"_s << u"22/03/2011"_s << u"M"_s << QString();
    }
    void taxCodeAgainstThePlayer()
    {
        QFETCH(QString, code);
        QFETCH(QString, born);
        QFETCH(QString, sex);
        QFETCH(QString, told);
        QCOMPARE(taxCodePerson::disagreement(code, born, sex).value_or(QString()), told);
    }

    void vatNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<VatVerdict>("verdict");
        QTest::addColumn<QString>("message");
        const QString valid = u"Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"_s;
        const QString issued = valid + u"E' stato rilasciato dall'Ufficio IVA del Comune di "_s;
        const QString wrong = u"Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon \u00E8 quindi "
                              u"possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato."_s;
        QTest::newRow("Roma 1") << u"12345670587"_s << VatVerdict::Valid << issued + u"Roma 1."_s;
        QTest::newRow("Torino") << u"00000000018"_s << VatVerdict::Valid << issued + u"Torino."_s;
        QTest::newRow("Milano 1") << u"98765430156"_s << VatVerdict::Valid << issued + u"Milano 1."_s;
        QTest::newRow("office not in the table")
            << u"12345671031"_s << VatVerdict::Valid
            << valid + u"L'Ufficio IVA che lo ha rilasciato non \u00E8 presente nell'elenco."_s;
        QTest::newRow("wrong control digit") << u"12345670588"_s << VatVerdict::Wrong << wrong;
        QTest::newRow("10 digits") << u"1234567058"_s << VatVerdict::WrongLength
                                   << u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s;
        QTest::newRow("a letter") << u"1234567A587"_s << VatVerdict::Wrong << wrong;
        QTest::newRow("letter as control digit") << u"1234567058A"_s << VatVerdict::Wrong << wrong;
    }
    void vatNumber()
    {
        QFETCH(QString, number);
        QFETCH(VatVerdict, verdict);
        QFETCH(QString, message);
        const vatNumber::Result result = vatNumber::check(number);
        QCOMPARE(result.verdict, verdict);
        QCOMPARE(vatNumber::message(result), message);
    }

    void officeTable_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("office");
        QTest::newRow("first") << u"001"_s << u"Torino"_s;
        QTest::newRow("accented") << u"040"_s << u"Forl\u00EC"_s;
        QTest::newRow("last of the run") << u"102"_s << u"Napoli 2"_s;
        QTest::newRow("after the gap") << u"120"_s << u"Bologna 2"_s;
        QTest::newRow("last") << u"121"_s << u"Napoli 2"_s;
        QTest::newRow("in the gap") << u"103"_s << QString();
        QTest::newRow("zero") << u"000"_s << QString();
        QTest::newRow("past the end") << u"122"_s << QString();
    }
    void officeTable()
    {
        QFETCH(QString, code);
        QFETCH(QString, office);
        QCOMPARE(vatNumber::office(code), office);
    }
};

QTEST_APPLESS_MAIN(TestCheckers)
#include "tst_checkers.moc"
