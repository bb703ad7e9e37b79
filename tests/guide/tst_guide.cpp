// The user guide as the build writes it: every chapter in its text and in the contents with its
// page, nothing announced as missing, each chapter's pictures on its own pages, and pictures that
// the build takes from the program itself.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Chapter {
    QString title;
    QStringList pictures;
};

QList<Chapter> chapters()
{
    static const QRegularExpression title(u"^# (.+)$"_s, QRegularExpression::MultilineOption);
    static const QRegularExpression picture(u"!\\[[^\\]]*\\]\\(([^)\\s]+)\\)"_s);
    QList<Chapter> result;
    const QDir folder(QStringLiteral(GOLVERA_SOURCE_DIR "/docs/guida"));
    for (const QString& name : folder.entryList({u"*.md"_s}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString markdown = QString::fromUtf8(file.readAll());
        Chapter chapter{title.match(markdown).captured(1).trimmed(), {}};
        for (auto match = picture.globalMatch(markdown); match.hasNext();)
            chapter.pictures << match.next().captured(1);
        result << chapter;
    }
    return result;
}

// A poppler tool's output, or an empty text when it fails.
QString run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text as read by a person: ligatures as their letters, every run of blanks one blank.
QString plain(const QString& text) { return text.normalized(QString::NormalizationForm_KC).simplified(); }

}  // namespace

class TestGuide : public QObject {
    Q_OBJECT

private:
    const QString m_guide = QStringLiteral(GOLVERA_GUIDE_PDF);
    QString m_text;           // page by page, separated by form feeds
    QMap<QString, int> m_contents;  // chapter title → its page, as the contents say

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(), "pdftotext (poppler-utils) is missing");
        QVERIFY2(QFileInfo::exists(m_guide), qPrintable(m_guide));
        m_text = run(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, m_guide, u"-"_s});
        QVERIFY(!m_text.isEmpty());
        static const QRegularExpression line(u"^\\s*\\d+\\.\\s+(.+?)\\s+(\\d+)\\s*$"_s);
        for (const QString& row : m_text.split(u'\f').value(1).split(u'\n')) {
            if (const auto match = line.match(plain(row)); match.hasMatch())
                m_contents.insert(match.captured(1), match.captured(2).toInt());
        }
        QVERIFY(chapters().size() >= 16);
    }

    void everyChapterIsInTheGuideAndItsContents()
    {
        const QString text = plain(m_text);
        const QStringList pages = m_text.split(u'\f');
        for (const Chapter& chapter : chapters()) {
            QVERIFY2(text.contains(chapter.title), qPrintable(chapter.title));
            QVERIFY2(m_contents.contains(chapter.title), qPrintable(u"not in the contents: "_s + chapter.title));
            // The page the contents give starts with the chapter's title.
            const int page = m_contents.value(chapter.title);
            QVERIFY2(plain(pages.value(page - 1)).startsWith(chapter.title), qPrintable(chapter.title));
        }
        QVERIFY(text.startsWith(u"Golvera Guida all'utilizzo del software"_s));
    }

    // The text is searched and copied as words: no ligature stands for two letters.
    void textIsPlainWords()
    {
        QVERIFY(m_text.contains(u"certificati"_s));
        QVERIFY(m_text.contains(u"file"_s));
        for (QChar c : std::as_const(m_text))
            QVERIFY2(c.unicode() < 0xFB00 || c.unicode() > 0xFB06, "a ligature in the guide's text");
    }

    void nothingIsAnnouncedAsMissing()
    {
        QVERIFY(!plain(m_text).contains(u"non ancora attiv"_s, Qt::CaseInsensitive));
    }

    // pdfimages -list: each chapter's pages hold exactly the pictures it names, and every
    // chapter about a screen names one.
    void eachChapterShowsItsScreens()
    {
        QVERIFY2(!QStandardPaths::findExecutable(u"pdfimages"_s).isEmpty(), "pdfimages (poppler-utils) is missing");
        QMap<int, int> imagesOnPage;
        for (const QString& row : run(u"pdfimages"_s, {u"-list"_s, m_guide}).split(u'\n').mid(2)) {
            const QStringList columns = row.simplified().split(u' ');
            if (columns.size() > 2 && columns.at(2) == u"image"_s)
                ++imagesOnPage[columns.at(0).toInt()];
        }
        const QList<Chapter> all = chapters();
        const int pageCount = int(m_text.split(u'\f').size()) - 1;
        static const QStringList withoutScreens = {u"Copie di sicurezza e ripristino"_s, u"Più computer sulla stessa cartella"_s,
                                                   u"La riga di comando"_s, u"Scorciatoie da tastiera"_s};
        for (int i = 0; i < all.size(); ++i) {
            const int first = m_contents.value(all.at(i).title);
            const int last = i + 1 < all.size() ? m_contents.value(all.at(i + 1).title) - 1 : pageCount;
            int images = 0;
            for (int page = first; page <= last; ++page)
                images += imagesOnPage.value(page);
            QCOMPARE(images, int(all.at(i).pictures.size()));
            if (i > 0 && !withoutScreens.contains(all.at(i).title))
                QVERIFY2(!all.at(i).pictures.isEmpty(), qPrintable(u"no picture in "_s + all.at(i).title));
        }
    }

    // The pictures come from the program: the screenshot program makes every one the chapters
    // name, and the build made the guide's after the program it was built from.
    void picturesAreTakenFromTheProgram()
    {
        QTemporaryDir folder;
        QProcess shots;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        shots.setProcessEnvironment(environment);
        shots.start(QStringLiteral(GOLVERA_SCREENSHOTS), {folder.path()});
        QVERIFY(shots.waitForFinished(60000));
        QVERIFY2(shots.exitCode() == 0, shots.readAllStandardError().constData());
        const QFileInfo program(QStringLiteral(GOLVERA_SCREENSHOTS));
        for (const Chapter& chapter : chapters()) {
            for (const QString& name : chapter.pictures) {
                const QImage picture(folder.filePath(name));
                QVERIFY2(picture.width() >= 300 && picture.height() >= 150, qPrintable(name));
                const QFileInfo built(QStringLiteral(GOLVERA_PICTURES_DIR "/") + name);
                QVERIFY2(built.exists() && built.lastModified() >= program.lastModified(), qPrintable(built.filePath()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestGuide)
#include "tst_guide.moc"
