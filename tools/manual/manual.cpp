// Builds the user's manual from the Markdown chapters of one folder, read in
// name order: the PDF (A4, title page, contents with page numbers, page
// numbers in the footer), one HTML help page with a contents list, and the
// figures as PNG files beside it.
//   zrv-manual DOCS_DIR OUT_DIR VERSION
// Writes OUT_DIR/zorvin-manual.pdf, OUT_DIR/zorvin-help.html and
// OUT_DIR/figures/*.png, and prints the page count of the PDF.
#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "figures.h"

namespace {

// The document fonts by family name, with a generic fallback.
const QStringList kSans{"DejaVu Sans", "sans-serif"};
const QStringList kMono{"DejaVu Sans Mono", "monospace"};
constexpr qreal kDpi = 300, kMm = kDpi / 25.4;
constexpr qreal kLeft = 22 * kMm, kTop = 20 * kMm, kWidth = 166 * kMm, kHeight = 250 * kMm;
constexpr qreal kFigureWidth = 150;  // mm in print

struct Heading {
  int level;
  QString number, text, anchor;
  QTextBlock block;
};

QFont font(const QStringList& families, qreal points, bool bold = false) {
  QFont f;
  f.setFamilies(families);
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

bool fail(const QString& message) {
  std::fprintf(stderr, "zrv-manual: %s\n", qPrintable(message));
  return false;
}

// Every fragment gets the sans or the fixed-pitch family explicitly; code
// blocks a smaller size and a light background; tables thin borders and a shaded header row;
// images their print width. Chapters start on a new page and headings of
// levels 1 and 2 are numbered and carry an anchor for the HTML contents.
// Lengths are in screen pixels: the layout scales them to the device.
std::vector<Heading> style(QTextDocument& doc, const std::map<QString, QImage>& figures) {
  std::vector<Heading> headings;
  int chapter = 0, section = 0;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    QTextCursor c(b);
    QTextBlockFormat bf = b.blockFormat();
    QString caption;  // an image's text, shown below it
    std::vector<QTextFragment> fragments;
    for (auto it = b.begin(); !it.atEnd(); ++it) fragments.push_back(it.fragment());
    for (const QTextFragment& f : fragments) {
      QTextCursor fc(&doc);
      fc.setPosition(f.position());
      fc.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
      const QTextCharFormat cf = f.charFormat();
      if (cf.isImageFormat()) {
        QTextImageFormat img = cf.toImageFormat();
        const auto fig = figures.find(img.name());
        if (fig != figures.end()) {
          const qreal w = kFigureWidth / 25.4 * 96;
          img.setWidth(w);
          img.setHeight(w * fig->second.height() / fig->second.width());
          fc.setCharFormat(img);
        }
        bf.setAlignment(Qt::AlignHCenter);
        caption = cf.property(QTextFormat::ImageAltText).toString();
        continue;
      }
      const bool fence = bf.hasProperty(QTextFormat::BlockCodeFence), fixed = fence || cf.fontFixedPitch();
      QTextCharFormat m;
      m.setFontFamilies(fixed ? kMono : kSans);
      if (fixed && !fence) m.setBackground(QColor(238, 238, 238));
      if (fence) m.setFontPointSize(8.5);  // about 90 characters to a line
      fc.mergeCharFormat(m);
    }
    if (!caption.isEmpty()) {
      QTextCursor at(b);
      at.movePosition(QTextCursor::EndOfBlock);
      QTextBlockFormat below;
      below.setAlignment(Qt::AlignHCenter);
      below.setBottomMargin(8);
      QTextCharFormat italic;
      italic.setFont(font(kSans, 9));
      italic.setFontItalic(true);
      at.insertBlock(below, italic);
      at.insertText(caption, italic);
    }
    if (bf.hasProperty(QTextFormat::BlockCodeFence)) {
      bf.setBackground(QColor(242, 242, 242));
      bf.setLeftMargin(6);
      bf.setNonBreakableLines(false);  // a long line wraps rather than runs off the page
    }
    const int level = bf.headingLevel();
    if (level == 1 || level == 2) {
      const QString title = b.text().trimmed();
      QString number;
      if (level == 1) {
        number = QString::number(++chapter);
        section = 0;
        if (chapter > 1) bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      } else {
        number = QString("%1.%2").arg(chapter).arg(++section);
      }
      if (title.isEmpty() || title.at(0).isDigit()) number.clear();
      const QString anchor = QString("s%1").arg(headings.size() + 1);
      c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      QTextCharFormat a;
      a.setAnchor(true);
      a.setAnchorNames({anchor});
      c.mergeCharFormat(a);
      if (!number.isEmpty()) {
        QTextCursor start(b);
        start.insertText(number + "  ");
      }
      headings.push_back({level, number, title, anchor, b});
    }
    if (level > 0) {
      bf.setTopMargin(level == 1 ? 0 : 12);
      bf.setBottomMargin(6);
    }
    QTextCursor(b).setBlockFormat(bf);
  }
  for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (table == nullptr) continue;
    QTextTableFormat tf = table->format();
    tf.setBorder(1);
    tf.setBorderBrush(QColor(120, 120, 120));
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderCollapse(true);
    tf.setCellSpacing(0);
    tf.setCellPadding(3);
    tf.setTopMargin(4);
    tf.setBottomMargin(8);
    tf.setHeaderRowCount(1);
    table->setFormat(tf);
    // Cell paragraphs without the paragraph spacing, so rows stay compact.
    const int end = table->lastPosition();
    for (QTextBlock cb = doc.findBlock(table->firstPosition()); cb.isValid() && cb.position() <= end; cb = cb.next()) {
      QTextBlockFormat f = cb.blockFormat();
      f.setTopMargin(0);
      f.setBottomMargin(0);
      QTextCursor(cb).setBlockFormat(f);
    }
    for (int col = 0; col < table->columns(); ++col) {
      QTextTableCell cell = table->cellAt(0, col);
      QTextCharFormat cf = cell.format();
      cf.setBackground(QColor(225, 230, 238));
      cell.setFormat(cf);
      QTextCursor cc = cell.firstCursorPosition();
      cc.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
      QTextCharFormat bold;
      bold.setFontWeight(QFont::Bold);
      cc.mergeCharFormat(bold);
    }
  }
  return headings;
}

