#pragma once

#include <QDialog>

// About the program and its maker, with a link for writing to the maker.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* owner = nullptr);
};
