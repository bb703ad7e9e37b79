#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QApplication;
class QLabel;
class QPainter;
class QRectF;
class QTableView;
class QWidget;

// The program's look in one place: colours, the window gradient, the panel and the fonts the
// screens name (fontconfig substitutes metric twins where the named family is missing).
namespace style {

inline const QColor navy{0x1B, 0x2F, 0x5B};
inline const QColor pitchGreen{0x2E, 0x8B, 0x57};
inline const QColor darkBlueLink{0xFF00008B};  // ARGB
inline const QColor pressedLink{0xFFFFA500};
inline const QColor crimson{0xDC, 0x14, 0x3C};

inline const QString panelStyleSheet = QStringLiteral(
    "#panContent { background-color: #F4F8FB; border: 1px solid #9FB3C8; border-radius: 14px; }");

// A window background: a vertical gradient from `top` to `bottom`.
struct Background {
    QColor top;
    QColor bottom;
};
inline const Background programBackground{QColor(0x24, 0x3B, 0x6E), QColor(0x2E, 0x7D, 0x5B)};

void paintBackground(QPainter& painter, const QRect& area, const Background& background = programBackground);

// Where the keyboard focus is, on any button: a dark ring with a white ring inside it, so that one
// of the two stands out (well beyond 3:1) on light and on dark pictures alike. Drawn inside `area`.
void paintFocusRing(QPainter& painter, const QRectF& area);
// Gives the standard push buttons of the whole application the same ring.
void installFocusRing(QApplication& application);

// A plain label of the program's look: text, font and text colour.
QLabel* label(QWidget* parent, const QString& objectName, const QString& text, const QFont& font, const QColor& colour);

// The one look of the grids that show records cell by cell (the export's, the import's): Arial,
// alternate rows tinted, no row numbers, rows `rowHeight` high, nothing edited in place.
void recordGrid(QTableView* grid, int rowHeight);

QFont font(const QString& family, int pointSize, bool bold = false);
inline QFont verdana(int size, bool bold = false) { return font(QStringLiteral("Verdana"), size, bold); }
inline QFont arial(int size, bool bold = false) { return font(QStringLiteral("Arial"), size, bold); }
inline QFont tahoma(int size, bool bold = false) { return font(QStringLiteral("Tahoma"), size, bold); }
inline QFont courierNew(int size, bool bold = false)
{
    QFont f = font(QStringLiteral("Courier New"), size, bold);
    f.setStyleHint(QFont::Monospace);
    return f;
}

}  // namespace style
