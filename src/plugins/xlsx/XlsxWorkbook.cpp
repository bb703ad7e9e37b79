#include "XlsxWorkbook.h"

#include <QFile>
#include <QList>

#include <xlsxwriter.h>

namespace {

class XlsxWriter final : public WorkbookWriter {
public:
    XlsxWriter(lxw_workbook* book, lxw_worksheet* page, QByteArray scratch)
        : m_scratch(std::move(scratch))
        , m_book(book)
        , m_page(page)
    {
        m_bold = workbook_add_format(book);
        format_set_bold(m_bold);
        m_date = workbook_add_format(book);
        format_set_num_format(m_date, "dd/mm/yyyy");
        for (int places = 0; places <= 6; ++places) {  // "0", "0.0", "0.00" …
            lxw_format* number = workbook_add_format(book);
            const QByteArray code = places == 0 ? QByteArray("0") : "0." + QByteArray(places, '0');
            format_set_num_format(number, code.constData());
            m_decimals.append(number);
        }
    }
    ~XlsxWriter() override
    {
        if (m_book)
            workbook_close(m_book);
    }

    void setColumnWidth(int column, double characters) override
    {
        worksheet_set_column(m_page, lxw_col_t(column), lxw_col_t(column), characters, nullptr);
    }
    void freezeHeader() override { worksheet_freeze_panes(m_page, 1, 0); }
    bool text(int row, int column, const QString& text, bool bold) override
    {
        return check(worksheet_write_string(m_page, lxw_row_t(row), lxw_col_t(column), text.toUtf8().constData(),
                                            bold ? m_bold : nullptr));
    }
    bool number(int row, int column, double value, int decimals) override
    {
        return check(worksheet_write_number(m_page, lxw_row_t(row), lxw_col_t(column), value,
                                            m_decimals.at(qBound(0, decimals, int(m_decimals.size()) - 1))));
    }
    bool date(int row, int column, const QDate& date) override
    {
        lxw_datetime when{date.year(), date.month(), date.day(), 0, 0, 0};
        return check(worksheet_write_datetime(m_page, lxw_row_t(row), lxw_col_t(column), &when, m_date));
    }
    QString close() override
    {
        const lxw_error closed = workbook_close(m_book);
        m_book = nullptr;
        check(closed);
        return m_status == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(m_status));
    }

private:
    bool check(lxw_error result)
    {
        if (m_status == LXW_NO_ERROR)
            m_status = result;
        return result == LXW_NO_ERROR;
    }

    QByteArray m_scratch;  // the library's scratch folder, named for the workbook's whole life
    lxw_workbook* m_book;
    lxw_worksheet* m_page;
    lxw_format* m_bold;
    lxw_format* m_date;
    QList<lxw_format*> m_decimals;
    lxw_error m_status = LXW_NO_ERROR;
};

}  // namespace

std::unique_ptr<WorkbookWriter> XlsxWorkbookPlugin::create(const QString& path, const QString& scratchFolder,
                                                           const QString& sheetName, QString* error)
{
    // Rows go out one at a time, so a large archive is never held whole by the library; its own
    // temporary files go into the folder given.
    const QByteArray file = QFile::encodeName(path);
    QByteArray scratch = QFile::encodeName(scratchFolder);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = scratch.data();
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book) {
        *error = QString::fromUtf8(lxw_strerror(LXW_ERROR_CREATING_XLSX_FILE));
        return nullptr;
    }
    lxw_worksheet* page = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    if (!page) {
        workbook_close(book);
        *error = QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
        return nullptr;
    }
    return std::make_unique<XlsxWriter>(book, page, std::move(scratch));
}
