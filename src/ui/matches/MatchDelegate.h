#pragma once

#include "matches/MatchEditing.h"

#include <QStyledItemDelegate>
#include <QWidget>

class QLineEdit;

// The result typed in its cell: home goals, Tab, away goals, Enter. A knockout match offers the
// goals of extra time and the shoot-out after them, in the same way.
class ResultEditor : public QWidget {
    Q_OBJECT
public:
    ResultEditor(bool knockout, QWidget* parent);

    void setResult(const matches::TypedResult& typed);
    matches::TypedResult result() const;
    QList<QLineEdit*> fields() const { return m_fields; }

Q_SIGNALS:
    void confirmed();
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> m_fields;
};

// How the calendar's cells are edited: the result as above, the status and the teams chosen from
// a list, the date, time and field typed. A change the model refuses shows its message and the
// cell stays open.
class MatchDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // Takes the editor's value; false (its message shown) when the model refuses it.
    bool commit(QWidget* editor, const QModelIndex& index) const;
};
