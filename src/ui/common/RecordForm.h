#pragma once

#include "storage/RecordValues.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

// An editor's fields as a table: each row makes one control on the panel (or one hidden value),
// tied to a field of the record format. The form fills its controls from a record, makes the
// record they show, clears them, gives each text control the field's capacity as its maximum
// length and links the Enter key and the focus highlight. What a screen does beyond its table is
// its own behaviour.
class RecordForm : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        Line,       // one-line edit field
        MultiLine,  // multi-line box; line breaks stored as CR LF
        CheckBox,   // yes/no mark: "Sì" checks it, "No" clears it, anything else leaves it
        Hidden,     // a value kept with the record but never shown (attachment names)
        ReadOnly,   // one-line field the user cannot type into (filled by a picker)
    };

    enum class TextRule {
        AsTyped,
        Trim,      // blanks around the text removed when the field is left
        Capitals,  // trimmed, letters a to z upper-cased, as they are typed
        Digits,    // only the digits 0 to 9 can be typed
    };

    struct Row {
        QString name;           // the control's object name
        QString caption;        // the label beside or above it, or the check box's text
        QString field;          // the record field it holds
        Kind kind = Kind::Line;
        QRect geometry;         // of the control on the panel
        QRect captionGeometry;  // empty: no separate caption
        QString enterTo;        // object name Enter moves to; empty: Enter is the control's own
        TextRule rule = TextRule::AsTyped;
        QString initial;        // the text a cleared field gets
    };

    struct Look {
        QFont fieldFont;
        QFont captionFont;
        QString captionStyleSheet;
        Qt::Alignment captionAlignment = Qt::AlignRight | Qt::AlignVCenter;
    };

    RecordForm(QWidget* panel, RecordFormat format, const QList<Row>& rows, const Look& look);

    const RecordFormat& format() const { return m_format; }

    void fill(const RecordValues& values);
    void fillBytes(QByteArrayView record) { fill(m_format.decode(record)); }
    RecordValues values() const;
    QByteArray record() const { return m_format.encode(values()); }
    void clear();
    // Fields that show but take no typing (a withdrawn record), or editable again.
    void setReadOnly(bool readOnly);

    // The control made for the row of that object name (null for hidden rows and unknown names).
    QWidget* control(const QString& name) const { return m_controls.value(name); }
    template <typename T>
    T* control(const QString& name) const { return qobject_cast<T*>(control(name)); }

    // The caption label of the row of that object name (null when it has none).
    class QLabel* caption(const QString& name) const { return m_captions.value(name); }

    // The first control of the table, where a new record starts.
    QWidget* firstControl() const;

    // Hidden values, by record field.
    QString hidden(const QString& field) const { return m_hidden.value(field); }
    void setHidden(const QString& field, const QString& value);

private:
    QWidget* makeControl(QWidget* panel, const Row& row, const Look& look);
    void applyRule(class QLineEdit* edit, TextRule rule);

    RecordFormat m_format;
    QList<Row> m_rows;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, class QLabel*> m_captions;
    QHash<QString, QString> m_hidden;
};
