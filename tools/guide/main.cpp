// Turns the user guide's Markdown chapters into one PDF:
//   golvera_guide_writer OUT.pdf PICTURES_DIR LOGO.svg CHAPTER.md...
// A cover, a table of contents with the page of each chapter, then the chapters, each on a new
// page. A chapter's pictures (![...](name.png)) are read from PICTURES_DIR; a missing one is an
// error, so the guide never goes out without its pictures. A table or a picture is never split
// across two pages, and a heading never ends a page.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextStream>
#include <QTextTable>

namespace {

// The page in the document's own units (1/96 inch): A4, with room for the page number.
constexpr QSizeF PageSize{793.7, 1122.5};
constexpr double SideMargin = 68;
constexpr double TopMargin = 64;
constexpr double BottomMargin = 86;
constexpr double TextWidth = PageSize.width() - 2 * SideMargin;
constexpr double PictureHeight = 470;  // at most, so a picture leaves room for its text
const QColor Navy{0x1B, 0x2F, 0x5B};
const QColor Green{0x2E, 0x8B, 0x57};
const QString GuideTitle = QStringLiteral("Guida all'utilizzo del software");

struct Chapter {
    QString title;  // its first heading
    QString markdown;
};

[[noreturn]] void fail(const QString& why)
{
    QTextStream(stderr) << "golvera_guide_writer: " << why << "\n";
    std::exit(1);
}

Chapter readChapter(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read ") + path);
    Chapter chapter{{}, QString::fromUtf8(file.readAll())};
    static const QRegularExpression heading(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption);
    chapter.title = heading.match(chapter.markdown).captured(1).trimmed();
    if (chapter.title.isEmpty())
        fail(path + QStringLiteral(" has no title (# ...)"));
    return chapter;
}

// Gives the guide every picture its chapters name, read from the pictures' folder.
// The guide's font, written without ligatures: "fi" in "certificati" stays two letters, so the
// PDF's text is found by a search and copied as it reads.
QFont guideFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void addPictures(QTextDocument& guide, const QList<Chapter>& chapters, const QString& folder)
{
    static const QRegularExpression picture(QStringLiteral("!\\[[^\\]]*\\]\\(([^)\\s]+)\\)"));
    for (const Chapter& chapter : chapters) {
        for (auto match = picture.globalMatch(chapter.markdown); match.hasNext();) {
            const QString name = match.next().captured(1);
            const QImage image(folder + QLatin1Char('/') + name);
            if (image.isNull())
                fail(QStringLiteral("missing picture %1 in %2").arg(name, folder));
            guide.addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
    }
}

QTextCharFormat textFormat(double points, bool bold, const QColor& colour)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setForeground(colour);
    return format;
}

void writeCover(QTextCursor& cursor, const QString& logoPath)
{
    QSvgRenderer logo(logoPath);
    if (!logo.isValid())
        fail(QStringLiteral("cannot read ") + logoPath);
    const QSize size = logo.defaultSize() * 3;
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    logo.render(&painter);
    painter.end();
    cursor.document()->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("golvera-logo")), picture);

    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(250);
    cursor.setBlockFormat(centred);
    QTextImageFormat image;
    image.setName(QStringLiteral("golvera-logo"));
    image.setWidth(360);
    image.setHeight(360.0 * size.height() / size.width());
    cursor.insertImage(image);
    centred.setTopMargin(30);
    cursor.insertBlock(centred);
    cursor.insertText(QStringLiteral("Golvera"), textFormat(40, true, Navy));
    centred.setTopMargin(10);
    cursor.insertBlock(centred);
    cursor.insertText(GuideTitle, textFormat(24, true, Navy));
    centred.setTopMargin(14);
    cursor.insertBlock(centred);
    cursor.insertText(QStringLiteral("Tornei, squadre e giocatori per le societ\u00E0 sportive"), textFormat(15, false, Green));
}