// The contents: one line per heading, the page number at a right tab.
void contents(QTextDocument& toc, const std::vector<Heading>& headings, const std::vector<int>& pages) {
  toc.clear();
  QTextCursor c(&toc);
  QTextBlockFormat title;
  title.setBottomMargin(24);
  c.setBlockFormat(title);
  c.insertText("Contents", QTextCharFormat());
  QTextCharFormat big;
  big.setFont(font(kSans, 20, true));
  c.select(QTextCursor::BlockUnderCursor);
  c.mergeCharFormat(big);
  c.movePosition(QTextCursor::End);
  for (std::size_t i = 0; i < headings.size(); ++i) {
    const Heading& h = headings[i];
    QTextBlockFormat bf;
    const qreal indent = h.level == 1 ? 0 : 8 * kMm;
    // Tab positions are in screen pixels, scaled by the layout to the device.
    bf.setTabPositions({QTextOption::Tab((kWidth - indent) * 96 / kDpi - 1, QTextOption::RightTab)});
    bf.setLeftMargin(indent);
    bf.setTopMargin(h.level == 1 ? 10 : 1);
    QTextCharFormat cf;
    cf.setFont(font(kSans, h.level == 1 ? 11 : 10, h.level == 1));
    c.insertBlock(bf, cf);
    const QString number = h.number.isEmpty() ? QString() : h.number + "  ";
    c.insertText(number + h.text + "\t" + QString::number(pages[i]), cf);
  }
}

void paginate(QTextDocument& doc, QPdfWriter& pdf) {
  doc.setDocumentMargin(0);
  doc.documentLayout()->setPaintDevice(&pdf);
  doc.setPageSize(QSizeF(kWidth, kHeight));
}

