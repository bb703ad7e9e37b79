#include "import/RowValues.h"

#include "app/Formats.h"
#include "checkers/TaxCode.h"
#include "checkers/VatNumber.h"
#include "players/PlayerRules.h"
#include "storage/Cp1252.h"
#include "text/TextRules.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace rowValues {
namespace {

using sheetImport::Cell;
using sheetImport::Rule;
using sheetImport::Target;

QString quoted(const QString& text) { return u"\u00AB"_s + text + u"\u00BB"_s; }

// The editors' fields hold one line: line breaks and tabs inside a cell become blanks; blanks
// around it go.
QString trimmedLine(QStringView cell, Texts texts)
{
    if (!std::any_of(cell.cbegin(), cell.cend(), [](QChar c) { return c == u'\r' || c == u'\n' || c == u'\t'; })) {
        const QStringView line = trimControls(cell);
        return texts == Texts::Borrowed ? QString::fromRawData(line.data(), line.size()) : line.toString();
    }
    QString text = cell.toString();
    text.replace(u"\r\n"_s, u" "_s);
    for (QChar& c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return trimControls(text);
}

// dd/mm/yyyy as typed, already the form the date fields keep.
bool isDateText(const QString& text)
{
    if (text.size() != 10 || text.at(2) != u'/' || text.at(5) != u'/')
        return false;
    for (const qsizetype i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return false;
    }
    return true;
}

bool isDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString sexOf(const QString& text)
{
    static const QStringList men = {u"MASCHIO"_s, u"MASCHILE"_s, u"UOMO"_s};
    static const QStringList women = {u"FEMMINA"_s, u"FEMMINILE"_s, u"DONNA"_s};
    if (men.contains(text))
        return u"M"_s;
    if (women.contains(text))
        return u"F"_s;
    return text;
}

std::optional<QString> yesNoOf(const Cell& cell, QStringView text)
{
    if (cell.kind == Cell::Kind::Boolean || cell.kind == Cell::Kind::Number)
        return cell.number != 0 ? u"S\u00EC"_s : u"No"_s;
    if (text == u"S\u00EC" || text == u"No")
        return text.toString();  // as the program writes it
    const QString key = columnMatch::folded(text);
    static const QStringList yes = {u"si"_s, u"s"_s, u"x"_s, u"vero"_s, u"true"_s, u"yes"_s, u"y"_s, u"1"_s};
    static const QStringList no = {u"no"_s, u"n"_s, u"falso"_s, u"false"_s, u"0"_s, QString()};
    if (yes.contains(key))
        return u"S\u00EC"_s;
    if (no.contains(key))
        return u"No"_s;
    return std::nullopt;
}

struct Value {
    QString text;
    QString warning;
    QString rejection;
};

Value valueOf(const Target& target, const Cell& cell, QStringView cellText, const QDate& today, Texts texts)
{
    const QString text = trimmedLine(cellText, texts);
    switch (target.rule) {
    case Rule::Text:
        return {text};
    case Rule::Capitals:
        return {upperAsciiLetters(text)};
    case Rule::Sex:
        return {sexOf(upperAsciiLetters(text))};
    case Rule::TaxCode: {
        const QString code = upperAsciiLetters(text);
        if (code.isEmpty())
            return {code};
        // The editor's checker button takes a code of digits alone for a VAT number.
        const bool valid = isDigits(code) ? vatNumber::check(code).verdict == vatNumber::Result::Verdict::Valid
                                          : taxCode::check(code) == taxCode::Verdict::Valid;
        if (valid)
            return {code};
        return {code, (isDigits(code) ? u"partita IVA errata: "_s : u"codice fiscale errato: "_s) + code};
    }
    case Rule::Date:
    case Rule::RequiredDate: {
        if (text.isEmpty())
            return {};
        // A number in a date column is the spreadsheet's day number, or no date at all: never
        // kept as its digits ("1e+308").
        if (cell.kind == Cell::Kind::Number) {
            const QDate day = sheetImport::dateFromSerial(cell.number);
            if (day.isValid())
                return {formats::dateText(day)};
            return {text, {}, u"data non valida in "_s + quoted(target.label) + u": "_s + text};
        }
        const QDate date = dateOf(cell, cellText, today);
        if (date.isValid())
            return {cell.kind != Cell::Kind::Date && isDateText(text) ? text : formats::dateText(date)};
        if (target.rule == Rule::RequiredDate)
            return {text, {}, u"data non valida in "_s + quoted(target.label) + u": "_s + text};
        return {text};  // a free text field: kept as written
    }
    case Rule::Count: {
        // A plain whole number, the usual case, is already in the form the field keeps.
        if (text.size() <= 6 && isDigits(text) && (text.size() == 1 || text.front() != u'0'))
            return {text};
        const QString count = playerRules::countNormalForm(text);
        static const QLocale italian(QLocale::Italian);
        bool ok = false;
        const double number = italian.toDouble(text, &ok);
        if (count == u"0" && !text.isEmpty() && !(ok && number > -0.5 && number < 0.5))
            return {count, u"valore non valido in "_s + quoted(target.label) + u" ("_s + text + u"): registrato 0"_s};
        return {count};
    }
    case Rule::YesNo: {
        if (const std::optional<QString> mark = yesNoOf(cell, cellText))
            return {*mark};
        return {u"No"_s, quoted(target.label) + u" non \u00E8 S\u00EC o No ("_s + text + u"): registrato No"_s};
    }
    }
    Q_UNREACHABLE();
}

// Cuts a text to its field and reports what the archive cannot keep of it.
QString fitted(const QString& text, const Target& target, int capacity, QStringList& warnings)
{
    QString lost;
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x80; })) {
        const QByteArray stored = cp1252::encode(text);
        for (qsizetype i = 0; i < text.size() && i < stored.size(); ++i) {
            if (stored.at(i) == '?' && text.at(i) != u'?' && !lost.contains(text.at(i)))
                lost += text.at(i);
        }
    }
    if (!lost.isEmpty())
        warnings.append(u"lettere che l'archivio non pu\u00F2 contenere in "_s + quoted(target.label) + u" ("_s + lost
                        + u"): registrate come ?"_s);
    if (capacity >= 0 && text.size() > capacity) {
        warnings.append(u"testo troppo lungo in "_s + quoted(target.label) + u": tenuti i primi %1 caratteri"_s.arg(capacity));
        return trimControls(text.left(capacity));
    }
    return text;
}

}  // namespace

