#pragma once

// The player editor on its own temporary program folder, with a stand-in launcher to return to,
// for the tests of the editor and of the dialogs it opens.

#include "app/ProgramFolder.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "players/Giocatori.h"
#include "players/PhotoStore.h"
#include "players/PictureBox.h"
#include "storage/PlayerRecord.h"
#include "EditorFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

struct PlayerEditor : EditorFixture<TfrmGiocatori, PlayerRecord> {
    PlayerEditor()
        : EditorFixture(Screen::PlayerArchive, programFolder::playerArchiveName)
    {
    }

    QLabel* position() const { return find<QLabel>(QStringLiteral("lblPosizione")); }
    QImage photo() const { return find<PictureBox>(QStringLiteral("imgFoto"))->picture(); }

    // Fills the six fields a save needs.
    void fillMandatory(const QString& name = QStringLiteral("Rossi Mario")) const
    {
        field(QStringLiteral("txtGiocatore"))->setText(name);
        field(QStringLiteral("txtSesso"))->setText(QStringLiteral("M"));
        field(QStringLiteral("txtSquadra"))->setText(QStringLiteral("Aquile"));
        field(QStringLiteral("txtTessera"))->setText(QStringLiteral("T-1"));
        field(QStringLiteral("txtInizioTes"))->setText(QStringLiteral("30/06/2027"));
        field(QStringLiteral("txtFineTes"))->setText(QStringLiteral("31/01/2027"));
    }
};

inline PlayerRecord player(const QString& name, const QString& file01 = {}, const QString& desc01 = {})
{
    PlayerRecord record;
    record.Giocatore = name;
    record.Sesso = QStringLiteral("F");
    record.Squadra = QStringLiteral("Aquile");
    record.Tessera = QStringLiteral("T-") + name;
    record.ScadTessera = QStringLiteral("01/02/2027");
    record.ScadCertificato = QStringLiteral("03/04/2027");
    record.Presenze = record.Reti = record.Ammonizioni = record.Espulsioni = QStringLiteral("0");
    record.File01 = file01;
    record.Desc01 = desc01;
    return record;
}

// A plain picture of one colour, so a test can tell pictures apart by size and colour.
inline QImage plainPicture(QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// The placeholder the editor shows where there is no photo.
inline QImage placeholder() { return PictureBox::drawn(QStringLiteral("foto_vuota"), {307, 394}); }
