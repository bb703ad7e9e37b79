#include "matches/MatchDelegate.h"

#include "common/EnterChain.h"
#include "matches/MatchTableModel.h"
#include "platform/Platform.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace matches;

namespace {

QString count(int goals) { return QString::number(goals); }
QString count(const std::optional<int>& goals) { return goals ? QString::number(*goals) : QString(); }

MatchTableModel* tableModel(const QModelIndex& index)
{
    return qobject_cast<MatchTableModel*>(const_cast<QAbstractItemModel*>(index.model()));
}

}  // namespace

ResultEditor::ResultEditor(bool knockout, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("edtRisultato"));
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->setSpacing(2);
    const auto addPair = [&](const QString& home, const QString& away, const QString& caption) {
        if (!caption.isEmpty())
            layout->addWidget(new QLabel(caption, this));
        for (const QString& name : {home, away}) {
            auto* field = new QLineEdit(this);
            field->setObjectName(name);
            field->setMaxLength(3);
            field->setAlignment(Qt::AlignCenter);
            field->setFixedWidth(34);
            field->installEventFilter(this);
            layout->addWidget(field);
            m_fields.append(field);
            if (name == home)
                layout->addWidget(new QLabel(QStringLiteral("-"), this));
        }
    };
    addPair(QStringLiteral("txtGolCasa"), QStringLiteral("txtGolOspiti"), {});
    if (knockout) {
        addPair(QStringLiteral("txtSupplCasa"), QStringLiteral("txtSupplOspiti"), QStringLiteral("supp."));
        addPair(QStringLiteral("txtRigoriCasa"), QStringLiteral("txtRigoriOspiti"), QStringLiteral("rig."));
    }
    layout->addStretch(1);
    setFocusProxy(m_fields.first());
}

void ResultEditor::setResult(const TypedResult& typed)
{
    const QStringList texts = {typed.home, typed.away, typed.homeExtra, typed.awayExtra, typed.homePenalties, typed.awayPenalties};
    for (int i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(texts.at(i));
}

TypedResult ResultEditor::result() const
{
    QStringList texts;
    for (QLineEdit* field : m_fields)
        texts.append(field->text());
    while (texts.size() < 6)
        texts.append(QString());
    return {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]};
}

bool ResultEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int at = m_fields.indexOf(static_cast<QLineEdit*>(watched));
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab goes along the counts of this one cell, and round to the first.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        const int step = key->key() == Qt::Key_Tab ? 1 : -1;
        QLineEdit* next = m_fields.at((at + step + m_fields.size()) % m_fields.size());
        next->setFocus(Qt::TabFocusReason);
        next->selectAll();
        return true;
    }
    if (enterChain::isEnter(key->key())) {
        Q_EMIT confirmed();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        Q_EMIT cancelled();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* MatchDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    MatchTableModel* model = tableModel(index);
    const Match& match = model->matchAt(index.row());
    switch (index.column()) {
    case MatchTableModel::Result: {
        auto* editor = new ResultEditor(match.isKnockout(), parent);
        // The view gets the keyboard back: it would not see that a box inside the editor had it.
        const auto close = [this, editor](QAbstractItemDelegate::EndEditHint hint) {
            if (auto* view = qobject_cast<QAbstractItemView*>(editor->parentWidget()->parentWidget()))
                view->setFocus(Qt::OtherFocusReason);
            Q_EMIT const_cast<MatchDelegate*>(this)->closeEditor(editor, hint);
        };
        connect(editor, &ResultEditor::confirmed, this, [this, editor, close, index = QPersistentModelIndex(index)] {
            if (commit(editor, index))
                close(QAbstractItemDelegate::NoHint);
        });
        connect(editor, &ResultEditor::cancelled, this, [close] { close(QAbstractItemDelegate::RevertModelCache); });
        return editor;
    }
    case MatchTableModel::Status: {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("cboStatoGara"));
        for (const MatchTableModel::StatusChoice& choice : MatchTableModel::statusChoices())
            box->addItem(MatchTableModel::choiceText(choice));
        return box;
    }
    case MatchTableModel::Home:
    case MatchTableModel::Away: {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("cboSquadraGara"));
        box->addItem(match.isKnockout() ? QStringLiteral("da definire") : QStringLiteral("riposa"), 0);
        const QStringList& names = model->names();
        for (int i = 0; i < names.size(); ++i)
            box->addItem(names.at(i).isEmpty() ? QStringLiteral("squadra n. %1").arg(i + 1) : names.at(i), i + 1);
        return box;
    }
    default: {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setObjectName(QStringLiteral("txtCella"));
        return editor;
    }
    }
}

void MatchDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const Match& match = tableModel(index)->matchAt(index.row());
    if (auto* result = qobject_cast<ResultEditor*>(editor)) {
        if (match.status == Status::Giocata)
            result->setResult({count(match.homeGoals), count(match.awayGoals), count(match.homeExtra),
                               count(match.awayExtra), count(match.homePenalties), count(match.awayPenalties)});
        return;
    }
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (index.column() == MatchTableModel::Status) {
            const auto& choices = MatchTableModel::statusChoices();
            for (int i = 0; i < choices.size(); ++i) {
                if (choices[i].status == match.status
                    && (match.status != Status::Tavolino || choices[i].atFault == match.atFault))
                    box->setCurrentIndex(i);
            }
        } else {
            box->setCurrentIndex(std::max(0, box->findData(index.column() == MatchTableModel::Home ? match.home : match.away)));
        }
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void MatchDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    commit(editor, index);
}

bool MatchDelegate::commit(QWidget* editor, const QModelIndex& index) const
{
    MatchTableModel* model = tableModel(index);
    if (!index.isValid() || !model)
        return true;
    const int row = index.row();
    QString refused;
    if (auto* result = qobject_cast<ResultEditor*>(editor)) {
        refused = model->setResult(row, result->result());
    } else if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (index.column() == MatchTableModel::Status)
            refused = model->setStatus(row, MatchTableModel::statusChoices().at(std::max(0, box->currentIndex())));
        else
            model->setTeam(row, index.column() == MatchTableModel::Home ? Side::Home : Side::Away, box->currentData().toInt());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        switch (index.column()) {
        case MatchTableModel::Date:
            refused = model->setDate(row, line->text());
            break;
        case MatchTableModel::Time:
            refused = model->setTime(row, line->text());
            break;
        default:
            model->setFieldName(row, line->text());
            break;
        }
    }
    if (refused.isEmpty())
        return true;
    platform::warningBox(refused, editor->window());
    return false;
}

void MatchDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const
{
    QRect area = option.rect;
    // The knockout's six counts need more room than the cell.
    area.setWidth(std::max(area.width(), editor->sizeHint().width()));
    editor->setGeometry(area);
}
