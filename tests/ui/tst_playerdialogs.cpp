// The dialogs around the player editor on their own: the webcam screen with a fake camera and
// with none, the calendar, and the two code checkers.
#include "platform/PluginCameras.h"
#include "players/Calendario.h"
#include "players/PlayerSheet.h"
#include "players/WebCam.h"
#include "tools/CodFisc.h"
#include "tools/PartitaIva.h"
#include "player_editor.h"
#include "CameraForwarding.h"

#include <QCalendarWidget>
#include <QPluginLoader>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

QPushButton* button(const QObject* dialog, const QString& name) { return widgets::find<QPushButton>(dialog, name); }
QImage boxPicture(const QObject* dialog, const QString& name)
{
    return widgets::find<PictureBox>(dialog, name)->picture();
}

enum class Camera { Present, Missing, Refuses };

}  // namespace

Q_DECLARE_METATYPE(Camera)
Q_DECLARE_METATYPE(MessageKind)

class TestPlayerDialogs : public QObject {
    Q_OBJECT

private slots:
    // A frame larger than the sheet prints a photo is reduced to that size, as a picture file is.
    void webcamCaptureAndImport_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("within the photo's size") << QSize(640, 480);
        QTest::newRow("a large camera's frame") << QSize(3200, 2400);
    }
    void webcamCaptureAndImport()
    {
        QFETCH(QSize, size);
        PlayerEditor e;
        QVERIFY(e.open());
        const QImage frame = plainPicture(size, Qt::red);
        const QImage later = plainPicture(size, Qt::blue);
        const QSize limit = playerSheet::photoLimit();
        const QSize kept = size.boundedTo(limit) == size ? size : size.scaled(limit, Qt::KeepAspectRatio);
        QVERIFY(kept.width() <= limit.width() && kept.height() <= limit.height());
        QCOMPARE(kept == size, size.width() < 1000);  // the large frame is above the limit
        QImage shownLive;
        e.fake.onDialog = [&](QObject* dialog) {
            QVERIFY(!button(dialog, u"btnCattura"_s)->isEnabled());
            button(dialog, u"btnAccendi"_s)->click();
            QVERIFY(e.fake.cameraRunning);
            QVERIFY(button(dialog, u"btnCattura"_s)->isEnabled());
            QVERIFY(!button(dialog, u"btnAccendi"_s)->isEnabled());
            e.fake.sendFrame(frame);
            shownLive = boxPicture(dialog, u"imgCamera"_s);
            QVERIFY(!button(dialog, u"btnImportaFoto"_s)->isEnabled());
            QVERIFY(!button(dialog, u"btnSalvaFotogramma"_s)->isEnabled());
            button(dialog, u"btnCattura"_s)->click();
            QVERIFY(button(dialog, u"btnImportaFoto"_s)->isEnabled());
            QVERIFY(button(dialog, u"btnSalvaFotogramma"_s)->isEnabled());
            e.fake.sendFrame(later);  // the capture keeps the frame it took
            QCOMPARE(boxPicture(dialog, u"imgTarget"_s).size(), kept);
            QCOMPARE(boxPicture(dialog, u"imgTarget"_s).pixelColor(0, 0), QColor(Qt::red));
            button(dialog, u"btnImportaFoto"_s)->click();
        };
        e.click(u"btnWebcam"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmWebCam"_s});
        QCOMPARE(shownLive, frame);
        QCOMPARE(e.photo().size(), kept);
        QCOMPARE(e.photo().pixelColor(kept.width() / 2, kept.height() / 2), QColor(Qt::red));
        QVERIFY(!e.fake.cameraRunning);
        QVERIFY(e.fake.messages.isEmpty());
    }

    // "Annulla" stops the camera and leaves the editor's photo, captured or not.
    void webcamCancel()
    {
        PlayerEditor e;
        QVERIFY(e.open());
        const QImage before = plainPicture({30, 40}, Qt::green);
        e.screen.setPhoto(before);
        e.fake.onDialog = [&](QObject* dialog) {
            button(dialog, u"btnAccendi"_s)->click();
            e.fake.sendFrame(plainPicture({64, 48}, Qt::red));
            button(dialog, u"btnCattura"_s)->click();
            button(dialog, u"btnClose"_s)->click();
        };
        e.click(u"btnWebcam"_s);
        QVERIFY(!e.fake.cameraRunning);
        QCOMPARE(e.photo(), before);
    }

    // Until a frame is captured there is nothing to import or save: the drawings in the boxes
    // never reach the player's photo or a file.
    void webcamNothingCaptured_data()
    {
        QTest::addColumn<Camera>("camera");
        QTest::newRow("no camera") << Camera::Missing;
        QTest::newRow("camera refuses to start") << Camera::Refuses;
        QTest::newRow("camera running, no frame yet") << Camera::Present;
    }
    void webcamNothingCaptured()
    {
        QFETCH(Camera, camera);
        PlayerEditor e;
        e.fake.cameraPresent = camera != Camera::Missing;
        if (camera == Camera::Refuses)
            e.fake.cameraStartError = u"Il dispositivo \u00E8 occupato."_s;
        QVERIFY(e.open());
        const QImage before = plainPicture({30, 40}, Qt::green);
        e.screen.setPhoto(before);
        QImage target;
        e.fake.onDialog = [&](QObject* dialog) {
            target = boxPicture(dialog, u"imgTarget"_s);
            button(dialog, u"btnAccendi"_s)->click();
            button(dialog, u"btnCattura"_s)->click();
            QVERIFY(!button(dialog, u"btnImportaFoto"_s)->isEnabled());
            QVERIFY(!button(dialog, u"btnSalvaFotogramma"_s)->isEnabled());
            QCOMPARE(boxPicture(dialog, u"imgTarget"_s), target);
            // Pressed anyway (a disabled button takes no click), the import brings nothing.
            QMetaObject::invokeMethod(button(dialog, u"btnImportaFoto"_s), "clicked");
            QMetaObject::invokeMethod(button(dialog, u"btnSalvaFotogramma"_s), "clicked");
            button(dialog, u"btnClose"_s)->click();
        };
        e.click(u"btnWebcam"_s);
        QCOMPARE(target.size(), QSize(366, 274));
        QCOMPARE(e.photo(), before);
        QVERIFY(e.fake.fileRequests.isEmpty());
        QVERIFY(!e.fake.cameraRunning);
    }

    void webcamWithoutACamera_data()
    {
        QTest::addColumn<Camera>("camera");
        QTest::addColumn<QString>("message");
        QTest::newRow("no camera") << Camera::Missing << u"Nessuna webcam disponibile."_s;
        QTest::newRow("camera refuses to start") << Camera::Refuses << u"Il dispositivo \u00E8 occupato."_s;
        QTest::newRow("camera fails while running") << Camera::Present << u"Dispositivo scollegato."_s;
    }
    void webcamWithoutACamera()
    {
        QFETCH(Camera, camera);
        QFETCH(QString, message);
        FakePlatform fake;
        fake.cameraPresent = camera != Camera::Missing;
        if (camera == Camera::Refuses)
            fake.cameraStartError = message;
        TfrmWebCam webcam(nullptr);
        button(&webcam, u"btnAccendi"_s)->click();
        if (camera == Camera::Present) {
            QVERIFY(button(&webcam, u"btnCattura"_s)->isEnabled());
            fake.failCamera(message);
        }
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().kind, MessageKind::Information);
        QCOMPARE(fake.lastMessage().text, message);
        QVERIFY(!button(&webcam, u"btnCattura"_s)->isEnabled());
        QVERIFY(!button(&webcam, u"btnSpegni"_s)->isEnabled());
        QVERIFY(button(&webcam, u"btnAccendi"_s)->isEnabled());
        QVERIFY(!fake.cameraRunning);
        QCOMPARE(boxPicture(&webcam, u"imgCamera"_s).size(), QSize(366, 274));
    }

    // The webcam support is a plugin, loaded when the screen opens. Through a plugin (the test's,
    // which hands its work to the fake camera) the screen captures and imports as ever.
    void webcamThroughItsPlugin()
    {
        FakePlatform fake;
        QPluginLoader loader(QStringLiteral(GOLVERA_TEST_PLUGIN_DIR "/golvera_webcam"));
        auto* forwarding = qobject_cast<CameraForwarding*>(loader.instance());
        QVERIFY2(forwarding, qPrintable(loader.errorString()));
        const std::unique_ptr<platform::Cameras> fakeCamera = fake.makeCameras();
        forwarding->forwardTo(fakeCamera.get());
        const auto detach = qScopeGuard([forwarding] { forwarding->forwardTo(nullptr); });
        platform::install(std::make_unique<PluginCameras>(QStringLiteral(GOLVERA_TEST_PLUGIN_DIR)));

        const QImage frame = plainPicture({640, 480}, Qt::green);
        QImage imported;
        TfrmWebCam webcam(nullptr);
        webcam.setImportTarget([&](const QImage& picture) { imported = picture; });
        button(&webcam, u"btnAccendi"_s)->click();
        QVERIFY(fake.cameraRunning);
        fake.sendFrame(frame);
        QCOMPARE(boxPicture(&webcam, u"imgCamera"_s), frame);
        button(&webcam, u"btnCattura"_s)->click();
        button(&webcam, u"btnImportaFoto"_s)->click();
        QCOMPARE(imported, frame);
        QVERIFY(!fake.cameraRunning);
        QVERIFY(fake.messages.isEmpty());
    }

    // Without the plugin the program works all the same, and the screen says that there is no
    // webcam support.
    void webcamWithoutItsPlugin()
    {
        FakePlatform fake;
        QTemporaryDir noPlugins;
        platform::install(std::make_unique<PluginCameras>(noPlugins.path()));
        TfrmWebCam webcam(nullptr);
        button(&webcam, u"btnAccendi"_s)->click();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().kind, MessageKind::Information);
        QCOMPARE(fake.lastMessage().text,
                 u"La webcam non \u00E8 disponibile: il supporto per la webcam non \u00E8 installato.\r\n\r\n"
                 "Manca il file libgolvera_webcam.so, cercato nella cartella "_s + noPlugins.path() + u"."_s);
        QVERIFY(!fake.cameraRunning);
        QVERIFY(!button(&webcam, u"btnCattura"_s)->isEnabled());
        QVERIFY(button(&webcam, u"btnAccendi"_s)->isEnabled());
        QCOMPARE(boxPicture(&webcam, u"imgCamera"_s).size(), QSize(366, 274));
    }

    void webcamSavesACopy()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        TfrmWebCam webcam(nullptr);
        button(&webcam, u"btnAccendi"_s)->click();
        fake.sendFrame(plainPicture({320, 240}, Qt::red));
        button(&webcam, u"btnCattura"_s)->click();
        fake.fileAnswers = {folder.file(u"scatto"_s)};
        button(&webcam, u"btnSalvaFotogramma"_s)->click();
        QCOMPARE(photoStore::read(folder.file(u"scatto.jpg"_s)).size(), QSize(320, 240));
        QCOMPARE(fake.fileRequests.last().title, u"Selezionare la cartella in cui si desidera salvare il file Jpeg."_s);
        QCOMPARE(fake.fileRequests.last().initialName, u"Foto.jpg"_s);
        // Closing the screen stops the camera.
        webcam.reject();
        QVERIFY(!fake.cameraRunning);
    }

    void calendar()
    {
        FakePlatform fake;
        fake.now = QDateTime(QDate(2026, 2, 14), QTime(9, 0));
        QString written = u"non toccato"_s;
        TfrmCalendario picker(nullptr);
        picker.setTarget([&](const QString& date) { written = date; });
        QCOMPARE(picker.windowTitle(), u" Importazione data"_s);
        auto* calendar = widgets::find<QCalendarWidget>(&picker, u"calAppuntamenti"_s);
        QCOMPARE(calendar->selectedDate(), QDate(2026, 2, 14));
        button(&picker, u"btnAnnulla"_s)->click();
        QCOMPARE(written, u"non toccato"_s);
        calendar->setSelectedDate(QDate(2024, 3, 5));
        button(&picker, u"btnImportaData"_s)->click();
        QCOMPARE(written, u"05/03/2024"_s);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
    }

    void taxCodeChecker_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<bool>("closes");
        QTest::newRow("valid, typed in small letters")
            << u"aaabbb11c22d333l"_s << u"AAABBB11C22D333L"_s << MessageKind::Information << true;
        QTest::newRow("wrong") << u"AAABBB11C22D333M"_s << u"AAABBB11C22D333M"_s << MessageKind::Warning << true;
        QTest::newRow("15 characters") << u"AAABBB11C22D333"_s << u"AAABBB11C22D333"_s << MessageKind::Warning << false;
    }
    void taxCodeChecker()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(MessageKind, kind);
        QFETCH(bool, closes);
        FakePlatform fake;
        TfrmCodFisc checker(nullptr);
        checker.show();
        QApplication::setActiveWindow(&checker);
        QVERIFY(QTest::qWaitForWindowActive(&checker));
        auto* field = widgets::find<QLineEdit>(&checker, u"txtCodFisc"_s);
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(field->maxLength(), 16);
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), shown);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), button(&checker, u"btnControlla"_s));
        QVERIFY(fake.messages.isEmpty());  // Enter only moves to the button
        button(&checker, u"btnControlla"_s)->click();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().kind, kind);
        QCOMPARE(checker.isVisible(), !closes);
        if (!closes)
            QCOMPARE(QApplication::focusWidget(), field);
    }

    // A code handed over by the editor reaches the check whole, whatever its length: one of the
    // wrong length gets the length warning and the dialog stays open for it to be corrected.
    void checkersCheckTheWholeText_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("message");  // its beginning
        const QString vatLength = u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s;
        const QString taxLength = u"Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."_s;
        QTest::newRow("10 digits") << true << u"1234567058"_s << MessageKind::Warning << vatLength;
        QTest::newRow("11 digits") << true << u"12345670587"_s << MessageKind::Information
                                   << u"Il numero di partita IVA digitato risulta VALIDO."_s;
        QTest::newRow("12 digits") << true << u"123456705871"_s << MessageKind::Warning << vatLength;
        QTest::newRow("16 digits, a valid number first") << true << u"1234567058712345"_s << MessageKind::Warning << vatLength;
        QTest::newRow("15 characters") << false << u"AAABBB11C22D333"_s << MessageKind::Warning << taxLength;
        QTest::newRow("16 characters") << false << u"AAABBB11C22D333L"_s << MessageKind::Information
                                       << u"Il codice fiscale digitato \u00E8 VALIDO."_s;
        QTest::newRow("17 characters, a valid code first") << false << u"AAABBB11C22D333LX"_s << MessageKind::Warning
                                                           << taxLength;
    }
    void checkersCheckTheWholeText()
    {
        QFETCH(bool, vat);
        QFETCH(QString, text);
        QFETCH(MessageKind, kind);
        QFETCH(QString, message);
        FakePlatform fake;
        std::unique_ptr<CheckerDialog> checker;
        if (vat)
            checker = std::make_unique<TfrmPartitaIva>(nullptr);
        else
            checker = std::make_unique<TfrmCodFisc>(nullptr);
        checker->setText(text);
        checker->show();
        QCOMPARE(checker->field()->text(), text);
        button(checker.get(), u"btnControlla"_s)->click();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.lastMessage().kind, kind);
        QVERIFY2(fake.lastMessage().text.startsWith(message), qPrintable(fake.lastMessage().text));
        const bool wrongLength = kind == MessageKind::Warning;
        QCOMPARE(checker->isVisible(), wrongLength);
        if (wrongLength) {
            // Corrected by hand, the field takes no more than a code's length again.
            const int limit = vat ? 11 : 16;
            checker->field()->setText(text.left(limit - 1));
            QTest::keyClicks(checker->field(), u"123"_s);
            QCOMPARE(checker->field()->text().size(), limit);
        }
    }

    void vatChecker()
    {
        FakePlatform fake;
        TfrmPartitaIva checker(nullptr);
        checker.show();
        QApplication::setActiveWindow(&checker);
        QVERIFY(QTest::qWaitForWindowActive(&checker));
        auto* field = widgets::find<QLineEdit>(&checker, u"txtPartitaIva"_s);
        QCOMPARE(field->maxLength(), 11);
        // Only digits can be typed; Tab stays in the field.
        QTest::keyClicks(field, u"12a345-6705 87"_s);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), u"12345670587"_s);
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Backspace);
        button(&checker, u"btnControlla"_s)->click();
        QCOMPARE(fake.lastMessage().text,
                 u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s);
        QVERIFY(checker.isVisible());
        QTest::keyClicks(field, u"7"_s);
        QTest::keyClick(field, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), button(&checker, u"btnControlla"_s));
        button(&checker, u"btnControlla"_s)->click();
        QCOMPARE(fake.lastMessage().kind, MessageKind::Information);
        QVERIFY(fake.lastMessage().text.endsWith(u"Roma 1."_s));
        QVERIFY(!checker.isVisible());
    }
};

QTEST_MAIN(TestPlayerDialogs)
#include "tst_playerdialogs.moc"
