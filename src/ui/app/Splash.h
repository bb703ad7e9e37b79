#pragma once

#include <QDialog>

// The product picture and the way to the maker's web page.
class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* owner = nullptr);
};
