// The small pieces every screen is built from, each on a tiny form of its own.
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Product.h"
#include "app/ProgramFolder.h"
#include "app/Splash.h"
#include "common/EmailField.h"
#include "common/EnterChain.h"
#include "common/FocusHighlight.h"
#include "common/HelpTopics.h"
#include "common/HintLine.h"
#include "common/LinkLabel.h"
#include "common/LongWork.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "common/WorkScreen.h"
#include "platform/TMisc.h"
#include "players/ExpGiocatori.h"
#include "teams/ExpSquadre.h"
#include "tournament/ExpTorneo.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

// The colour in the middle of a field's background, away from text and border.
QColor backgroundOf(QLineEdit* field)
{
    const QImage image = field->grab().toImage();
    return image.pixelColor(image.width() - 6, image.height() / 2);
}

// A field and a picture button under it, shown and active, the focus in the field.
struct ButtonForm {
    QWidget form;
    QLineEdit* field = new QLineEdit(&form);
    PictureButton* button = new PictureButton(QStringLiteral("btnSalva"), QStringLiteral("help"), &form);

    bool show()
    {
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(field);
        layout->addWidget(button);
        form.show();
        QApplication::setActiveWindow(&form);
        if (!QTest::qWaitForWindowActive(&form))
            return false;
        field->setFocus();
        return QTest::qWaitFor([this] { return field->hasFocus(); });
    }
};

}  // namespace

class TestCommonWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Long work runs while the window answers: quick work shows nothing; slow work shows a
    // progress window whose "Annulla" ends the wait at once.
    void longWorkShowsProgressAndCanBeStopped()
    {
        QWidget owner;
        owner.show();
        int ran = 0;
        QVERIFY(longWork::run(&owner, QStringLiteral("Lettura"), [&ran] { ++ran; }));
        QCOMPARE(ran, 1);
        QVERIFY(!owner.findChild<QProgressDialog*>());

        const auto release = std::make_shared<std::atomic<bool>>(false);  // outlives the test
        bool shown = false;
        QTimer::singleShot(longWork::ShowAfterMs + 300, &owner, [&] {
            auto* progress = owner.findChild<QProgressDialog*>(QStringLiteral("frmAttesa"));
            shown = progress && progress->isVisible() && progress->labelText() == QStringLiteral("Lettura");
            if (progress)
                progress->findChild<QPushButton*>()->click();
        });
        QElapsedTimer waited;
        waited.start();
        // The work goes on until released; the wait ends with the click all the same.
        QVERIFY(!longWork::run(&owner, QStringLiteral("Lettura"), [release] {
            while (!*release)
                QThread::msleep(5);
        }));
        QVERIFY(shown);
        QVERIFY(waited.elapsed() < 5000);
        *release = true;
    }

    // Each work screen paints its own gradient behind the panel.
    void workScreenPaintsItsBackground_data()
    {
        QTest::addColumn<bool>("own");
        QTest::newRow("program's") << false;
        QTest::newRow("screen's own") << true;
    }

    void workScreenPaintsItsBackground()
    {
        QFETCH(bool, own);
        Navigator navigator;
        const style::Background steel{QColor(0x42, 0x7A, 0xA8), Qt::white};
        const auto screen = own ? std::make_unique<WorkScreen>(navigator, QStringLiteral("frmProva"), QString(), QSize(100, 100), steel)
                                : std::make_unique<WorkScreen>(navigator, QStringLiteral("frmProva"), QString(), QSize(100, 100));
        screen->resize(400, 400);
        const QImage image = screen->grab().toImage();
        const style::Background expected = own ? steel : style::programBackground;
        QCOMPARE(image.pixelColor(2, 0), expected.top);
        QCOMPARE(image.pixelColor(2, image.height() - 1).name(), expected.bottom.name());
    }

    // A picture button is reached with Tab (a click leaves the focus where it was) and pressed
    // with Space or Enter; other keys do nothing.
    void pictureButtonFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Space") << int(Qt::Key_Space) << 1;
        QTest::newRow("Return") << int(Qt::Key_Return) << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 1;
        QTest::newRow("a letter") << int(Qt::Key_A) << 0;
    }
    void pictureButtonFromTheKeyboard()
    {
        QFETCH(int, key);
        QFETCH(int, clicks);
        ButtonForm f;
        QVERIFY(f.show());
        QSignalSpy clicked(f.button, &PictureButton::clicked);

        QTest::mouseClick(f.button, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
        QVERIFY(f.field->hasFocus());

        QTest::keyClick(f.field, Qt::Key_Tab);
        QTRY_VERIFY(f.button->hasFocus());
        QTest::keyClick(f.button, Qt::Key(key));
        QCOMPARE(clicked.size(), 1 + clicks);
    }

    // The focused button wears a frame in the panel's navy; without the focus it is the bare
    // picture.
    void pictureButtonShowsItsFocus()
    {
        ButtonForm f;
        QVERIFY(f.show());
        const auto navyOnTheEdge = [&f] {
            const QImage image = f.button->grab().toImage();
            int navy = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x : {1, image.width() - 2})
                    navy += image.pixelColor(x, y) == style::navy ? 1 : 0;
            }
            return navy;
        };
        QCOMPARE(navyOnTheEdge(), 0);
        f.button->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(f.button->hasFocus());
        QVERIFY2(navyOnTheEdge() > f.button->height() / 4, qPrintable(QString::number(navyOnTheEdge())));
    }

    // On every button the focus changes the colours all along the edge, by at least 3:1 in
    // contrast, on light and dark pictures and on the standard push buttons alike.
    void focusRingStandsOut_data()
    {
        QTest::addColumn<QString>("picture");  // empty: a push button
        QTest::newRow("light picture") << QStringLiteral("help");
        QTest::newRow("dark picture") << QStringLiteral("pulsante_chiudi");
        QTest::newRow("calculator key") << QStringLiteral("calc_key_operator");
        QTest::newRow("push button") << QString();
    }
    void focusRingStandsOut()
    {
        QFETCH(QString, picture);
        style::installFocusRing(*qApp);  // as the program does when it starts
        QWidget form;
        auto* field = new QLineEdit(&form);
        QWidget* button = picture.isEmpty()
            ? static_cast<QWidget*>(new QPushButton(QStringLiteral("Tessere: 1 scaduta"), &form))
            : new PictureButton(QStringLiteral("btnProva"), picture, &form);
        button->setFocusPolicy(Qt::StrongFocus);
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(field);
        layout->addWidget(button);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        const QImage before = button->grab().toImage();
        button->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(button->hasFocus());
        const QImage after = button->grab().toImage();

        const auto luminance = [](QColor c) {
            const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        const auto contrast = [&](QColor a, QColor b) {
            const double x = luminance(a), y = luminance(b);
            return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
        };
        // Across the edge, the strongest change within the ring's depth, at every point of the
        // four sides away from the rounded corners.
        const int w = before.width(), h = before.height();
        const auto change = [&](QPoint edge, QPoint inwards) {
            double most = 1;
            for (int depth = 0; depth < 6; ++depth) {
                const QPoint p = edge + inwards * depth;
                most = std::max(most, contrast(before.pixelColor(p), after.pixelColor(p)));
            }
            return most;
        };
        int points = 0, weak = 0;
        for (int x = 10; x < w - 10; ++x) {
            for (const auto& [edge, inwards] : {std::pair{QPoint(x, 0), QPoint(0, 1)}, std::pair{QPoint(x, h - 1), QPoint(0, -1)}}) {
                ++points;
                weak += change(edge, inwards) < 3 ? 1 : 0;
            }
        }
        for (int y = 10; y < h - 10; ++y) {
            for (const auto& [edge, inwards] : {std::pair{QPoint(0, y), QPoint(1, 0)}, std::pair{QPoint(w - 1, y), QPoint(-1, 0)}}) {
                ++points;
                weak += change(edge, inwards) < 3 ? 1 : 0;
            }
        }
        QVERIFY(points > 40);
        QVERIFY2(weak == 0, qPrintable(QStringLiteral("%1 of %2 points change less than 3:1").arg(weak).arg(points)));
    }

    // A screen reader names the button by its hint.
    void pictureButtonIsNamedByItsHint()
    {
        PictureButton button(QStringLiteral("btnSalva"), QStringLiteral("help"));
        button.setHint(QStringLiteral("Salva i dati del concorrente."));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Salva i dati del concorrente."));
        QCOMPARE(accessible->role(), QAccessible::Button);
    }

    void focusHighlightFormA()
    {
        QWidget form;
        auto* first = new QLineEdit(&form);
        auto* second = new QLineEdit(&form);
        new QVBoxLayout(&form);
        form.layout()->addWidget(first);
        form.layout()->addWidget(second);
        focusHighlight::applyFormA(first);
        focusHighlight::applyFormA(second);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));

        const QColor light = QColor::fromRgba(focusHighlight::lightArgb);
        const QColor yellow = QColor::fromRgba(focusHighlight::yellowArgb);
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        QCOMPARE(backgroundOf(first), yellow);
        QCOMPARE(backgroundOf(second), light);
        QTest::keyClick(first, Qt::Key_Tab);
        QTRY_VERIFY(second->hasFocus());
        QCOMPARE(backgroundOf(first), light);
        QCOMPARE(backgroundOf(second), yellow);
    }

    void focusHighlightFormBAndEnterChain()
    {
        QWidget form;
        QList<QLineEdit*> fields;
        for (int i = 0; i < 3; ++i) {
            fields << new QLineEdit(&form);
            fields.back()->setObjectName(QStringLiteral("txt%1").arg(i));
            fields.back()->setGeometry(20, 20 + 40 * i, 200, 28);
        }
        QList<QWidget*> markers;
        for (QLineEdit* field : fields)
            markers << focusHighlight::applyFormB(field, QStringLiteral("eff") + field->objectName().mid(3));
        // The chain ends on the second field, not the first, to show the wrap follows the chain.
        enterChain::link({fields[0], fields[1], fields[2]}, fields[1]);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));

        fields[0]->setFocus();
        QTRY_VERIFY(fields[0]->hasFocus());
        QCOMPARE(markers[0]->objectName(), QStringLiteral("eff0"));
        QVERIFY(markers[0]->isVisible() && !markers[1]->isVisible());
        QVERIFY(markers[0]->geometry().contains(fields[0]->geometry()));

        const int expected[] = {1, 2, 1, 2};
        for (int next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), fields[next]);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(markers[i]->isVisible(), i == next);
        }
        // Enter is the chain's: the field itself never sees it.
        QSignalSpy returned(fields[2], &QLineEdit::returnPressed);
        QTest::keyClick(fields[2], Qt::Key_Enter);
        QCOMPARE(returned.size(), 0);
    }

    void hintLine()
    {
        QWidget form;
        form.resize(400, 300);
        auto* panel = new QWidget(&form);
        panel->setGeometry(0, 0, 400, 240);
        auto* save = new PictureButton(QStringLiteral("cmdSalva"), QStringLiteral("salva"), panel);
        save->setHint(QStringLiteral("Salva la scheda corrente in archivio."));
        save->move(10, 10);
        auto* field = new QLineEdit(panel);
        field->setGeometry(100, 10, 150, 28);
        auto* shape = new QLabel(panel);
        shape->setGeometry(10, 100, 100, 50);
        auto* panInfo = new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), &form);
        panInfo->setObjectName(QStringLiteral("panInfo"));
        panInfo->setGeometry(0, 250, 400, 40);
        hintLine::install(panInfo, {save}, {&form, panel, shape});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Opened under a resting pointer: the resting text stays until the pointer moves.
        widgets::enterUnderPointer(&form, QPoint(300, 200));
        widgets::enterUnderPointer(&form, QPoint(15, 15));
        QCOMPARE(panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));

        QTest::mouseMove(save, QPoint(5, 5));
        QTRY_COMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente in archivio."));
        // An edit field has no hint of its own: the line keeps the button's.
        QTest::mouseMove(field, QPoint(5, 5));
        QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda corrente in archivio."));
        QTest::mouseMove(shape, QPoint(5, 5));
        QTRY_COMPARE(panInfo->text(), QString());
        QTest::mouseMove(save, QPoint(6, 6));
        QTRY_VERIFY(!panInfo->text().isEmpty());
        QTest::mouseMove(panel, QPoint(300, 200));
        QTRY_COMPARE(panInfo->text(), QString());
    }

    // The three exports look alike: a fixed light grey dialog, the panel, the white band with its
    // picture and the pointing hand beside the export button, the grid and the slate-blue line,
    // whose resting text stays when the screen opens under a resting pointer.
    void exportScreens_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("tournament") << QStringLiteral("torneo");
        QTest::newRow("teams") << QStringLiteral("squadre");
        QTest::newRow("players") << QStringLiteral("giocatori");
    }
    void exportScreens()
    {
        QFETCH(QString, screen);
        FakePlatform fake;
        TempProgramFolder folder;
        std::unique_ptr<QDialog> dialog;
        if (screen == QStringLiteral("torneo")) {
            auto* tournament = new TfrmExpTorneo;
            tournament->setTournament(folder.file(QStringLiteral("Coppa.vai")));
            dialog.reset(tournament);
        } else if (screen == QStringLiteral("squadre")) {
            dialog.reset(new TfrmExpSquadre);
        } else {
            dialog.reset(new TfrmExpGiocatori);
        }
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QCOMPARE(dialog->size(), QSize(862, 560));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        const QImage look = dialog->grab().toImage();
        QCOMPARE(look.pixelColor(4, 4), QColor(0xEE, 0xED, 0xED));

        QWidget* panel = widgets::find<QWidget>(dialog.get(), QStringLiteral("panContent"));
        QCOMPARE(panel->size(), QSize(837, 533));
        auto* grid = widgets::find<QTableView>(dialog.get(), QStringLiteral("grdRecords"));
        QCOMPARE(grid->size(), QSize(821, 409));
        QVERIFY(panel->rect().contains(grid->geometry()));
        QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 21);
        QVERIFY(grid->alternatingRowColors());

        QWidget* band = widgets::find<QWidget>(dialog.get(), QStringLiteral("panBanda"));
        QCOMPARE(band->grab().toImage().pixelColor(band->width() / 2 + 40, band->height() / 2), QColor(Qt::white));
        QVERIFY(band->geometry().bottom() < grid->geometry().top());
        auto* exportButton = widgets::find<PictureButton>(dialog.get(), QStringLiteral("cmdEsporta"));
        const QRect hand = widgets::find<Picture>(dialog.get(), QStringLiteral("imgMano"))->geometry();
        QVERIFY(band->geometry().contains(exportButton->geometry()));
        QVERIFY(hand.right() < exportButton->x() && exportButton->x() - hand.right() < 16);
        QVERIFY(widgets::find<Picture>(dialog.get(), QStringLiteral("imgEsporta"))->isVisible());

        auto* panInfo = widgets::find<QLabel>(dialog.get(), QStringLiteral("panInfo"));
        QVERIFY(panInfo->geometry().top() > grid->geometry().bottom());
        const QImage line = panInfo->grab().toImage();
        QCOMPARE(line.pixelColor(line.width() - 10, line.height() / 2), QColor(0x6A, 0x5A, 0xCD));
        widgets::enterUnderPointer(dialog.get(), dialog->rect().center());
        QCOMPARE(panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
        QTest::mouseMove(exportButton, QPoint(5, 5));
        QTRY_COMPARE(panInfo->text(), QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
        QTest::mouseMove(grid->viewport(), QPoint(200, 200));
        QTRY_COMPARE(panInfo->text(), QString());
    }

    void emailField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("url");
        QTest::newRow("blanks typed at both ends vanish") << " segreteria@club.example " << "segreteria@club.example"
                                                          << "mailto:segreteria@club.example";
        // Typed one key at a time, a blank is at the end when it arrives, so it goes too.
        QTest::newRow("blank typed inside also goes") << "a b@c.example" << "ab@c.example" << "mailto:ab@c.example";
        QTest::newRow("empty opens a message without recipient") << "" << "" << "mailto:";
    }
    void emailField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, url);
        FakePlatform fake;
        QWidget form;
        auto* field = new QLineEdit(&form);
        auto* send = new QPushButton(&form);
        emailField::attach(field, send);
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), shown);
        QTest::mouseClick(send, Qt::LeftButton);
        QCOMPARE(fake.opened.size(), 1);
        QCOMPARE(fake.opened.front().toString(QUrl::FullyEncoded), url);
    }

    void helpTopicsKeepTheirParagraphs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("launcher") << "avvio" << "Uno sguardo a Golvera";
        QTest::newRow("menu") << "menu" << "Gestione squadre e giocatori";
    }
    void helpTopicsKeepTheirParagraphs()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        const HelpTopic topic = help::topic(name);
        QCOMPARE(topic.title, title);
        const QStringList paragraphs = topic.text.split(QStringLiteral("\r\n\r\n"));
        QVERIFY(paragraphs.size() >= 3);
        for (const QString& paragraph : paragraphs) {
            QVERIFY(!paragraph.trimmed().isEmpty());
            QVERIFY(!paragraph.contains(QLatin1Char('\n')));
        }
        if (name == QStringLiteral("avvio"))
            QVERIFY(topic.text.contains(product::firstAccessPassword));
        // The menu's topic repeats the launcher's paragraphs on the archives word for word.
        if (name == QStringLiteral("menu")) {
            const QString launcher = help::topic(QStringLiteral("avvio")).text;
            for (const QString& paragraph : paragraphs)
                QVERIFY2(launcher.contains(paragraph), qPrintable(paragraph.left(60)));
        }
    }

    void helpDialogOpensTheGuideInAFolderWithBlanks()
    {
        FakePlatform fake;
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Programmi Calcio/Golvera 2"));
        QVERIFY(QDir().mkpath(folder));
        programFolder::set(folder);
        TfrmGuida guide;
        guide.setTopic(QStringLiteral("Titolo"), QStringLiteral("Testo"));
        QCOMPARE(guide.windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
        auto* text = guide.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->toPlainText(), QStringLiteral("Testo"));

        QTest::mouseClick(guide.findChild<LinkLabel*>(QStringLiteral("lnkWeb")), Qt::LeftButton);
        QTest::mouseClick(guide.findChild<PictureButton*>(QStringLiteral("imgPDF")), Qt::LeftButton);
        const QUrl expected = QUrl::fromLocalFile(folder + QStringLiteral("/Guida.pdf"));
        QCOMPARE(fake.opened, (QList<QUrl>{expected, expected}));
    }

    void linksTurnOrangeWhilePressed()
    {
        FakePlatform fake;
        TfrmInfo info;
        auto* link = info.findChild<LinkLabel*>(QStringLiteral("lnkEmail"));
        auto* icon = info.findChild<PictureButton*>(QStringLiteral("imgEmail"));
        const auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0x00, 0x00, 0x8B));
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(colour(), QColor(0xFF, 0xA5, 0x00));
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(colour(), QColor(0x00, 0x00, 0x8B));
        QTest::mousePress(icon, Qt::LeftButton);
        QCOMPARE(colour(), QColor(0xFF, 0xA5, 0x00));
        QTest::mouseRelease(icon, Qt::LeftButton);
        QCOMPARE(colour(), QColor(0x00, 0x00, 0x8B));
        // Both the link and its icon wrote to the maker.
        QCOMPARE(fake.opened.size(), 2);
        QCOMPARE(fake.opened.front(), TMisc::urlFor(product::writeToMakerCommand()));
    }

    void splashLinksToTheMakersPage()
    {
        FakePlatform fake;
        TfrmSplash splash;
        QCOMPARE(splash.windowTitle(), QStringLiteral(" Golvera - Studio Tre Punti"));
        QTest::mouseClick(splash.findChild<LinkLabel*>(QStringLiteral("lnkWeb")), Qt::LeftButton);
        QTest::mouseClick(splash.findChild<PictureButton*>(QStringLiteral("imgWeb")), Qt::LeftButton);
        QCOMPARE(fake.opened, (QList<QUrl>{QUrl(product::makerWebAddress), QUrl(product::makerWebAddress)}));
    }
};

QTEST_MAIN(TestCommonWidgets)
#include "tst_commonwidgets.moc"
