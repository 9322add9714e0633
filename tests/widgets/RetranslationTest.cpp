// The widgets follow a switch of language at run time: the about dialog (its painted header
// too), the handbook window and the colour list set every text again in the new language;
// colour names the user gave stay as they are.
#include "support/Retranslation.h"
#include "widgets/HandbookWindow.h"
#include "widgets/InfoDlg.h"
#include "widgets/PellColorComboBox.h"

#include <QFile>
#include <QIcon>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kUserNamedIndex = 3;

std::unique_ptr<TPellColorComboBox> ColorListWithAUserName() {
  auto combo = std::make_unique<TPellColorComboBox>();
  // Inserted in the middle: the program's names after it move up by one.
  combo->AddColor(0x808000, QStringLiteral("Türkis"), kUserNamedIndex);
  combo->SetColor(0x0000FF);
  return combo;
}

TEST(WidgetRetranslationTest, EveryShownTextFollowsTheSwitch) {
  QTemporaryDir pages;
  const QString page = pages.filePath(QStringLiteral("start.html"));
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html><head><title>Erste Schritte</title></head><body>Text</body></html>");
  file.close();

  struct TCase {
    const char *name;
    std::function<std::unique_ptr<QWidget>()> make;
    QStringList kept;
  };
  const std::vector<TCase> cases = {
      {"about dialog",
       [] {
         auto info = std::make_unique<TInfo>();
         info->SetInfo(QStringLiteral("Das Kraftbild"), QStringLiteral("2005"), QIcon());
         return info;
       },
       {}},
      {"handbook window without a page",
       [] { return std::make_unique<THandbookWindow>(QUrl()); },
       {}},
      {"handbook window on a page",
       [&page] {
         auto handbook = std::make_unique<THandbookWindow>(QUrl());
         handbook->ShowPage(QUrl::fromLocalFile(page));
         EXPECT_EQ(handbook->windowTitle(), QStringLiteral("Handbuch - Erste Schritte"));
         return handbook;
       },
       {}},
      {"colour list", [] { return ColorListWithAUserName(); }, {QStringLiteral("Türkis")}},
  };
  for (const TCase &c : cases) {
    const std::unique_ptr<QWidget> widget = c.make();
    EXPECT_EQ(TextsNotFollowingTheSwitch(widget.get(), c.kept), QStringList()) << c.name;
  }
}

TEST(WidgetRetranslationTest, UserColorNamesStayAndPaintedHeaderFollows) {
  const std::unique_ptr<TPellColorComboBox> combo = ColorListWithAUserName();
  TInfo info;
  info.resize(TInfo::ClientWidth, TInfo::ClientHeight);
  info.SetInfo(QStringLiteral("Das Kraftbild"), QStringLiteral("2005"), QIcon());
  const QImage germanHeader = info.HeaderImage();

  TMarkingTranslator marking;
  QCoreApplication::installTranslator(&marking);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  const QStringList names = combo->Items();
  const QImage markedHeader = info.HeaderImage();
  QCoreApplication::removeTranslator(&marking);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

  EXPECT_EQ(names[kUserNamedIndex], QStringLiteral("Türkis"));
  EXPECT_EQ(names[kUserNamedIndex - 1], TMarkingTranslator::Mark() + QStringLiteral("Hellgrau"));
  EXPECT_EQ(names[kUserNamedIndex + 1], TMarkingTranslator::Mark() + QStringLiteral("Weiß"));
  EXPECT_EQ(names.back(), TMarkingTranslator::Mark() + QStringLiteral("Andere Farbe"));
  // "Version: " and "Entwicklungszeit: " are painted, not shown by a label.
  EXPECT_NE(markedHeader, germanHeader);
  EXPECT_EQ(info.HeaderImage(), germanHeader);
  EXPECT_EQ(combo->Items()[kUserNamedIndex + 1], QStringLiteral("Weiß"));
}

} // namespace
