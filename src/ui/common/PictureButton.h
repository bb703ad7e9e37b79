#pragma once

#include <QAbstractButton>
#include <QSvgRenderer>

// A clickable picture: the program's buttons are drawn pictures whose caption is part of the
// picture. Shows the hand cursor; a disabled one is drawn faded and grey. The hint is what the
// screen's hint line shows while the mouse is over it, and the name a screen reader says.
// Tab reaches it (a click does not take the focus from the field being edited); Space or Enter
// presses it; a two-tone ring shows where the focus is.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    // `picture` is a resource name without folder and extension ("help" for :/icons/help.svg).
    PictureButton(const QString& objectName, const QString& picture, QWidget* parent = nullptr);

    QString hint() const { return m_hint; }
    void setHint(const QString& hint);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QSvgRenderer& m_renderer;  // shared by every button showing the same picture
    QString m_hint;
    bool m_hovered = false;
};

// A non-clickable picture (titles, decorations).
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString& objectName, const QString& picture, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer& m_renderer;
};

QString picturePath(const QString& picture);

// The picture parsed once for the whole run and shared by every widget that draws it.
QSvgRenderer& sharedPicture(const QString& picture);
