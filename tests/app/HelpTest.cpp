// Help in the program: the handbook's pages and their links, F1 from every window, the tool
// windows' tooltips and the status bar's hint of what a click would do.
#include "support/ProgramFixture.h"

#include "app/Handbook.h"
#include "model/NumberText.h"
#include "widgets/HandbookWindow.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

#include <map>

namespace {

using HelpTest = ProgramTest;

// The targets of a page's links and pictures, as written in it.
QStringList LinkTargets(const QString &html) {
  static const QRegularExpression link(QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"));
  QStringList targets;
  for (auto it = link.globalMatch(html); it.hasNext();)
    targets << it.next().captured(1);
  return targets;
}

QString ReadResource(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(HandbookTest, EveryLinkResolvesAndBothLanguagesHaveTheSamePages) {
  const QStringList languages = {QStringLiteral("de"), QStringLiteral("en")};
  std::map<QString, std::map<QString, QSet<QString>>> linksOf; // language, page: targets
  for (const QString &language : languages) {
    const QDir folder(HandbookFolder(language));
    const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 5) << language.toStdString();
    for (const QString &page : pages) {
      const QString html = ReadResource(folder.filePath(page));
      ASSERT_FALSE(html.isEmpty()) << page.toStdString();
      EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
      const QUrl base(QStringLiteral("qrc") + folder.filePath(page));
      QSet<QString> &links = linksOf[language][page];
      for (const QString &target : LinkTargets(html)) {
        const QUrl resolved = base.resolved(QUrl(target));
        const QString path = QLatin1Char(':') + resolved.path();
        SCOPED_TRACE(language.toStdString() + "/" + page.toStdString() + " -> " +
                     target.toStdString());
        ASSERT_EQ(resolved.scheme(), QStringLiteral("qrc"));
        ASSERT_TRUE(resolved.fragment().isEmpty());
        ASSERT_TRUE(QFile::exists(path));
        if (path.endsWith(QStringLiteral(".png"))) {
          EXPECT_FALSE(QImage(path).isNull());
        }
        links.insert(target);
      }
    }
  }
  // Same pages, and each links to the same pages and pictures in both languages.
  EXPECT_EQ(linksOf[QStringLiteral("de")], linksOf[QStringLiteral("en")]);
  for (const THandbookPage page :
       {THandbookPage::Start, THandbookPage::MainWindow, THandbookPage::Settings,
        THandbookPage::Voltage, THandbookPage::Projects})
    EXPECT_TRUE(QFile::exists(QLatin1Char(':') + HandbookUrl(page).path()))
        << HandbookUrl(page).toString().toStdString();
  // The first page shows the three pictures.
  const QStringList start =
      LinkTargets(ReadResource(QLatin1Char(':') + HandbookUrl(THandbookPage::Start).path()));
  EXPECT_EQ(start.filter(QStringLiteral(".png")).size(), 3);
}

TEST_F(HelpTest, F1OpensTheHandbookOnThePageOfTheActiveWindow) {
  struct Case {
    QWidget *window;
    THandbookPage page;
    const char *title;
  };
  const Case cases[] = {{Form1, THandbookPage::Start, "Handbuch - Erste Schritte"},
                        {Form2, THandbookPage::Settings, "Handbuch - Einstellungen"},
                        {Form3, THandbookPage::Voltage, "Handbuch - Spannung und Arbeit"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.title);
    c.window->show();
    c.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : c.window;
    QTest::keyClick(target, Qt::Key_F1);
    THandbookWindow *handbook = program->Handbook();
    ASSERT_NE(handbook, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(handbook)) << "in front";
    EXPECT_FALSE(handbook->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(handbook->CurrentPage(), HandbookUrl(c.page));
    EXPECT_EQ(handbook->windowTitle(), QString::fromUtf8(c.title)) << "the page was read";
  }
  // Links, back and home move in the same window.
  THandbookWindow &handbook = *program->Handbook();
  handbook.Button_Home->click();
  EXPECT_EQ(handbook.CurrentPage(), HandbookUrl(THandbookPage::Start));
  // As a click on a link does: relative to the page shown.
  handbook.Browser->setSource(
      handbook.CurrentPage().resolved(QUrl(QStringLiteral("projekte.html"))));
  EXPECT_EQ(handbook.CurrentPage(), HandbookUrl(THandbookPage::Projects));
  ASSERT_TRUE(handbook.Button_Back->isEnabled());
  handbook.Button_Back->click();
  EXPECT_EQ(handbook.CurrentPage(), HandbookUrl(THandbookPage::Start));
  // The menu entry opens the first page as well.
  handbook.hide();
  Form1->MenuItem_Handbook->trigger();
  EXPECT_TRUE(handbook.isVisible());
}

TEST_F(HelpTest, EveryControlOfTheToolWindowsHasATooltip) {
  program->ShowHandbook();
  QStringList missing;
  for (QWidget *window : {static_cast<QWidget *>(Form2), static_cast<QWidget *>(Form3),
                          static_cast<QWidget *>(program->Handbook())}) {
    int controls = 0;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
      const bool control = qobject_cast<QAbstractButton *>(widget) ||
                           qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget) ||
                           qobject_cast<QSpinBox *>(widget) || qobject_cast<QSlider *>(widget) ||
                           qobject_cast<QCheckBox *>(widget);
      // The edit inside a spin or combo box and a tab bar's scroll arrows are parts of a
      // control, which speaks for them.
      QWidget *parent = widget->parentWidget();
      const bool part = qobject_cast<QAbstractSpinBox *>(parent) ||
                        qobject_cast<QComboBox *>(parent) || qobject_cast<QTabBar *>(parent);
      if (!control || part)
        continue;
      ++controls;
      if (widget->toolTip().trimmed().isEmpty())
        missing << window->windowTitle() + QStringLiteral(": ") +
                       widget->metaObject()->className() + QLatin1Char(' ') +
                       (qobject_cast<QAbstractButton *>(widget)
                            ? qobject_cast<QAbstractButton *>(widget)->text()
                            : QString());
    }
    EXPECT_GT(controls, 0) << window->windowTitle().toStdString();
  }
  for (int tab = 0; tab < Form2->PageControl->count(); ++tab)
    if (Form2->PageControl->tabToolTip(tab).isEmpty())
      missing << Form2->PageControl->tabText(tab);
  for (TPositionPanel *panel : {Form3->Panel_Pos1, Form3->Panel_Pos2})
    if (panel->toolTip().isEmpty())
      missing << panel->text();
  EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral("\n")).toStdString();
}