// Draws page `index` of `doc` and the footer with page number `number`.
void drawPage(QPainter& p, QTextDocument& doc, int index, int number, const QString& footer) {
  p.save();
  p.translate(kLeft, kTop - index * kHeight);
  QAbstractTextDocumentLayout::PaintContext ctx;
  ctx.clip = QRectF(0, index * kHeight, kWidth, kHeight);
  p.setClipRect(ctx.clip);
  doc.documentLayout()->draw(&p, ctx);
  p.restore();
  const qreal y = kTop + kHeight + 8 * kMm;
  p.setPen(QPen(QColor(120, 120, 120), 0.3 * kMm));
  p.drawLine(QPointF(kLeft, y), QPointF(kLeft + kWidth, y));
  p.setFont(font(kSans, 8.5));
  p.setPen(Qt::black);
  const QRectF box(kLeft, y + 1.5 * kMm, kWidth, 6 * kMm);
  p.drawText(box, Qt::AlignLeft | Qt::AlignTop, footer);
  p.drawText(box, Qt::AlignRight | Qt::AlignTop, QString::number(number));
}

void titlePage(QPainter& p, const QString& version) {
  p.setPen(Qt::black);
  p.setFont(font(kSans, 40, true));
  p.drawText(QRectF(kLeft, 70 * kMm, kWidth, 25 * kMm), Qt::AlignHCenter, "ZORVIN");
  p.setFont(font(kSans, 22));
  p.drawText(QRectF(kLeft, 98 * kMm, kWidth, 15 * kMm), Qt::AlignHCenter, "User's Manual");
  p.setPen(QPen(QColor(20, 70, 190), 0.8 * kMm));
  p.drawLine(QPointF(kLeft + 40 * kMm, 118 * kMm), QPointF(kLeft + kWidth - 40 * kMm, 118 * kMm));
  p.setPen(Qt::black);
  p.setFont(font(kSans, 13));
  p.drawText(QRectF(kLeft, 126 * kMm, kWidth, 30 * kMm), Qt::AlignHCenter | Qt::TextWordWrap,
             "Dynamic analysis of machine and structural foundations:\nimpedance functions and response "
             "under harmonic, transient and random loads");
  p.setFont(font(kSans, 12));
  p.drawText(QRectF(kLeft, 230 * kMm, kWidth, 10 * kMm), Qt::AlignHCenter, "Version " + version);
}

bool writePdf(QTextDocument& doc, const std::vector<Heading>& headings, const QString& path,
              const QString& version, int& pageCount) {
  QPdfWriter pdf(path);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageOrientation(QPageLayout::Portrait);
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setResolution(static_cast<int>(kDpi));
  pdf.setTitle("ZORVIN " + version + " User's Manual");
  pdf.setCreator("ZORVIN");
  paginate(doc, pdf);
  std::vector<int> bodyPage;
  for (const Heading& h : headings) {  // a heading at a page break lies at the page's top
    const qreal y = doc.documentLayout()->blockBoundingRect(h.block).top();
    bodyPage.push_back(static_cast<int>((y + 1) / kHeight));
  }
  // The contents follow the title page; their length fixes the body's page numbers.
  QTextDocument toc;
  toc.setDefaultFont(font(kSans, 10));
  paginate(toc, pdf);
  int tocPages = 1;
  std::vector<int> pages(headings.size());
  for (int pass = 0; pass < 3; ++pass) {
    for (std::size_t i = 0; i < headings.size(); ++i) pages[i] = bodyPage[i] + 2 + tocPages;
    contents(toc, headings, pages);
    if (toc.pageCount() == tocPages) break;
    tocPages = toc.pageCount();
  }
  QPainter p;
  if (!p.begin(&pdf)) return fail("cannot write " + path);
  const QString footer = "ZORVIN " + version + " User's Manual";
  titlePage(p, version);
  int number = 1;
  for (int i = 0; i < toc.pageCount(); ++i) {
    pdf.newPage();
    drawPage(p, toc, i, ++number, footer);
  }
  for (int i = 0; i < doc.pageCount(); ++i) {
    pdf.newPage();
    drawPage(p, doc, i, ++number, footer);
  }
  pageCount = number;
  return p.end() || fail("cannot finish " + path);
}