QDate dateOf(const Cell& cell, QStringView cellText, const QDate& today)
{
    if (cell.kind == Cell::Kind::Date)
        return cell.date;
    // Read by hand: three numbers and two separators, the year first or last.
    const QStringView text = trimControls(cellText);
    int numbers[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    QChar separators[2];
    int part = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            if (++digits[part] > 4)
                return {};
            numbers[part] = numbers[part] * 10 + (c.unicode() - u'0');
        } else if (part < 2 && digits[part] > 0 && (c == u'/' || c == u'.' || c == u'-')) {
            separators[part++] = c;
        } else if (part == 2 && digits[2] > 0 && (c == u'T' || c == u' ') && digits[0] == 4) {
            break;  // the time after an ISO date
        } else {
            return {};
        }
    }
    if (part != 2 || digits[2] == 0 || separators[0] != separators[1])
        return {};
    if (digits[0] == 4 && separators[0] == u'-' && digits[1] <= 2 && digits[2] <= 2)
        return QDate(numbers[0], numbers[1], numbers[2]);
    if (digits[0] > 2 || digits[1] > 2 || digits[2] == 1 || digits[2] == 3)
        return {};
    int year = numbers[2];
    if (digits[2] == 2) {
        // Two digits: this century up to ten years ahead (expiry dates), the last one before that.
        const int century = today.year() - today.year() % 100;
        year += year <= today.year() % 100 + 10 ? century : century - 100;
    }
    return QDate(year, numbers[1], numbers[0]);
}

Result make(const sheetImport::Archive& archive, const sheetImport::Row& row, const columnMatch::Mapping& mapping,
            const QDate& today, Texts texts)
{
    const qsizetype fields = archive.format.fields.size();
    Result result;
    result.texts.resize(fields);
    result.given.resize(fields, false);
    QStringList rejections;  // every reason, in the columns' order
    QString surname;
    QString givenName;
    int nameField = -1;
    for (int column = 0; column < mapping.size(); ++column) {
        const int index = mapping.at(column);
        if (index < 0 || index >= archive.targets.size() || archive.targets.at(index).index < 0)
            continue;
        const Target& target = archive.targets.at(index);
        static const Cell empty;
        Value value = valueOf(target, column < row.cells.size() ? row.cells.at(column) : empty, row.text(column), today,
                              texts);
        if (!value.rejection.isEmpty())
            rejections.append(value.rejection);
        if (!value.warning.isEmpty())
            result.warnings.append(value.warning);
        if (target.part != sheetImport::Part::Whole) {
            (target.part == sheetImport::Part::Surname ? surname : givenName) = value.text;
            nameField = target.index;
            continue;
        }
        if (value.text.isEmpty())
            continue;
        result.texts[target.index] = fitted(value.text, target, target.capacity, result.warnings);
        result.given[target.index] = true;
    }
    // Surname first, one blank between, as the name field is typed.
    const QString joined = surname.isEmpty() || givenName.isEmpty() ? surname + givenName : surname + u' ' + givenName;
    if (nameField >= 0 && !joined.isEmpty() && !result.given.at(nameField)) {
        if (const Target* whole = sheetImport::wholeTarget(archive, archive.format.fields.at(nameField).name)) {
            result.texts[nameField] = fitted(joined, *whole, whole->capacity, result.warnings);
            result.given[nameField] = true;
        }
    }
    if (archive.complete)
        archive.complete(result.texts);
    // Every field the editor would ask for, not only the first: the row is mended once.
    QStringList missing;
    for (const QString& field : archive.mandatory) {
        const int index = archive.format.indexOf(field);
        if (index >= 0 && trimControls(result.texts.at(index)).isEmpty())
            missing.append(quoted(sheetImport::fieldLabel(archive, field)));
    }
    if (!missing.isEmpty())
        rejections.prepend((missing.size() == 1 ? u"manca "_s : u"mancano "_s) + missing.join(u", "_s));
    result.rejection = rejections.join(u"; "_s);
    if (archive.checkTogether && result.rejection.isEmpty()) {
        if (const QString warning = archive.checkTogether(result.texts); !warning.isEmpty())
            result.warnings.append(warning);
    }
    return result;
}

QString Result::value(const sheetImport::Archive& archive, const QString& field) const
{
    const int index = archive.format.indexOf(field);
    return index >= 0 && index < texts.size() ? texts.at(index) : QString();
}

}  // namespace rowValues