TEST_F(HelpTest, StatusBarSaysWhatAClickWouldDoBesideThePosition) {
  const QString pan = QStringLiteral("Rechte Taste: Ansicht verschieben");
  const int charge = Create(200, 150);
  const TPointCharge &created = Charge(charge);
  const QPoint centre(static_cast<int>(created.X) + 10, static_cast<int>(created.Y) + 10);
  struct Case {
    QPoint at;
    const char *hint;
  };
  const Case cases[] = {{QPoint(400, 300), "Klicken: neue Ladung"},
                        {centre, "Ziehen: Ladung verschieben"},
                        {centre + QPoint(9, 0), "Ziehen: Ladung verschieben"},
                        {centre + QPoint(12, 0), "Klicken: neue Ladung"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.hint);
    Move(c.at.x(), c.at.y());
    const QString hint = Form1->StatusHint->text();
    EXPECT_TRUE(hint.startsWith(QString::fromUtf8(c.hint))) << hint.toStdString();
    EXPECT_TRUE(hint.endsWith(pan)) << hint.toStdString();
    // The message is the position alone, as before.
    const TWorldPoint mouse = Scene().ScreenToWorld(c.at.x(), c.at.y());
    EXPECT_EQ(Form1->StatusBar->currentMessage(), StatusPositionText(mouse.X, mouse.Y));
  }
  // During a pan the hint stays; while a charge is dragged it says so even where the mouse
  // leaves the charge behind for a moment.
  Press(centre.x(), centre.y());
  Move(centre.x() + 60, centre.y());
  EXPECT_TRUE(Form1->StatusHint->text().startsWith(QStringLiteral("Ziehen")));
  Release(centre.x() + 60, centre.y());
  EXPECT_EQ(Charges().Count(), 1);
}

} // namespace
