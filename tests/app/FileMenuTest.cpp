// The "Datei" commands and the close query: when the save question comes, what each answer
// does, which names the file dialogs are given, and the new project's state. Also the "Info"
// command and what the about dialog's creation does to the windows' font.
#include "support/ProgramFixture.h"
#include "support/QtPrinters.h"

#include "model/Readouts.h"
#include "model/ViewLimits.h"
#include "widgets/InfoDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class FileMenuTest : public ProgramTest {
protected:
  // Calls of one kind of dialog, in order.
  std::vector<FakeDialogs::Shown> CallsOf(const QString &kind) const {
    std::vector<FakeDialogs::Shown> calls;
    for (const auto &c : dialogs->Calls)
      if (c.Kind == kind)
        calls.push_back(c);
    return calls;
  }
  size_t Questions() const { return CallsOf(QStringLiteral("question")).size(); }

  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("feld.kbf"));
};

TEST_F(FileMenuTest, NewProjectOnACleanDocumentAsksNothingAndResetsTheDocument) {
  const int a = CreateTestCharge(300, 200);
  const int b = CreateTestCharge(450, 250);
  Press(100, 100, Qt::RightButton);
  Move(140, 110);
  Release(140, 110, Qt::RightButton);
  SetUpScene([a, b](TScene &scene) {
    scene.Voltage = {a, b, 0};
    scene.PixelsPerMetre *= 3;
    scene.ArrowScale = 5e-20L;
    scene.ArrowColor = 0x0000FF;
    scene.StepLength = 9;
    scene.ShowCursorLine = false;
  });
  Form3->show();
  Form3->SetPotentialSearching(Form3->Panel_Pos1);
  Form2->PageControl->setCurrentIndex(2);
  Form1->SetFileName(path);
  Doc().MarkSaved();
  MarkBackground();

  Form1->MenuItem_New->trigger();
  EXPECT_EQ(Questions(), 0u);
  EXPECT_TRUE(Charges().Empty());
  EXPECT_EQ(Form2->ComboBox_Charges->count(), 0);
  EXPECT_EQ(Form2->ComboBox_Charges->currentIndex(), -1);
  EXPECT_EQ(Form2->PageControl->currentIndex(), 0);
  EXPECT_EQ(Scene().Voltage, TVoltageChoice{});
  EXPECT_EQ(Form3->ChargeOf(Form3->Panel_Pos1), -1);
  EXPECT_EQ(Form3->ChargeOf(Form3->Panel_Pos2), -1);
  EXPECT_EQ(Form3->Panel_Pos1->text(), kNoChargeChosenText);
  EXPECT_EQ(Form3->PotentialSearching(), nullptr);
  EXPECT_EQ(Form3->ComboBox_Value->currentIndex(), -1);
  EXPECT_FALSE(Form3->isVisible());
  EXPECT_EQ(Scene().Origin, (TPoint{396, 267}));
  EXPECT_EQ(Scene().PixelsPerMetre, DefaultPixelsPerMetre());
  EXPECT_EQ(Scene().ArrowScale, kDefaultArrowScale);
  EXPECT_EQ(Scene().ArrowColor, 0x0000FFu) << "view settings outside the file stay";
  EXPECT_EQ(Scene().StepLength, 9u);
  EXPECT_FALSE(Scene().ShowCursorLine);
  EXPECT_EQ(Form1->FileName(), QString());
  EXPECT_EQ(Form1->windowTitle(), QStringLiteral("Das Kraftbild[*]"));
  EXPECT_FALSE(Doc().Modified());
  EXPECT_FALSE(BackgroundMarked());
  EXPECT_FALSE(FrameMarked());
}

struct CloseCase {
  const char *name;
  TQuestionAnswer answer;
  std::optional<QString> saveName; // "" stands for the test's path
  bool closes;
  bool saved;
};

class CloseQueryTest : public FileMenuTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQueryTest, ClosingWithUnsavedChanges) {
  const CloseCase &c = GetParam();
  Create(300, 200);
  dialogs->Answers = {c.answer};
  if (c.saveName)
    dialogs->FileNames = {c.saveName->isEmpty() ? path : *c.saveName};