// The contents: one row per chapter, its title and (filled later) its page.
QTextTable* writeContents(QTextCursor& cursor, const QList<Chapter>& chapters)
{
    QTextBlockFormat heading;
    heading.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    heading.setHeadingLevel(1);
    heading.setBottomMargin(18);
    cursor.insertBlock(heading);
    cursor.insertText(QStringLiteral("Indice"), textFormat(22, true, Navy));

    QTextTableFormat format;
    format.setBorder(0);
    format.setCellPadding(5);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 88),
                                      QTextLength(QTextLength::PercentageLength, 12)});
    QTextTable* table = cursor.insertTable(int(chapters.size()), 2, format);
    for (int row = 0; row < chapters.size(); ++row) {
        QTextCursor cell = table->cellAt(row, 0).firstCursorPosition();
        cell.insertText(QStringLiteral("%1. %2").arg(row + 1).arg(chapters.at(row).title), textFormat(12, false, Navy));
    }
    cursor.movePosition(QTextCursor::End);
    return table;
}

void writeChapters(QTextCursor& cursor, const QList<Chapter>& chapters, QList<QTextBlock>& starts)
{
    for (const Chapter& chapter : chapters) {
        QTextDocument source;
        source.setMarkdown(chapter.markdown);
        QTextBlockFormat newPage;
        newPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.insertBlock(newPage);
        const int start = cursor.position();
        cursor.insertFragment(QTextDocumentFragment(&source));
        QTextBlock first = cursor.document()->findBlock(start);
        // The fragment's first block keeps its heading format but not the page break.
        QTextCursor(first).mergeBlockFormat(newPage);
        starts.append(first);
    }
}

// Headings in the program's colours; pictures no wider than the text and not too tall; the
// chapters' tables with thin rules.
void styleChapters(QTextDocument& guide, const QTextTable* contents)
{
    for (QTextBlock block = guide.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) {
            QTextCursor cursor(block);
            cursor.select(QTextCursor::BlockUnderCursor);
            QTextCharFormat colour;
            colour.setForeground(block.blockFormat().headingLevel() == 1 ? Navy : Green);
            cursor.mergeCharFormat(colour);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QImage picture = guide.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
            if (picture.isNull() || image.width() > 0)
                continue;
            const double scale = std::min({1.0, TextWidth / picture.width(), PictureHeight / picture.height()});
            image.setWidth(picture.width() * scale);
            image.setHeight(picture.height() * scale);
            QTextCursor cursor(&guide);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
    for (QTextFrame* frame : guide.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame); table && table != contents) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderBrush(QColor(0x9A, 0xA8, 0xBD));
            format.setBorderCollapse(true);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setCellSpacing(0);
            format.setCellPadding(5);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
    }
}

int pageOf(double y) { return int(y / PageSize.height()); }

// Lays the whole guide out again: the layout follows later changes of formats (a picture's size,
// a page break) only in part, so positions are read after a full layout.
void layOut(QTextDocument& guide)
{
    guide.setPageSize(PageSize);
    guide.pageCount();
}

void breakBefore(const QTextBlock& block)
{
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).mergeBlockFormat(format);
}

// Where the text of the page holding `y` ends: the page's foot is the page number's.
double textBottom(double y) { return (pageOf(y) + 1) * PageSize.height() - BottomMargin; }

// Moves to the next page a table that the page's end would cut, with the heading or the sentence
// that introduces it, a heading with no room for its first lines under it, or a picture whose
// caption would go to the next page. True when it moved
// one; the caller lays the guide out again and asks again.
bool keepTogether(QTextDocument& guide)
{
    constexpr double RoomUnderHeading = 50;
    QAbstractTextDocumentLayout* layout = guide.documentLayout();
    for (QTextFrame* frame : guide.rootFrame()->childFrames()) {
        const QRectF box = layout->frameBoundingRect(frame);
        if (box.bottom() <= textBottom(box.top()) || box.height() > PageSize.height() / 2)
            continue;
        QTextBlock before = guide.findBlock(frame->firstPosition() - 1);
        if (before.isValid() && before.previous().isValid() && before.length() <= 1)
            before = before.previous();
        if (!before.isValid() || before.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
            QTextTableFormat format = frame->frameFormat().toTableFormat();
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            frame->setFrameFormat(format);
        } else {
            breakBefore(before);
        }
        return true;
    }
    for (QTextBlock block = guide.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            continue;
        const QRectF here = layout->blockBoundingRect(block);
        const bool heading = block.blockFormat().headingLevel() > 0;
        const bool orphanedHeading = heading && here.bottom() + RoomUnderHeading > textBottom(here.top());
        // A picture's caption, the line after it, stays on the picture's page.
        const bool picture = block.text().contains(QChar::ObjectReplacementCharacter) && block.next().isValid();
        const bool orphanedCaption = picture && layout->blockBoundingRect(block.next()).bottom() > textBottom(here.top());
        if (orphanedHeading || orphanedCaption) {
            breakBefore(block);
            return true;
        }
    }
    return false;
}

