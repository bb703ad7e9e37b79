#pragma once

#include "output/ReportLayout.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QScrollArea;

// The report engine's preview: the prepared pages one under the other, with print, zoom, full
// screen and close only (nothing in the document can be changed here).
class TfrmAnteprima : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprima(QWidget* owner = nullptr);

    void setDocument(report::PreparedReport prepared);
    const report::PreparedReport& document() const { return m_prepared; }
    double zoom() const;

private:
    void print();
    void toggleFullScreen();

    report::PreparedReport m_prepared;
    QWidget* m_pages;
    QScrollArea* m_scroll;
    QComboBox* m_zoom;
    QPushButton* m_fullScreen;
};
