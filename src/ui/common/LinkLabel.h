#pragma once

#include <QLabel>

class QAbstractButton;

// A clickable text of the information and help dialogs: underlined Tahoma 14 in dark blue,
// orange while the mouse button is held on it or on its icon.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& objectName, const QString& text, QWidget* parent = nullptr);

    // The icon beside the link does the same as the link and colours it while pressed.
    void attachIcon(QAbstractButton* icon);

    // A link with its 40-pixel picture icon at `iconAt`, the two doing the same.
    static LinkLabel* withIcon(QWidget* parent, const QString& iconName, const QString& picture, QPoint iconAt,
                               const QString& objectName, const QString& text, const QRect& geometry);
    bool isPressed() const { return m_pressed; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setPressed(bool pressed);
    bool m_pressed = false;
};