void fillContents(QTextTable* contents, const QList<QTextBlock>& starts)
{
    QAbstractTextDocumentLayout* layout = contents->document()->documentLayout();
    for (int row = 0; row < starts.size(); ++row) {
        QTextCursor cell = contents->cellAt(row, 1).firstCursorPosition();
        cell.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        cell.mergeBlockFormat(right);
        cell.insertText(QString::number(pageOf(layout->blockBoundingRect(starts.at(row)).top()) + 1),
                        textFormat(12, true, Navy));
    }
}

void print(const QTextDocument& guide, const QString& path)
{
    QPdfWriter writer(path);
    writer.setTitle(QStringLiteral("Golvera - ") + GuideTitle);
    writer.setCreator(QStringLiteral("Golvera"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    if (!painter.isActive())
        fail(QStringLiteral("cannot write ") + path);
    const double scale = writer.width() / PageSize.width();
    painter.scale(scale, scale);
    const int pages = guide.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        const QRectF area(0, page * PageSize.height(), PageSize.width(), PageSize.height());
        painter.save();
        painter.translate(0, -area.top());
        painter.setClipRect(area);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = area;
        guide.documentLayout()->draw(&painter, context);
        painter.restore();
        if (page == 0)
            continue;
        painter.setPen(QColor(0x6B, 0x7A, 0x90));
        QFont small = guideFont();
        small.setPixelSize(11);
        painter.setFont(small);
        const QRectF foot(SideMargin, PageSize.height() - BottomMargin + 34, TextWidth, 20);
        painter.drawLine(foot.topLeft() - QPointF(0, 6), foot.topRight() - QPointF(0, 6));
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Golvera - ") + GuideTitle);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, QString::number(page + 1));
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        QTextStream(stderr) << "usage: golvera_guide_writer OUT.pdf PICTURES_DIR LOGO.svg CHAPTER.md...\n";
        return 2;
    }
    QList<Chapter> chapters;
    for (int i = 4; i < args.size(); ++i)
        chapters.append(readChapter(args.at(i)));

    QTextDocument guide;
    QFont text = guideFont();
    text.setPointSize(10);
    guide.setDefaultFont(text);
    guide.setPageSize(PageSize);
    QTextFrameFormat page = guide.rootFrame()->frameFormat();
    page.setLeftMargin(SideMargin);
    page.setRightMargin(SideMargin);
    page.setTopMargin(TopMargin);
    page.setBottomMargin(BottomMargin);
    guide.rootFrame()->setFrameFormat(page);
    addPictures(guide, chapters, args.at(2));

    QTextCursor cursor(&guide);
    writeCover(cursor, args.at(3));
    QTextTable* contents = writeContents(cursor, chapters);
    QList<QTextBlock> starts;
    writeChapters(cursor, chapters, starts);
    styleChapters(guide, contents);
    fillContents(contents, starts);
    layOut(guide);
    for (int moves = 0; moves < 200 && keepTogether(guide); ++moves)
        layOut(guide);
    // The contents' page numbers follow what the moves did; they fill cells, so nothing moves again.
    fillContents(contents, starts);
    layOut(guide);
    print(guide, args.at(1));
    if (!QFile::exists(args.at(1)))
        fail(QStringLiteral("cannot write ") + args.at(1));
    return 0;
}