bool writeHtml(const QTextDocument& doc, const std::vector<Heading>& headings, const QString& path,
               const QString& version) {
  QString body = doc.toHtml();
  const qsizetype open = body.indexOf('>', body.indexOf("<body")) + 1, close = body.lastIndexOf("</body>");
  body = body.mid(open, close - open);
  QString html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>ZORVIN " + version +
                 " Help</title>\n<style>\nbody { font-family: 'DejaVu Sans', sans-serif; max-width: 50em; "
                 "margin: 2em auto; padding: 0 1em; line-height: 1.4; }\nnav li { margin: .15em 0; }\n"
                 "table { border-collapse: collapse; }\nimg { max-width: 100%; height: auto; }\n</style>\n"
                 "</head>\n<body>\n<h1>ZORVIN " + version + " Help</h1>\n<nav>\n<h2>Contents</h2>\n<ul>\n";
  for (std::size_t i = 0; i < headings.size(); ++i) {
    const Heading& h = headings[i];
    html += QString("<li><a href=\"#%1\">%2</a>").arg(h.anchor, (h.number + " " + h.text).trimmed().toHtmlEscaped());
    const bool next2 = i + 1 < headings.size() && headings[i + 1].level == 2;
    if (h.level == 1) html += next2 ? "\n<ul>\n" : "</li>\n";
    if (h.level == 2) html += next2 ? "</li>\n" : "</li>\n</ul></li>\n";
  }
  html += "</ul>\n</nav>\n<hr>\n" + body + "\n</body>\n</html>\n";
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(html.toUtf8()) < 0 || !f.flush())
    return fail("cannot write " + path);
  return true;
}

bool run(const QString& docsDir, const QString& outDir, const QString& version) {
  QDir docs(docsDir);
  const QStringList names = docs.entryList({"*.md"}, QDir::Files, QDir::Name);
  if (names.isEmpty()) return fail("no chapters in " + docsDir);
  QString markdown;
  for (const QString& name : names) {
    QFile f(docs.filePath(name));
    if (!f.open(QIODevice::ReadOnly)) return fail("cannot read " + f.fileName());
    markdown += QString::fromUtf8(f.readAll()) + "\n\n";
  }
  const QDir out(outDir);
  if (!out.mkpath("figures")) return fail("cannot make " + out.filePath("figures"));
  const std::map<QString, QImage> figures{{"figures/coordinates.png", drawCoordinates()},
                                          {"figures/pilegroup.png", drawPileGroup()}};
  for (const auto& [name, image] : figures)
    if (!image.save(out.filePath(name), "PNG")) return fail("cannot write " + out.filePath(name));
  // Only the figures drawn here exist: any other image would be missing from both outputs.
  for (const QRegularExpressionMatch& m : QRegularExpression(R"(!\[[^\]]*\]\(([^)]*)\))").globalMatch(markdown))
    if (figures.count(m.captured(1)) == 0) return fail("the chapters show an unknown figure " + m.captured(1));

  QTextDocument doc;
  doc.setDefaultFont(font(kSans, 10));
  doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  for (const auto& [name, image] : figures) doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
  const std::vector<Heading> headings = style(doc, figures);
  if (!writeHtml(doc, headings, out.filePath("zorvin-help.html"), version)) return false;
  int pages = 0;
  if (!writePdf(doc, headings, out.filePath("zorvin-manual.pdf"), version, pages)) return false;
  std::printf("zorvin-manual.pdf: %d pages\n", pages);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zrv-manual DOCS_DIR OUT_DIR VERSION\n");
    return 2;
  }
  // Headless: no display, and a private runtime folder when none is set.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QByteArray runtime;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    runtime = QDir::tempPath().toLocal8Bit() + "/zrv-manual-XXXXXX";
    if (mkdtemp(runtime.data()) != nullptr) qputenv("XDG_RUNTIME_DIR", runtime);
  }
  int code = 1;
  {
    QGuiApplication app(argc, argv);
    code = run(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]))
               ? 0
               : 1;
  }
  if (!runtime.isEmpty()) QDir(QString::fromLocal8Bit(runtime)).removeRecursively();
  return code;
}
