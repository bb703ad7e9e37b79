#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QTableView>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>

#include <type_traits>

// Finding the widgets of a screen by their object names. A missing one fails the running test
// case, not the whole suite: the case is told why, and gets a stand-in of the right type so the
// lines after it run without a crash (their checks then fail too, or pass harmlessly).
namespace widgets {

template <typename T>
T* standIn(const QString& name)
{
    T* widget = nullptr;
    if constexpr (std::is_base_of_v<T, QPushButton>)
        widget = new QPushButton;
    else if constexpr (std::is_default_constructible_v<T>)
        widget = new T;
    else
        widget = new T(name, QString());  // the program's picture widgets: object name, picture
    widget->setObjectName(name);
    return widget;  // left to the end of the run: a failing case is rare and its stand-in small
}

template <typename T = QWidget>
T* find(const QObject* root, const QString& name)
{
    if (T* found = root->findChild<T*>(name))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no %1 named %2").arg(QLatin1String(T::staticMetaObject.className()), name)),
                 __FILE__, __LINE__);
    return standIn<T>(name);
}

// What the window system sends when a window opens under a pointer that does not move: an enter
// event to the widget under `at` (in the window's coordinates) and to each of its parents.
inline void enterUnderPointer(QWidget* window, QPoint at)
{
    QWidget* under = window->childAt(at);
    for (QWidget* widget = under ? under : window; widget; widget = widget->parentWidget()) {
        const QPoint local = widget->mapFrom(window, at);
        QEnterEvent event(local, local, window->mapToGlobal(at));
        QCoreApplication::sendEvent(widget, &event);
        if (widget == window)
            break;
    }
}

// The object names of `root`'s descendants of type T, sorted: screens are checked by the names of
// their buttons, so a button added or renamed shows by name.
template <typename T>
QStringList names(const QObject* root)
{
    QStringList result;
    for (const T* child : root->findChildren<T*>())
        result.append(child->objectName());
    result.sort();
    return result;
}

// Double-clicks row `row` of the list screen's list `lstRecords`, as a user opens a record.
inline void doubleClickRow(const QObject* root, int row)
{
    auto* list = find<QTableView>(root, QStringLiteral("lstRecords"));
    const QModelIndex index = list->model()->index(row, 0);
    QVERIFY(index.isValid());
    const QPoint centre = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

}  // namespace widgets
