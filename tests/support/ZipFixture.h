#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// Small zip files made by the tests (workbooks written by hand, to read them back).
namespace zipFixture {

using Entry = std::pair<QString, QByteArray>;

// The zip of `entries` in that order; empty on failure.
QByteArray make(const QList<Entry>& entries);

}  // namespace zipFixture
