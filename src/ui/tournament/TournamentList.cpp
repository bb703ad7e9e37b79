#include "tournament/TournamentList.h"

#include "common/Style.h"
#include "platform/Platform.h"
#include "tournament/Catalogue.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TournamentList::TournamentList(QWidget* parent)
    : QWidget(parent)
    , m_files(new QListWidget(this))
    , m_count(new QLabel(catalogue::countLine(0), this))
{
    m_files->setObjectName(QStringLiteral("lstFiles"));
    m_files->setFont(style::courierNew(14));
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files->setStyleSheet(QStringLiteral(
        "QListWidget { background-color: white; color: black; border: 1px solid %1; border-radius: 6px; outline: 0; }"
        "QListWidget::item { padding: 3px 6px; border: 1px solid transparent; }"
        "QListWidget::item:selected { background-color: %1; color: white; }"
        // The row the keyboard is on is only outlined: it must not look chosen.
        "QListWidget::item:focus:!selected { background-color: white; border: 1px dotted %1; }").arg(style::navy.name()));
    connect(m_files, &QListWidget::itemDoubleClicked, this, &TournamentList::activated);
    m_files->installEventFilter(this);

    m_count->setObjectName(QStringLiteral("lblCreati"));
    m_count->setFont(style::verdana(12, true));
    m_count->setStyleSheet(QStringLiteral("color: %1;").arg(style::pitchGreen.name()));
    m_count->setFixedHeight(28);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_files);
    layout->addWidget(m_count);
}

void TournamentList::fill()
{
    m_files->clear();
    const QFont font = style::courierNew(14);
    for (const QString& name : catalogue::tournamentFiles()) {
        auto* item = new QListWidgetItem(name, m_files);
        item->setFont(font);
    }
    m_count->setText(catalogue::countLine(m_files->count()));
}

bool TournamentList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_files || event->type() != QEvent::KeyPress || m_files->count() == 0)
        return QWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        // The row the keyboard stands on is not chosen until it is selected; the first arrow
        // selects it, where the list would move on from it (or, with one row, do nothing).
        if (m_files->selectedItems().isEmpty()) {
            m_files->setCurrentRow(std::max(0, m_files->currentRow()), QItemSelectionModel::ClearAndSelect);
            return true;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_files->selectedItems().isEmpty()) {
            Q_EMIT activated();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QString TournamentList::selectedFile() const
{
    const QList<QListWidgetItem*> selected = m_files->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

QString TournamentList::chosenFile(const QString& noSelectionMessage)
{
    if (m_files->count() == 0) {
        platform::warningBox(catalogue::emptyListMessage, this);
        return {};
    }
    const QString file = selectedFile();
    if (file.isEmpty())
        platform::warningBox(noSelectionMessage, this);
    return file;
}
