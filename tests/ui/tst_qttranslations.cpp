// Qt's own texts (the buttons of message boxes, the print and file dialogs) come out in Italian
// once the program has loaded Qt's translations.
#include "app/Formats.h"
#include "app/QtTranslations.h"
#include "platform/FileDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestQtTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(qtTranslations::install(), "Qt's Italian translations (qtbase_it) are not installed");
        formats::install();
        // Qt's file dialog keeps its history in the user's settings: the test's stay apart.
        QStandardPaths::setTestModeEnabled(true);
    }

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

    // The file chooser as the program shows it, in its detail view, on a system whose own language
    // is not Italian (the tests run under LANG=C): not one English word, the dates included.
    void fileDialogIsItalian()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(u"Squadre"_s));
        QFile photo(folder.filePath(u"foto.jpg"_s));
        QVERIFY(photo.open(QIODevice::WriteOnly));
        photo.write("\xFF\xD8\xFF\xE0");
        photo.close();
        const QDateTime modified(QDate(2026, 12, 11), QTime(10, 30));
        QVERIFY(photo.open(QIODevice::ReadOnly));
        QVERIFY(photo.setFileTime(modified, QFileDevice::FileModificationTime));
        photo.close();

        const std::unique_ptr<QFileDialog> dialog(fileDialog::create(
            {u"Selezionare un file di immagine in formato Jpeg o Bitmap."_s, folder.path(), {},
             {u"Immagine JPEG o Bitmap (*.jpg *.jpeg *.bmp)"_s, u"Tutti i file (*)"_s}},
            QFileDialog::AcceptOpen, nullptr));
        dialog->setViewMode(QFileDialog::Detail);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        auto* view = dialog->findChild<QTreeView*>(u"treeView"_s);
        QVERIFY(view);
        const QAbstractItemModel* model = view->model();
        QTRY_COMPARE(model->rowCount(view->rootIndex()), 2);

        QStringList texts{dialog->windowTitle()};
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            texts << label->text();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            texts << button->text() << button->toolTip();
        for (const QComboBox* box : dialog->findChildren<QComboBox*>()) {
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        }
        QHash<QString, QStringList> rows;
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
            texts << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                const QModelIndex index = model->index(row, column, view->rootIndex());
                texts << index.data().toString();
                rows[model->index(row, 0, view->rootIndex()).data().toString()] << index.data().toString();
            }
        }
        static const QStringList english = {
            u"Look"_s, u"Files"_s, u"type"_s, u"Open"_s, u"Cancel"_s, u"Back"_s, u"Forward"_s, u"Parent"_s,
            u"Directory"_s, u"Create"_s, u"New"_s, u"Folder"_s, u"List"_s, u"View"_s, u"Detail"_s, u"Name"_s,
            u"Size"_s, u"Type"_s, u"Date"_s, u"Modified"_s, u"Kind"_s, u"image"_s, u"bytes"_s, u"Drive"_s,
            u"Jan"_s, u"Feb"_s, u"Apr"_s, u"May"_s, u"Jun"_s, u"Jul"_s, u"Aug"_s, u"Sep"_s, u"Oct"_s,
            u"Nov"_s, u"Dec"_s, u"AM"_s, u"PM"_s};
        static const QRegularExpression words(u"\\W+"_s, QRegularExpression::UseUnicodePropertiesOption);
        for (const QString& text : std::as_const(texts)) {
            for (const QString& word : text.split(words, Qt::SkipEmptyParts))
                QVERIFY2(!english.contains(word), qPrintable(u"\"%1\" in \"%2\""_s.arg(word, text)));
        }
        QCOMPARE(rows.value(u"Squadre"_s).value(2), u"Cartella"_s);
        QCOMPARE(rows.value(u"foto.jpg"_s).value(3), QLocale(QLocale::Italian).toString(modified, QLocale::ShortFormat));
    }
};

QTEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
