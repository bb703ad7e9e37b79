// Turns the user guide's Markdown chapters into one PDF: golvera_guide_writer OUT.pdf CHAPTER.md...
// Each chapter starts on a new page.

#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextStream>

namespace {

QTextDocumentFragment chapterFragment(const QString& markdown)
{
    QTextDocument chapter;
    chapter.setMarkdown(markdown);
    return QTextDocumentFragment(&chapter);
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

    QTextDocument guide;
    guide.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    QTextCursor cursor(&guide);
    for (int i = 2; i < args.size(); ++i) {
        QFile file(args.at(i));
        if (!file.open(QIODevice::ReadOnly)) {
            QTextStream(stderr) << "cannot read " << args.at(i) << "\n";
            return 1;
        }
        if (i > 2) {
            QTextBlockFormat newPage;
            newPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(newPage);
        }
        cursor.insertFragment(chapterFragment(QString::fromUtf8(file.readAll())));
    }

    QPdfWriter writer(args.at(1));
    writer.setTitle(QStringLiteral("Golvera - Guida all'utilizzo del software"));
    writer.setCreator(QStringLiteral("Golvera"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    guide.print(&writer);
    if (!QFile::exists(args.at(1))) {
        QTextStream(stderr) << "cannot write " << args.at(1) << "\n";
        return 1;
    }
    return 0;
}
