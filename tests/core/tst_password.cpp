#include "app/PasswordScrambler.h"
#include "app/PasswordStore.h"
#include "app/Product.h"

#include "storage/FileFaults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using accessControl::ChangeResult;
using accessControl::LoginResult;

class TestPassword : public QObject {
    Q_OBJECT

    static void writeFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void encode_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("hex");
        // Worked by hand from the scrambler's constants: 'G' (47) XOR (2938 >> 8 = 0B) = 4C, ...
        QTest::newRow("empty") << "" << "";
        QTest::newRow("first access") << "GOLVERA" << "4C4D4CD7006524";
        QTest::newRow("one letter") << "A" << "4A";
        QTest::newRow("accented letter keeps its low byte") << QString::fromUtf8("È") << "C3";
    }
    void encode()
    {
        QFETCH(QString, password);
        QFETCH(QString, hex);
        QCOMPARE(passwordScrambler::encode(password), hex);
        QCOMPARE(passwordScrambler::decode(hex), std::optional<QString>(password));
    }

    void decode_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        QTest::newRow("lower-case digits") << "4c4d4cd7006524" << true << "GOLVERA";
        QTest::newRow("odd last digit ignored") << "4C4D4CD70065247" << true << "GOLVERA";
        QTest::newRow("single digit") << "4" << true << "";
        QTest::newRow("non-hex pair fails") << "4C4DZZ" << false << "";
        QTest::newRow("blank inside fails") << "4C 4D" << false << "";
    }
    void decode()
    {
        QFETCH(QString, hex);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        const std::optional<QString> decoded = passwordScrambler::decode(hex);
        QCOMPARE(decoded.has_value(), ok);
        if (ok)
            QCOMPARE(*decoded, text);
    }

    void everyByteRoundTrips()
    {
        QString all;
        for (int code = 0; code < 256; ++code)
            all.append(QChar(char16_t(code)));
        QCOMPARE(passwordScrambler::decode(passwordScrambler::encode(all)), std::optional<QString>(all));
    }

    void shippedStoreHoldsTheFirstAccessPassword()
    {
        const QString store = QStringLiteral(GOLVERA_SOURCE_DIR "/resources/store/unins000.dll");
        QCOMPARE(accessControl::checkLogin(store, product::firstAccessPassword), LoginResult::Accepted);
        const QByteArray readme = readFile(QStringLiteral(GOLVERA_SOURCE_DIR "/README.md"));
        QVERIFY(readme.contains("`" + product::firstAccessPassword.toUtf8() + "`"));
    }

    void storeRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=4A\r\n") << "4A";
        QTest::newRow("other sections and keys") << QByteArray("[Altro]\nValore=99\n[Accesso]\nX=1\nValore = 4A \n") << "4A";
        QTest::newRow("section name in other case") << QByteArray("[ACCESSO]\nvalore=4A\n") << "4A";
        QTest::newRow("section missing") << QByteArray("[Altro]\nValore=4A\n") << "";
        QTest::newRow("key missing") << QByteArray("[Accesso]\nAltro=4A\n") << "";
        QTest::newRow("empty file") << QByteArray() << "";
    }
    void storeRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        writeFile(path, content);
        QCOMPARE(passwordStore::readValue(path), std::optional<QString>(value));
    }

    void storeReadMissingAndUnreadable()
    {
        QTemporaryDir dir;
        QCOMPARE(passwordStore::readValue(dir.filePath(QStringLiteral("missing.dll"))), std::optional<QString>(QString()));
        // A folder where the store should be cannot be read as a file.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("unins000.dll")));
        QCOMPARE(passwordStore::readValue(dir.filePath(QStringLiteral("unins000.dll"))), std::nullopt);
    }

    void storeWriteKeepsEverythingElse_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("missing file") << QByteArray() << QByteArray("[Accesso]\r\nValore=ABCD\r\n");
        QTest::newRow("key replaced, rest kept")
            << QByteArray("; nota\r\n[Accesso]\r\nPrima=1\r\nValore=4A\r\nDopo=2\r\n[Altro]\r\nValore=77\r\n")
            << QByteArray("; nota\r\n[Accesso]\r\nPrima=1\r\nValore=ABCD\r\nDopo=2\r\n[Altro]\r\nValore=77\r\n");
        QTest::newRow("key added to its section")
            << QByteArray("[Accesso]\nPrima=1\n\n[Altro]\nX=2\n")
            << QByteArray("[Accesso]\nPrima=1\nValore=ABCD\n\n[Altro]\nX=2\n");
        QTest::newRow("section added at the end")
            << QByteArray("[Altro]\r\nValore=77\r\n\r\n")
            << QByteArray("[Altro]\r\nValore=77\r\n[Accesso]\r\nValore=ABCD\r\n");
    }
    void storeWriteKeepsEverythingElse()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        if (!before.isEmpty())
            writeFile(path, before);
        QVERIFY(passwordStore::writeValue(path, QStringLiteral("ABCD")));
        QCOMPARE(readFile(path), after);
        QCOMPARE(passwordStore::readValue(path), std::optional<QString>(QStringLiteral("ABCD")));
    }

    void login_data()
    {
        QTest::addColumn<QByteArray>("store");  // empty: no store at all
        QTest::addColumn<QString>("typed");
        QTest::addColumn<LoginResult>("result");
        const QByteArray shipped("[Accesso]\r\nValore=4C4D4CD7006524\r\n");
        QTest::newRow("exact") << shipped << "GOLVERA" << LoginResult::Accepted;
        QTest::newRow("case and blanks ignored") << shipped << "  golVera\t " << LoginResult::Accepted;
        QTest::newRow("wrong") << shipped << "golvera2" << LoginResult::Wrong;
        QTest::newRow("blank inside counts") << shipped << "gol vera" << LoginResult::Wrong;
        QTest::newRow("no store: told as such") << QByteArray() << "golvera" << LoginResult::StoreMissing;
        QTest::newRow("damaged store") << QByteArray("[Accesso]\nValore=4C4DXX\n") << "golvera" << LoginResult::StoreUnreadable;
        QTest::newRow("stored value padded with blanks")
            << QByteArray("[Accesso]\nValore=" + passwordScrambler::encode(QStringLiteral(" GOLVERA ")).toLatin1() + "\n")
            << "golvera" << LoginResult::Accepted;
    }
    void login()
    {
        QFETCH(QByteArray, store);
        QFETCH(QString, typed);
        QFETCH(LoginResult, result);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        if (!store.isEmpty())
            writeFile(path, store);
        QCOMPARE(accessControl::checkLogin(path, typed), result);
    }

    void change_data()
    {
        QTest::addColumn<QString>("oldTyped");
        QTest::addColumn<QString>("newTyped");
        QTest::addColumn<QString>("confirmTyped");
        QTest::addColumn<ChangeResult>("result");
        QTest::newRow("changed") << " golvera " << "Nuova1" << " Nuova1" << ChangeResult::Changed;
        QTest::newRow("wrong old") << "altro" << "Nuova1" << "Nuova1" << ChangeResult::WrongOldPassword;
        QTest::newRow("confirmation differs in case") << "golvera" << "Nuova1" << "nuova1" << ChangeResult::NotConfirmed;
        QTest::newRow("longer than 255") << "golvera" << QString(256, QLatin1Char('a')) << QString(256, QLatin1Char('a'))
                                         << ChangeResult::TooLong;
        QTest::newRow("255 is fine") << "golvera" << QString(255, QLatin1Char('a')) << QString(255, QLatin1Char('a'))
                                     << ChangeResult::Changed;
        QTest::newRow("character above 255") << "golvera" << QString::fromUtf8("pass€") << QString::fromUtf8("pass€")
                                             << ChangeResult::UnsupportedCharacter;
        QTest::newRow("accented Latin letter is fine") << "golvera" << QString::fromUtf8("città") << QString::fromUtf8("città")
                                                       << ChangeResult::Changed;
    }
    void change()
    {
        QFETCH(QString, oldTyped);
        QFETCH(QString, newTyped);
        QFETCH(QString, confirmTyped);
        QFETCH(ChangeResult, result);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        const QByteArray shipped("[Accesso]\r\nValore=4C4D4CD7006524\r\n");
        writeFile(path, shipped);

        QCOMPARE(accessControl::changePassword(path, oldTyped, newTyped, confirmTyped), result);
        if (result == ChangeResult::Changed) {
            const QString stored = passwordStore::readValue(path).value();
            QCOMPARE(stored.size(), 2 * newTyped.trimmed().size());
            QCOMPARE(stored, stored.toUpper());
            QCOMPARE(accessControl::checkLogin(path, newTyped.toLower()), LoginResult::Accepted);
            QCOMPARE(accessControl::checkLogin(path, QStringLiteral("golvera")), LoginResult::Wrong);
        } else {
            QCOMPARE(readFile(path), shipped);
        }
    }

    void changeFailsWhenTheStoreCannotBeWritten()
    {
        QTemporaryDir dir;
        // No store and no folder to write it into: the (empty) old password matches, the write fails.
        const QString path = dir.filePath(QStringLiteral("gone/unins000.dll"));
        QCOMPARE(accessControl::changePassword(path, QString(), QStringLiteral("x"), QStringLiteral("x")),
                 ChangeResult::StoreFailure);
        QVERIFY(!QFile::exists(path));
        // A damaged store cannot be changed either.
        const QString damaged = dir.filePath(QStringLiteral("unins000.dll"));
        writeFile(damaged, "[Accesso]\nValore=ZZ\n");
        QCOMPARE(accessControl::changePassword(damaged, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("b")),
                 ChangeResult::StoreFailure);
    }

    // Stores written by other editors: a byte-order mark, UTF-16, line ends of every kind. The
    // password is read as it was stored, a change sets it once and keeps the file's form; a text
    // that cannot be decoded is a reading error, not a wrong password.
    void storeInAnyForm_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<bool>("readable");
        const QByteArray value = passwordScrambler::encode(QStringLiteral("GOLVERA")).toLatin1();
        const QByteArray body = "; impostazioni\r\n[Accesso]\r\nValore=" + value + "\r\n";
        const auto utf16 = [](const QByteArray& latin1, bool little) {
            QByteArray bytes = little ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
            for (char c : latin1)
                bytes += little ? QByteArray(1, c) + '\0' : '\0' + QByteArray(1, c);
            return bytes;
        };
        QTest::newRow("CR LF") << body << true;
        QTest::newRow("CR LF and LF mixed") << "; x\r\n[Accesso]\nValore=" + value + "\r\nAltro=1\n" << true;
        QTest::newRow("CR only") << QByteArray(body).replace("\r\n", "\r") << true;
        QTest::newRow("no line end after the value") << "[Accesso]\r\nValore=" + value << true;
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + body << true;
        QTest::newRow("UTF-16 little-endian") << utf16(body, true) << true;
        QTest::newRow("UTF-16 big-endian") << utf16(body, false) << true;
        QTest::newRow("UTF-16 without a mark") << utf16(body, true).mid(2) << false;
        QTest::newRow("byte-order mark before invalid UTF-8") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=\xC3(") << false;
        QTest::newRow("zero byte in the text") << QByteArray("[Accesso]\r\nValore=4C\0" "4D\r\n", 22) << false;
    }
    void storeInAnyForm()
    {
        QFETCH(QByteArray, store);
        QFETCH(bool, readable);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        writeFile(path, store);

        if (!readable) {
            QCOMPARE(accessControl::checkLogin(path, QStringLiteral("golvera")), LoginResult::StoreUnreadable);
            QCOMPARE(accessControl::changePassword(path, QStringLiteral("golvera"), QStringLiteral("x"), QStringLiteral("x")),
                     ChangeResult::StoreFailure);
            QCOMPARE(readFile(path), store);
            return;
        }
        QCOMPARE(accessControl::checkLogin(path, QStringLiteral("golvera")), LoginResult::Accepted);
        QCOMPARE(accessControl::changePassword(path, QStringLiteral("golvera"), QStringLiteral("Nuova"), QStringLiteral("Nuova")),
                 ChangeResult::Changed);
        QCOMPARE(accessControl::checkLogin(path, QStringLiteral("nuova")), LoginResult::Accepted);
        QCOMPARE(accessControl::checkLogin(path, QStringLiteral("golvera")), LoginResult::Wrong);

        // Changed in place: one section, one value, the mark and the rest of the file as they were.
        const QByteArray after = readFile(path);
        const bool wide = store.startsWith("\xFF\xFE") || store.startsWith("\xFE\xFF");
        const QByteArray narrow = wide ? QByteArray(after).replace('\0', "") : after;
        QCOMPARE(narrow.count("[Accesso]"), 1);
        QCOMPARE(narrow.count("Valore="), 1);
        QCOMPARE(after.left(3), store.left(3));
        const QByteArray newValue = passwordScrambler::encode(QStringLiteral("NUOVA")).toLatin1();
        const QByteArray oldValue = passwordScrambler::encode(QStringLiteral("GOLVERA")).toLatin1();
        QCOMPARE(narrow, (wide ? QByteArray(store).replace('\0', "") : store).replace(oldValue, newValue));
    }

    void storeThatIsNoRegularFile()
    {
        // A FIFO in the store's place would block the login for ever.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
        QCOMPARE(accessControl::checkLogin(path, QStringLiteral("golvera")), LoginResult::StoreUnreadable);
        QCOMPARE(passwordStore::writeValue(path, QStringLiteral("4A")), false);
        QVERIFY(!QFileInfo(path).isFile());
    }

    void changeNeverRewritesTheStoreInPlace()
    {
        // The store may be written, its folder may not: the new store cannot be made beside it, so
        // nothing changes (rewriting in place could leave half a store after a crash).
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        const QByteArray shipped("[Accesso]\r\nValore=4C4D4CD7006524\r\n");
        writeFile(path, shipped);
        const fileFaults::Injected folder({fileFaults::Fault::CreateRefused, 0, dir.path()});
        QCOMPARE(accessControl::changePassword(path, QStringLiteral("golvera"), QStringLiteral("x"), QStringLiteral("x")),
                 ChangeResult::StoreFailure);
        QVERIFY(folder.strikes() > 0);
        QCOMPARE(readFile(path), shipped);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("unins000.dll")});
    }
};

QTEST_GUILESS_MAIN(TestPassword)
#include "tst_password.moc"
