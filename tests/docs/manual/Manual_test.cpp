// The manual's sources name every menu item of the main window and every
// keyword of the engine's deck. The lists come from the program itself: the
// main window's menu bar (with each foundation system's project open, since
// some captions follow the system) and the engine's keyword table.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <filesystem>

#include "deck/reader.h"
#include "main_window_fixture.h"

namespace fs = std::filesystem;

namespace zrv::front {
namespace {

// The manual's source folder; ZRV_MANUAL_DIR in the environment checks another.
fs::path manualDir() {
  const QByteArray dir = qgetenv("ZRV_MANUAL_DIR");
  return dir.isEmpty() ? fs::path(ZRV_MANUAL_DIR) : fs::path(dir.toStdString());
}

// A menu caption as the manual writes it: without the accelerator marks and
// a trailing "...".
QString caption(QString text) {
  text.replace("&&", QChar(1)).remove('&').replace(QChar(1), "&");
  text = text.trimmed();
  if (text.endsWith("...")) text.chop(3);
  return text.trimmed();
}

// Every caption of `menu` and its submenus. The recent-file and window-list
// entries have no caption until their menu opens (the walk opens none), so
// they are skipped with the separators.
void walk(const QMenu* menu, QStringList& out) {
  for (const QAction* a : menu->actions()) {
    const QString c = caption(a->text());
    if (!a->isSeparator() && !c.isEmpty() && !out.contains(c)) out << c;
    if (a->menu() != nullptr) walk(a->menu(), out);
  }
}

QStringList matches(const QString& text, const QString& pattern) {
  QStringList out;
  for (const QRegularExpressionMatch& m : QRegularExpression(pattern).globalMatch(text)) out << m.captured(1);
  return out;
}

class ManualTest : public test::MainWindowTest {
protected:
  void SetUp() override {
    isolate();
    startWindow();
  }
  // The chapter's text; empty when the file is missing.
  QString chapter(const char* name) {
    QFile f(QString::fromStdString((manualDir() / name).string()));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
  }
};

TEST_F(ManualTest, EveryMenuItemIsInTheMenusChapter) {
  const QString text = chapter("03-menus.md");
  ASSERT_FALSE(text.isEmpty()) << "03-menus.md is not in " << manualDir();
  QStringList titles, items;
  for (const char* example : {"halfspace-harmonic", "stratum-harmonic", "multilayer-harmonic", "pilegroup-harmonic"}) {
    ASSERT_TRUE(window->OpenFile(test::q(fs::path(ZRV_EXAMPLES_DIR) / (std::string(example) + ".zvd"))));
    for (const QAction* top : window->menuBar()->actions()) {
      if (!titles.contains(caption(top->text()))) titles << caption(top->text());
      walk(top->menu(), items);
    }
  }
  ASSERT_GE(items.size(), 40);
  // Items in bold exactly; a menu's own title in bold or in a heading.
  const QStringList bold = matches(text, R"(\*\*(.+?)\*\*)");
  const QString headings = matches(text, R"((?m)^#+ +(.*)$)").join('\n');
  QStringList missing;
  for (const QString& item : items)
    if (!bold.contains(item)) missing << item;
  for (const QString& title : titles)
    if (!bold.contains(title) && !headings.contains(title)) missing << title;
  EXPECT_TRUE(missing.isEmpty()) << "not in bold in 03-menus.md: " << missing.join(" | ").toStdString();
}

TEST_F(ManualTest, EveryDeckKeywordIsInTheDeckChapter) {
  const QString text = chapter("08-deck.md");
  ASSERT_FALSE(text.isEmpty()) << "08-deck.md is not in " << manualDir();
  // Upper-case words in code: inline code spans and fenced blocks.
  QString code;
  bool fenced = false;
  for (const QString& line : text.split('\n')) {
    if (line.trimmed().startsWith("```")) {
      fenced = !fenced;
    } else if (fenced) {
      code += line + '\n';
    } else {
      code += matches(line, "`([^`]+)`").join('\n') + '\n';
    }
  }
  QStringList words;
  for (const QString& w : matches(code, "([A-Za-z][A-Za-z0-9-]*)"))
    if (w == w.toUpper()) words << w;
  QStringList missing;
  for (const Word& key : KEYTAB) {
    const QString prefix = QString::fromLatin1(key.view().data(), 4).trimmed();
    if (prefix.isEmpty()) continue;
    if (std::none_of(words.begin(), words.end(), [&](const QString& w) { return w.startsWith(prefix); }))
      missing << prefix;
  }
  EXPECT_TRUE(missing.isEmpty()) << "no upper-case word in code in 08-deck.md starts with: "
                                 << missing.join(' ').toStdString();
}

}  // namespace
}  // namespace zrv::front
