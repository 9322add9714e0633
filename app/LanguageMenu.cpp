// The main window's "Extras > Sprache": the program's language, switched at run time.
#include "app/MainWindow.h"
#include "widgets/ErrorGuard.h"

#include <QActionGroup>
#include <QMenu>

void TForm1::CreateLanguageMenu() {
  Extras1->addSeparator();
  MenuItem_Calibrate = Extras1->addAction(QString());
  Sprache1 = Extras1->addMenu(QString());
  auto *group = new QActionGroup(Sprache1);
  // Each language under its own name, so that a reader of the other finds it.
  MenuItem_German = Sprache1->addAction(QStringLiteral("Deutsch"));
  MenuItem_English = Sprache1->addAction(QStringLiteral("English"));
  for (const auto &[action, language] : {std::pair{MenuItem_German, TLanguage::German},
                                         std::pair{MenuItem_English, TLanguage::English}}) {
    action->setCheckable(true);
    group->addAction(action);
    ConnectGuarded(action, &QAction::triggered, this,
                   [this, language] { emit LanguageChosen(language); });
  }
  MenuItem_German->setChecked(true);
}

void TForm1::ShowLanguage(TLanguage language) {
  (language == TLanguage::English ? MenuItem_English : MenuItem_German)->setChecked(true);
}
