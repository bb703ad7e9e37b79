#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "platform/PopulatedMemory.h"

#include <memory>
#include <vector>

class RowSource;

// Rows on standard output as UTF-8, straight from their stored Windows-1252 bytes: one table
// gives each byte's UTF-8, and the control characters a record may hold (the bytes below 32, DEL
// and the five bytes the code page leaves undefined) come out as blanks, since they would act on
// the terminal instead of being read. Everything goes through one large buffer, written whole.
class RowOutput {
public:
    RowOutput();
    ~RowOutput();
    RowOutput(const RowOutput&) = delete;
    RowOutput& operator=(const RowOutput&) = delete;

    // The rows of `rows` in the order given (all of them in list order when none is), each on a line.
    void addAll(const RowSource& rows, const std::vector<qsizetype>& order = {});
    // One line of stored text, then a line feed.
    void addLine(QByteArrayView stored);

    // Writes what is left; true when everything written reached standard output (a full disk or
    // a closed pipe does not let it).
    bool finish();

private:
    void add(const RowSource& rows, qsizetype row);
    void reserve(qsizetype bytes);
    void write();

    std::vector<char, populatedMemory::Allocator<char>> m_buffer;
    qsizetype m_capacity;
    char* m_end;         // of what is waiting to be written
    QByteArray m_row;    // one row's stored bytes, reused
    bool m_failed = false;
};