  EXPECT_EQ(Form1->close(), c.closes);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_EQ(Form1->isVisible(), !c.closes);
  EXPECT_EQ(Form1->Terminated(), c.closes);
  EXPECT_EQ(QFile::exists(path), c.saved);
  EXPECT_EQ(Doc().Modified(), !c.saved) << "the changes are kept unless saved";
  EXPECT_TRUE(dialogs->Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseQueryTest,
    ::testing::Values(
        CloseCase{"YesSavesUnderANewNameAndCloses", TQuestionAnswer::Yes, "", true, true},
        CloseCase{"YesThenCancelledSaveDialogKeepsTheWindow", TQuestionAnswer::Yes, std::nullopt,
                  false, false},
        CloseCase{"NoClosesWithoutSaving", TQuestionAnswer::No, std::nullopt, true, false},
        CloseCase{"CancelKeepsTheWindow", TQuestionAnswer::Cancel, std::nullopt, false, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FileMenuTest, CleanDocumentClosesWithoutAQuestionAndAFailedSaveKeepsTheWindow) {
  // "Yes" with a save that fails: the error is shown and the window stays.
  Create(300, 200);
  Form1->SetFileName(dir.filePath(QStringLiteral("fehlt/feld.kbf")));
  dialogs->Answers = {TQuestionAnswer::Yes};
  Form1->MenuItem_End->trigger();
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_FALSE(Form1->Terminated());
  ASSERT_EQ(dialogs->Errors().size(), 1u);
  EXPECT_TRUE(dialogs->Errors()[0].startsWith(QStringLiteral("Datei \"")));
  EXPECT_TRUE(Doc().Modified());

  Doc().MarkSaved();
  EXPECT_TRUE(Form1->close());
  EXPECT_EQ(Questions(), 1u);
}

TEST_F(FileMenuTest, OpenAnsweredNoAndCancelledLeavesTheDocumentModified) {
  const TPointCharge charge = Charge(Create(300, 200));
  dialogs->Answers = {TQuestionAnswer::No};
  Form1->MenuItem_Open->trigger();
  EXPECT_EQ(Questions(), 1u);
  EXPECT_EQ(CallsOf(QStringLiteral("open")).size(), 1u);
  ASSERT_EQ(Charges().Count(), 1);
  EXPECT_EQ(Charge(0), charge);
  EXPECT_TRUE(Doc().Modified());

  // Cancel at the question: no dialog at all.
  dialogs->Answers = {TQuestionAnswer::Cancel};
  Form1->MenuItem_Open->trigger();
  EXPECT_EQ(CallsOf(QStringLiteral("open")).size(), 1u);
  EXPECT_EQ(Charges().Count(), 1);
}

TEST_F(FileMenuTest, FileDialogsGetTheFilterAndTheirStartingNames) {
  const QString other = dir.filePath(QStringLiteral("zwei.kbf"));
  Create(300, 200);

  // Save on a project without a file behaves as save as.
  dialogs->FileNames = {path};
  Form1->MenuItem_Save->trigger();
  Create(400, 200);
  Form1->MenuItem_Save->trigger(); // now in place, without a dialog
  dialogs->FileNames = {other};
  Form1->MenuItem_SaveAs->trigger();
  const auto saves = CallsOf(QStringLiteral("save"));
  ASSERT_EQ(saves.size(), 2u);
  EXPECT_EQ(saves[0].Title, QStringLiteral("Kraftbilder (*.kbf)|*.kbf"));
  EXPECT_EQ(saves[0].Caption, QString()) << "the system's own title";
  EXPECT_EQ(saves[0].Text, QString()) << "no name yet";
  EXPECT_EQ(saves[1].Text, path) << "the save dialog is given the current file name";
  EXPECT_EQ(Form1->FileName(), other);
  EXPECT_FALSE(Doc().Modified());

  // The open dialog starts with the name it returned last, whatever was saved since.
  dialogs->FileNames = {path, std::nullopt};
  Form1->MenuItem_Open->trigger();
  EXPECT_EQ(Charges().Count(), 2) << "the second save went into the first file";
  Form1->MenuItem_Open->trigger();
  const auto opens = CallsOf(QStringLiteral("open"));
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[0].Title, QStringLiteral("Kraftbilder (*.kbf)|*.kbf"));
  EXPECT_EQ(opens[0].Text, QString());
  EXPECT_EQ(opens[1].Text, path);
  EXPECT_EQ(Questions(), 0u) << "every command ran on a saved document";
  EXPECT_TRUE(dialogs->Errors().empty());
}

TEST_F(FileMenuTest, InfoShowsTheAboutDialogWithTitlePeriodAndIcon) {
  ASSERT_NE(Info, nullptr);
  EXPECT_FALSE(Info->isVisible());
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(Form1->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
  bool wasModal = false;
  QString caption;
  QTimer::singleShot(0, Info, [&] {
    wasModal = QApplication::activeModalWidget() == Info;
    caption = Info->windowTitle();
    Info->done(QDialog::Accepted);
  });
  Form1->MenuItem_Info->trigger();
  EXPECT_TRUE(wasModal);
  EXPECT_EQ(caption, QStringLiteral("Info über Das Kraftbild"));
  EXPECT_EQ(Info->AppTitle(), QStringLiteral("Das Kraftbild"));
  EXPECT_EQ(Info->DevTime(), QStringLiteral("2005"));
  EXPECT_FALSE(Doc().Modified());
}

TEST(ProgramFontTest, TheAboutDialogGivesTheWindowsOpenAtStartTheMessageFace) {
  // An application font whose face differs from the message font's makes the change visible.
  const QFont previous = QApplication::font();
  QFont own(QStringLiteral("Kraftbild Startschrift"));
  own.setPointSize(11);
  QApplication::setFont(own);
  FakeDialogs::Install();
  {
    TProgram program;
    const QString face = MessageFontFace();
    ASSERT_NE(face, own.family());
    EXPECT_EQ(program.Main().font().family(), face);
    EXPECT_EQ(program.Settings().font().family(), face);
    EXPECT_EQ(program.Main().PictureTarget().FontName, face)
        << "the axis labels use the main window's face";
  }
  FakeDialogs::Restore();
  QApplication::setFont(previous);
}

} // namespace
