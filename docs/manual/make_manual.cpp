// Turns the user manual's Markdown into the HTML page that Help opens, with Qt's own Markdown
// reader, so that the build needs no tool of its own for it. Usage: make_manual MANUAL.md OUT.html
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>

namespace {

// The anchor a Markdown link "#the-main-window" finds a heading "The main window" by.
QString anchorOf(const QString &heading)
{
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber())
            anchor += c;
        else if (c == QLatin1Char(' ') || c == QLatin1Char('-'))
            anchor += QLatin1Char('-');
    }
    return anchor;
}

void nameHeadings(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor cursor(block);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat named;
        named.setAnchor(true);
        named.setAnchorNames({anchorOf(block.text())});
        cursor.mergeCharFormat(named);
    }
}

// Qt writes every block with margins of nothing; a browser's own spacing reads better.
QString pageOf(const QTextDocument &document)
{
    QString html = document.toHtml();
    static const QRegularExpression blockStyle(QStringLiteral("<(h[1-6]|p|li|pre|ul|table)( [^>]*)? style=\"[^\"]*\""));
    html.replace(blockStyle, QStringLiteral("<\\1\\2"));
    const QString head = QStringLiteral(
        "<head><title>%1</title><style>body{max-width:48em;margin:1em auto;padding:0 1em;line-height:1.45}"
        "pre{background:#f4f4f4;padding:.5em}</style>")
                             .arg(document.firstBlock().text().toHtmlEscaped());
    html.replace(QLatin1String("<head>"), head);
    return html;
}

} // namespace

int main(int argc, char *argv[])
{
    // Laying out text needs fonts, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: make_manual MANUAL.md OUT.html\n", stderr);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_manual: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    nameHeadings(document);
    QFile page(QString::fromLocal8Bit(argv[2]));
    if (!page.open(QIODevice::WriteOnly) || page.write(pageOf(document).toUtf8()) < 0 || !page.flush()) {
        std::fprintf(stderr, "make_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
