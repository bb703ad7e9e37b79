#pragma once

// A record editor on its own temporary program folder, with a stand-in launcher to return to: the
// common part of the tests of the three editors and of the dialogs they open.

#include "app/ProgramFolder.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "ArchiveFiles.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

template <typename ScreenType, typename Record>
struct EditorFixture {
    FakePlatform fake;
    TempProgramFolder folder;
    const bool folderSet = (programFolder::set(folder.path()), true);
    Navigator navigator;
    QWidget launcher;
    ScreenType screen{navigator};
    const Screen id;
    QString path;

    EditorFixture(Screen screenId, const QString& archiveName)
        : id(screenId)
        , path(folder.file(archiveName))
    {
        navigator.add(Screen::Launcher, &launcher);
        navigator.add(id, &screen);
    }

    // Shows the editor the way the program does, as the active window.
    bool open()
    {
        navigator.go(id, nullptr);
        QApplication::setActiveWindow(&screen);
        return QTest::qWaitForWindowActive(&screen);
    }

    template <typename T = QLineEdit>
    T* find(const QString& name) const
    {
        return widgets::find<T>(&screen, name);
    }
    QLineEdit* field(const QString& name) const { return find<QLineEdit>(name); }
    void click(const QString& button) const { QTest::mouseClick(find<PictureButton>(button), Qt::LeftButton); }

    void write(const QList<Record>& records) const { QVERIFY(archiveFiles::writeRecords(path, records)); }
    QList<Record> records() const { return archiveFiles::readRecords<Record>(path); }

    QList<platform::MessageKind> kinds() const
    {
        QList<platform::MessageKind> result;
        for (const ShownMessage& m : fake.messages)
            result << m.kind;
        return result;
    }
};
