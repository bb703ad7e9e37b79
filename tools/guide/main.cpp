// Turns the user guide's Markdown chapters into one PDF: golvera_guide_writer OUT.pdf CHAPTER.md...
// Each chapter starts on a new page.

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QAbstractTextDocumentLayout>
#include <QTextStream>

namespace {

const char* const styleSheet =
    "h1 { color: #1B2F5B; font-size: 22pt; }"
    "h2 { color: #2E8B57; font-size: 15pt; }"
    "p, li { font-size: 11pt; }";

bool renderChapter(QPainter& painter, QPdfWriter& writer, const QString& markdown, bool firstChapter)
{
    QTextDocument document;
    document.setDefaultStyleSheet(QString::fromLatin1(styleSheet));
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    document.setMarkdown(markdown);

    const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
    const QSizeF pageSize(page.width(), page.height());
    // Lay the document out at 96 dpi, then scale to the writer's resolution.
    const qreal scale = writer.resolution() / 96.0;
    document.setPageSize(pageSize / scale);

    for (int index = 0; index < document.pageCount(); ++index) {
        if (!(firstChapter && index == 0) && !writer.newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        const QRectF clip(0, index * pageSize.height() / scale, pageSize.width() / scale, pageSize.height() / scale);
        painter.translate(0, -clip.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: golvera_guide_writer OUT.pdf CHAPTER.md...\n";
        return 2;
    }

    QPdfWriter writer(args.at(1));
    writer.setTitle(QStringLiteral("Golvera - Guida all'utilizzo del software"));
    writer.setCreator(QStringLiteral("Golvera"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer.setResolution(300);

    QPainter painter;
    if (!painter.begin(&writer)) {
        QTextStream(stderr) << "cannot write " << args.at(1) << "\n";
        return 1;
    }
    for (int i = 2; i < args.size(); ++i) {
        QFile chapter(args.at(i));
        if (!chapter.open(QIODevice::ReadOnly)) {
            QTextStream(stderr) << "cannot read " << args.at(i) << "\n";
            return 1;
        }
        if (!renderChapter(painter, writer, QString::fromUtf8(chapter.readAll()), i == 2))
            return 1;
    }
    return painter.end() ? 0 : 1;
}
