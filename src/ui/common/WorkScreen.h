#pragma once

#include <QWidget>

#include "common/Navigator.h"
#include "common/Style.h"

// A long-lived, maximised screen whose content is a fixed-size panel centred on its gradient
// background; the panel scrolls where the window is smaller than it. Closing it (its exit button or the window's close button) goes where `leave()`
// says; by default back to the launcher.
class WorkScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize panelSize{995, 692};

    WorkScreen(Navigator& navigator, const QString& objectName, const QString& caption,
               QSize contentSize = panelSize, const style::Background& background = style::programBackground);

    // The fixed panel the screen's controls live on (object name "panContent").
    QWidget* content() const { return m_content; }

protected:
    Navigator& navigator() const { return m_navigator; }
    virtual void leave();

    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Navigator& m_navigator;
    QWidget* m_content;
    style::Background m_background;
};
