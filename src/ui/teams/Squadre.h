#pragma once

#include <memory>

#include "common/WorkScreen.h"

#include <QString>

class PictureButton;
class QLabel;
class RecordEditor;
class RecordForm;
class FormAttachments;

// The team archive editor: one club per record of the team archive, of which it is the only
// writer. The search, the selected-teams list and the sheet print open from its toolbar.
class TfrmSquadre : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmSquadre(Navigator& navigator);
    ~TfrmSquadre() override;

    // Shows the team at `position` of the archive, as the search and the selected-teams list hand
    // it over; saving then updates it there.
    bool showRecord(qint64 position);

    // The attachment names and descriptions of the record on screen ("File01" … "Desc03"); they
    // are stored with the record at the next save.
    QString attachment(const QString& field) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildDecoration(QWidget* panel);
    void buildToolbar(QWidget* panel);
    void buildFields(QWidget* panel);
    bool checkBeforeSave();
    void resetForDuplicate();
    void cmdTrovaClick();
    void cmdSelezionateClick();
    void cmdStampaClick();
    void cmdImportaClick();

    QLabel* m_lblPosizione = nullptr;
    QLabel* m_panInfo = nullptr;
    QList<PictureButton*> m_buttons;
    QList<QWidget*> m_background;
    RecordForm* m_form = nullptr;
    std::unique_ptr<FormAttachments> m_attachments;
    RecordEditor* m_editor = nullptr;
};
