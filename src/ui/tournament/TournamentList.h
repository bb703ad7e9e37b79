#pragma once

#include <QWidget>

class QLabel;
class QListWidget;

// The tournaments of the program folder as both tournament screens list them (opening a
// tournament, choosing its standings): the files in the catalogue's order in one look, the
// count line under them, and the catalogue's warnings when the list is empty or nothing is
// selected. The list is `lstFiles`, the count line `lblCreati`. Up and Down select a tournament
// even when none is selected yet, and Enter on the selected one opens it as a double-click does.
class TournamentList : public QWidget {
    Q_OBJECT
public:
    explicit TournamentList(QWidget* parent);

    // Reads the program folder again; nothing is selected afterwards.
    void fill();

    // The selected file name as listed; empty when nothing is selected.
    QString selectedFile() const;

    // The selected file name; when the list is empty or nothing is selected, shows the warning
    // (`noSelectionMessage` for the latter) and gives an empty name.
    QString chosenFile(const QString& noSelectionMessage);

Q_SIGNALS:
    // A tournament was double-clicked, or Enter was pressed on the selected one.
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_files;
    QLabel* m_count;
};
