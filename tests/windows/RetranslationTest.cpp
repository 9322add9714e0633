// The windows follow a switch of language at run time: every text they show is set again in
// the new language, readouts follow the new number format, and the English texts keep an
// Alt key of their own for every button.
#include "WindowsFixture.h"

#include "model/Readouts.h"
#include "support/Mnemonics.h"
#include "support/Retranslation.h"
#include "widgets/PellColorComboBox.h"
#include "windows/PotentialGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTranslator>

#include <functional>
#include <vector>

namespace {

class RetranslationTest : public WindowsTest {
protected:
  // A source, two test charges in its field, the first selected, and the voltage between
  // them on show: every page and panel shows values rather than hints.
  void SetUpCharges() {
    Create(400, 330);
    const int start = CreateTestCharge(300, 200);
    const int end = CreateTestCharge(517, 263);
    document.Select(start);
    document.ChooseVoltage({start, end, kValueVoltage}, false);
  }
  // Posts the switch to the windows, as installing a translator does.
  void SwitchLanguage() {
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(settings.get(), &change);
    QCoreApplication::sendEvent(voltage.get(), &change);
  }
};

TEST_F(RetranslationTest, EveryShownTextFollowsTheSwitch) {
  SetUpCharges();
  struct TCase {
    const char *name;
    std::function<QWidget *()> show;
  };
  const std::vector<TCase> cases = {
      {"settings window, charge page",
       [this] {
         settings->PageControl->setCurrentIndex(0);
         return settings.get();
       }},
      {"settings window, data page",
       [this] {
         settings->PageControl->setCurrentIndex(1);
         return settings.get();
       }},
      {"settings window, view page",
       [this] {
         settings->PageControl->setCurrentIndex(2);
         return settings.get();
       }},
      {"settings window, equipotential group",
       [this] {
         settings->PageControl->setCurrentIndex(2);
         settings->TabSheet_View->Button_Potential->click();
         return settings.get();
       }},
      {"voltage window",
       [this] {
         voltage->show();
         return voltage.get();
       }},
  };
  for (const TCase &c : cases)
    EXPECT_EQ(TextsNotFollowingTheSwitch(c.show()), QStringList()) << c.name;
}

// The numbers a window shows are shown again in the number format of the new language.
TEST_F(RetranslationTest, ShownNumbersFollowTheNumberFormat) {
  SetUpCharges();
  settings->PageControl->setCurrentIndex(1);
  const auto shown = [this] {
    return QStringList{settings->TabSheet_Charge->Edit_X->text(),
                       settings->TabSheet_Charge->Edit_Y->text(), settings->TabSheet_Data->Value(0),
                       voltage->Label_Value->text()};
  };
  const QStringList german = shown();
  for (const QString &text : german)
    ASSERT_TRUE(text.contains(u',')) << text.toStdString();

  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  SwitchLanguage();
  QStringList english = german;
  for (QString &text : english)
    text.replace(u',', u'.');
  EXPECT_EQ(shown(), english);
}

// The English file makes the windows English; in each window every button keeps an Alt key
// of its own.
TEST_F(RetranslationTest, EnglishHasItsOwnKeysInEachWindow) {
  QTranslator windows;
  QTranslator widgets;
  ASSERT_TRUE(windows.load(QStringLiteral(":/i18n/windows_en.qm")));
  ASSERT_TRUE(widgets.load(QStringLiteral(":/i18n/widgets_en.qm")));
  QCoreApplication::installTranslator(&windows);
  QCoreApplication::installTranslator(&widgets);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

  const TChargeTab &charge = *settings->TabSheet_Charge;
  const TViewTab &view = *settings->TabSheet_View;
  EXPECT_EQ(settings->windowTitle(), QStringLiteral("Settings"));
  EXPECT_EQ(settings->PageControl->tabText(0), QStringLiteral("Charge"));
  EXPECT_EQ(settings->PageControl->tabText(2), QStringLiteral("View"));
  EXPECT_EQ(charge.Button_Apply->text(), QStringLiteral("&Apply"));
  EXPECT_EQ(charge.ComboBox_Unit->itemText(0), QStringLiteral("1 elementary charge"));
  EXPECT_EQ(view.Group_Potential->title(), QStringLiteral("Equipotential lines"));
  EXPECT_EQ(view.PellColorComboBox_Arrow->itemText(0), QStringLiteral("Black"));
  EXPECT_EQ(voltage->windowTitle(), QStringLiteral("Voltage and Work"));
  EXPECT_EQ(voltage->ComboBox_Value->itemText(kValueWork), QStringLiteral("Work required:"));

  const auto keyTexts = [](QWidget *window) {
    QStringList texts;
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
      if (qobject_cast<QPushButton *>(button) != nullptr ||
          qobject_cast<QCheckBox *>(button) != nullptr ||
          qobject_cast<QRadioButton *>(button) != nullptr)
        texts << button->text();
    for (QLabel *label : window->findChildren<QLabel *>())
      if (label->buddy() != nullptr)
        texts << label->text();
    return texts;
  };
  for (QWidget *window :
       {static_cast<QWidget *>(settings.get()), static_cast<QWidget *>(voltage.get())}) {
    const QStringList texts = keyTexts(window);
    QStringList keys = MnemonicKeys(texts);
    EXPECT_FALSE(keys.contains(QString())) << texts.join(u'|').toStdString();
    EXPECT_EQ(keys.removeDuplicates(), 0) << texts.join(u'|').toStdString();
  }

  QCoreApplication::removeTranslator(&windows);
  QCoreApplication::removeTranslator(&widgets);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  EXPECT_EQ(charge.Button_Apply->text(), QStringLiteral("Ü&bernehmen"));
}

} // namespace
