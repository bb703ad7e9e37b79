#pragma once

#include "output/RecordListScreen.h"
#include "storage/TeamRecord.h"

#include <functional>

// The lists of teams filled when they open (the selected teams, the import into a tournament
// entry): the team archive's rows that `accept` lets through, sorted, on the usual list controls.
// A failure while reading keeps the rows read before it and says nothing.
class TeamList : public RecordListScreen {
    Q_OBJECT
public:
    // The team archive in the program folder.
    static QString archivePath();

protected:
    TeamList(QWidget* owner, const Setup& setup, const std::function<bool(QByteArrayView record)>& accept,
             const QString& printTitle);

    void showEvent(QShowEvent* event) override;
};
