// Autosave and recovery in the running program: when the recovery file is written and
// removed, and what the offer at start does with work left behind.
#include "support/ProgramFixture.h"

#include "app/Autosave.h"
#include "app/ProjectCommands.h"
#include "app/Recovery.h"
#include "file/ProjectCodec.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace {

class RecoveryTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    store = std::make_unique<TRecoveryStore>(dir.filePath(QStringLiteral("recovery")));
    autosave = std::make_unique<TAutosave>(
        Doc(), *store, [this] { return CaptureRecoverySnapshot(Project()); },
        std::chrono::minutes(1));
  }
  void TearDown() override {
    autosave.reset();
    store.reset();
    ProgramTest::TearDown();
  }

  // What the timer would do once its interval has passed.
  void TimerFires() {
    if (autosave->Due())
      autosave->WriteIfDue();
    autosave->WaitForWrites();
  }
  bool Written() const {
    autosave->WaitForWrites();
    return QFile::exists(store->OwnFile());
  }
  // Work that a program which ended left behind in the same folder.
  QString LeaveWork(const QString &fileName, int charges) const {
    TRecoveryStore ended(store->Folder());
    EXPECT_TRUE(ended.Claim());
    TRecoverySnapshot work;
    work.Project.OriginX = 200;
    work.Project.OriginY = 150;
    for (int i = 0; i < charges; ++i)
      work.Project.Charges.push_back({40.0 * i, 30, -kElementaryCharge, 8, false, 0});
    work.FileName = fileName;
    work.Written = QDateTime::currentDateTimeUtc();
    ended.Write(work);
    return ended.OwnFile();
  }

  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("Feld.kbf"));
  std::unique_ptr<TRecoveryStore> store;
  std::unique_ptr<TAutosave> autosave;
};

TEST_F(RecoveryTest, UnsavedWorkIsWrittenUntilSavedOrGivenUp) {
  EXPECT_FALSE(autosave->Due());
  Create(300, 200);
  EXPECT_TRUE(autosave->Due()) << "the first change starts the interval";
  EXPECT_FALSE(Written()) << "not before the interval is over";
  TimerFires();
  ASSERT_TRUE(Written());
  TRecoverySnapshot written = ReadRecoveryFile(store->OwnFile());
  EXPECT_EQ(written.Project, Project().Capture());
  EXPECT_EQ(written.FileName, QString());
  EXPECT_FALSE(autosave->Due()) << "nothing new to write";

  // Each step that puts the work into a file or gives it up removes the recovery file.
  struct Step {
    const char *name;
    std::function<void()> act;
  };
  QByteArray saved;
  const std::vector<Step> steps = {
      {"save",
       [&] {
         dialogs->FileNames.push_back(path);
         Form1->MenuItem_SaveAs->trigger();
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::ReadOnly));
         saved = file.readAll();
       }},
      {"undo back to the saved state", [this] { Doc().Undo(); }},
      {"Neu, not saving",
       [&] {
         dialogs->Answers.push_back(TQuestionAnswer::No);
         Form1->MenuItem_New->trigger();
       }},
      {"open",
       [&] {
         dialogs->Answers.push_back(TQuestionAnswer::No);
         dialogs->FileNames.push_back(path);
         Form1->MenuItem_Open->trigger();
       }},
  };
  for (const Step &step : steps) {
    SCOPED_TRACE(step.name);
    Create(100, 100 + 50 * Charges().Count());
    TimerFires();
    ASSERT_TRUE(Written());
    step.act();
    EXPECT_FALSE(Written());
    EXPECT_FALSE(autosave->Due());
  }
  EXPECT_TRUE(dialogs->Errors().empty());

  // A failed open leaves modified work, which is autosaved like any other.
  QFile damaged(path);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(saved.left(40));
  damaged.close();
  dialogs->FileNames.push_back(path);
  Form1->MenuItem_Open->trigger();
  ASSERT_EQ(dialogs->Errors().size(), 1u);
  TimerFires();
  ASSERT_TRUE(Written());
  written = ReadRecoveryFile(store->OwnFile());
  EXPECT_EQ(written.FileName, QString());
  EXPECT_EQ(written.Project, Project().Capture());

  // A clean end removes it; the end a session asks for keeps it.
  autosave->Finish(true);
  EXPECT_TRUE(Written());
  autosave->Finish(false);
  EXPECT_FALSE(Written());
}

TEST_F(RecoveryTest, LeftWorkIsOfferedOnceEachAndRestoredOrDiscarded) {
  // A program that still runs: its work is not offered.
  TRecoveryStore running(store->Folder());
  ASSERT_TRUE(running.Claim());
  running.Write({});

  const QString titled = LeaveWork(path, 3);
  OfferLeftWork(*Form1, Project(), *store, *autosave);
  ASSERT_EQ(dialogs->Calls.size(), 1u);
  EXPECT_EQ(dialogs->Calls[0].Kind, "choice");
  EXPECT_EQ(dialogs->Calls[0].Title, "Ungesicherte Arbeit");
  EXPECT_TRUE(dialogs->Calls[0].Text.startsWith("Das Kraftbild wurde beendet, ohne das Projekt \"" +
                                                path + "\" zu speichern. Der Stand vom "))
      << dialogs->Calls[0].Text.toStdString();
  EXPECT_TRUE(dialogs->Calls[0].Text.endsWith(" ist erhalten.|Wiederherstellen|Verwerfen"));
  EXPECT_TRUE(QFile::exists(titled)) << "closing the question keeps it";
  EXPECT_TRUE(Charges().Empty());

  // Asked again at the next start: restored, under its old name, as modified work that
  // this program now keeps in its own recovery file.
  dialogs->Calls.clear();
  dialogs->Choices.push_back(0);
  OfferLeftWork(*Form1, Project(), *store, *autosave);
  ASSERT_EQ(dialogs->Calls.size(), 1u);
  EXPECT_EQ(Charges().Count(), 3);
  EXPECT_EQ(Scene().Origin, (TPoint{200, 150}));
  EXPECT_EQ(Form1->FileName(), path);
  EXPECT_TRUE(Doc().Modified());
  EXPECT_FALSE(QFile::exists(titled));
  ASSERT_TRUE(Written());
  EXPECT_EQ(ReadRecoveryFile(store->OwnFile()).Project.Charges.size(), 3u);

  // Untitled work, discarded; more work restored over the restored work asks to save that.
  const QString untitled = LeaveWork(QString(), 1);
  dialogs->Calls.clear();
  dialogs->Choices.push_back(1);
  OfferLeftWork(*Form1, Project(), *store, *autosave);
  EXPECT_FALSE(QFile::exists(untitled));
  EXPECT_EQ(Charges().Count(), 3);
  const QString another = LeaveWork(QString(), 2);
  dialogs->Calls.clear();
  dialogs->Choices.push_back(0);
  dialogs->Answers.push_back(TQuestionAnswer::No);
  OfferLeftWork(*Form1, Project(), *store, *autosave);
  ASSERT_EQ(dialogs->Calls.size(), 2u);
  EXPECT_EQ(dialogs->Calls[1].Kind, "question");
  EXPECT_EQ(Charges().Count(), 2);
  EXPECT_EQ(Form1->FileName(), QString());
  EXPECT_TRUE(Doc().Modified());
  EXPECT_FALSE(QFile::exists(another));
  EXPECT_TRUE(QFile::exists(running.OwnFile())) << "never touched";
}

} // namespace
