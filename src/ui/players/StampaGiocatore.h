#pragma once

#include "output/SheetDialog.h"

#include <QHash>
#include <QImage>
#include <QString>

// The player sheet of what the editor shows, saved or not: its field texts and the picture in its
// photo box. A failure is reported with a warning that advises a smaller photo.
class PlayerSheetDialog : public SheetDialog {
    Q_OBJECT
public:
    // The editor's field texts by control name ("txtGiocatore" …).
    void setTexts(const QHash<QString, QString>& texts) { m_texts = texts; }

    // The photo box's picture; without one the sheet shows the stand-in picture `imgTemp`.
    void setPhoto(const QImage& photo);
    const QImage& photo() const { return m_photo; }

    // The stand-in for a photo that cannot be had.
    static QImage standIn();

protected:
    PlayerSheetDialog(QWidget* owner, const QString& objectName, const QString& caption, Output output,
                      const QString& failureMessage);

private:
    QHash<QString, QString> m_texts;
    QImage m_photo;
};

class TfrmAnteprimaGiocatore : public PlayerSheetDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprimaGiocatore(QWidget* owner = nullptr);
    static const QString failureMessage;
};

class TfrmStampaGiocatore : public PlayerSheetDialog {
    Q_OBJECT
public:
    explicit TfrmStampaGiocatore(QWidget* owner = nullptr);
    static const QString failureMessage;
};
