#pragma once

#include "common/WorkScreen.h"
#include "players/ExpiryList.h"

#include <QString>

#include <memory>

class FormAttachments;
class PlayerPhoto;
class PictureButton;
class PlayerSheetDialog;
class QLabel;
class QLineEdit;
class RecordEditor;
class RecordForm;

// The player archive editor: one player record at a time with the player's photo, which is kept
// beside the archive in a file named after the record's position.
class TfrmGiocatori : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmGiocatori(Navigator& navigator);
    ~TfrmGiocatori() override;

    // Shows the record at `position` with its photo, as the lists and the search hand it over.
    bool showRecord(qint64 position);

    // Opens the list of expired cards or certificates, listing also those that expire within
    // `horizonDays`; the player chosen there comes up here.
    void openExpiryList(expiryList::Kind kind, int horizonDays);

    // Writes a date text picked in the calendar into `txtInizioTes` or `txtFineTes`.
    void setExpiry(const QString& control, const QString& date);

    // The picture in the photo box, at its own size. One put in here is a change of the record.
    QImage photo() const;
    void setPhoto(const QImage& picture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildToolbar(QWidget* panel);
    void buildPhoto(QWidget* panel);
    void clearScreen();
    bool checkBeforeSave();
    bool storePhoto(qint64 position);
    bool dateKeyDown(QLineEdit* field, QKeyEvent* key);
    void openCalendar(QLineEdit* field, const QKeyEvent* key = nullptr);
    void btnCodFiscClick();
    void btnCaricaFotoClick();
    void btnWebcamClick();
    void btnZoomFotoClick();
    void prepareSheet(PlayerSheetDialog& dialog) const;

    QLabel* m_lblPosizione = nullptr;
    QLabel* m_panInfo = nullptr;
    QList<PictureButton*> m_buttons;
    QList<QLineEdit*> m_counts;
    QList<QLineEdit*> m_dates;
    std::unique_ptr<PlayerPhoto> m_photoState;
    RecordForm* m_form = nullptr;
    std::unique_ptr<FormAttachments> m_attachments;
    RecordEditor* m_editor = nullptr;
};
