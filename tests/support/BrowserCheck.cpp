#include "BrowserCheck.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace browserCheck {
namespace {

// Runs inside the page copy at the frame's size and posts its verdict to the frame around it.
const char Script[] = R"(
<script>
window.addEventListener('load', function () {
  var problems = [];
  try {
  var width = window.innerWidth;
  var root = document.documentElement;
  if (root.scrollWidth > width) problems.push('pagina larga ' + root.scrollWidth);
  document.querySelectorAll('body *').forEach(function (element) {
    var box = element.getBoundingClientRect();
    if (box.width > 0 && box.right > width + 0.5) problems.push(element.tagName + ' oltre il bordo (' + Math.round(box.right) + ')');
  });
  document.querySelectorAll('table').forEach(function (table, index) {
    if (!table.querySelector('thead th')) problems.push('tabella ' + (index + 1) + ' senza celle di intestazione');
  });
  if (document.querySelectorAll('script').length !== 1) problems.push('script nella pagina');
  var header = document.querySelector('thead th');
  if (header && getComputedStyle(header).backgroundColor === 'rgba(0, 0, 0, 0)') problems.push('foglio di stile non applicato');
  function rgb(text) { return text.match(/[\d.]+/g).map(Number); }
  function luminance(c) {
    var v = c.slice(0, 3).map(function (x) { x /= 255; return x <= 0.03928 ? x / 12.92 : Math.pow((x + 0.055) / 1.055, 2.4); });
    return 0.2126 * v[0] + 0.7152 * v[1] + 0.0722 * v[2];
  }
  function background(element) {
    for (; element; element = element.parentElement) {
      var c = rgb(getComputedStyle(element).backgroundColor);
      if (c.length < 4 || c[3] > 0) return c;
    }
    return [255, 255, 255];
  }
  document.querySelectorAll('body *').forEach(function (element) {
    var ownText = Array.prototype.some.call(element.childNodes, function (n) { return n.nodeType === 3 && n.textContent.trim(); });
    if (!ownText || element.tagName === 'SCRIPT') return;
    var a = luminance(rgb(getComputedStyle(element).color)), b = luminance(background(element));
    var ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
    if (ratio < 4.5) problems.push('contrasto ' + ratio.toFixed(2) + ' in ' + element.tagName);
  });
  var shown = document.body.innerText;
  EXPECTED.forEach(function (text) { if (shown.indexOf(text) < 0) problems.push('manca il testo ' + text); });
  } catch (error) { problems.push('errore nel controllo: ' + error); }
  parent.postMessage(width + ': ' + (problems.length ? problems.join('; ') : 'ok'), '*');
});
</script>
)";

}  // namespace

QString missingBrowser()
{
    return QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty()
               ? QStringLiteral("chromium non installato (scripts/install-deps.sh)")
               : QString();
}

QStringList check(const QString& folder, const QString& page, const QList<QSize>& sizes, const QStringList& shownTexts)
{
    QFile source(QDir(folder).filePath(page));
    if (!source.open(QIODevice::ReadOnly))
        return {QStringLiteral("pagina illeggibile")};
    QByteArray copy = source.readAll();
    // "</script>" inside the script's own text would end it.
    const QByteArray expected =
        QJsonDocument(QJsonArray::fromStringList(shownTexts)).toJson(QJsonDocument::Compact).replace("</", "<\\/");
    copy.replace("</body>", QByteArray(Script).replace("EXPECTED", expected) + "</body>");
    const QString copyName = QStringLiteral(".prova-browser.html");
    const QString frameName = QStringLiteral(".prova-cornice.html");
    QFile copyFile(QDir(folder).filePath(copyName));
    if (!copyFile.open(QIODevice::WriteOnly) || copyFile.write(copy) != copy.size())
        return {QStringLiteral("copia di prova non scritta")};
    copyFile.close();
    QByteArray frame = "<!DOCTYPE html><html><body><pre id=\"verdetti\"></pre>\n";
    for (const QSize& size : sizes)
        frame += QStringLiteral("<iframe src=\"%1\" style=\"width:%2px;height:%3px;border:0\"></iframe>\n")
                     .arg(copyName).arg(size.width()).arg(size.height()).toUtf8();
    frame += "<script>window.addEventListener('message', function (e) {"
             " document.getElementById('verdetti').textContent += e.data + '\\n'; });</script></body></html>\n";
    QFile frameFile(QDir(folder).filePath(frameName));
    if (!frameFile.open(QIODevice::WriteOnly) || frameFile.write(frame) != frame.size())
        return {QStringLiteral("cornice di prova non scritta")};
    frameFile.close();

    QTemporaryDir profile;
    QProcess browser;
    browser.start(QStringLiteral("chromium"),
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                   QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                   QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
                   QStringLiteral("--disable-sync"), QStringLiteral("--user-data-dir=") + profile.path(),
                   QStringLiteral("--virtual-time-budget=10000"), QStringLiteral("--dump-dom"),
                   QUrl::fromLocalFile(frameFile.fileName()).toString()});
    const bool finished = browser.waitForFinished(90000);
    QFile::remove(copyFile.fileName());
    QFile::remove(frameFile.fileName());
    if (!finished) {
        browser.kill();
        browser.waitForFinished();
        return {QStringLiteral("chromium non ha finito")};
    }
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    static const QRegularExpression verdicts(QStringLiteral("<pre id=\"verdetti\">([^<]*)</pre>"));
    const QRegularExpressionMatch match = verdicts.match(dom);
    if (!match.hasMatch())
        return {QStringLiteral("nessun verdetto: ") + QString::fromUtf8(browser.readAllStandardError()).right(400)};
    QStringList lines = match.captured(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : lines)
        line.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    lines.sort();  // frames answer in any order
    return lines;
}

}  // namespace browserCheck
