// Loading and saving projects in the running program: the same picture and voltage window
// after a round trip, what a failed load leaves behind, other screen densities, saves that
// fail without harming the file on disk, and saves onto a file another program has written.
#include "support/ProgramFixture.h"
#include "support/QtPrinters.h"

#include "app/ProjectCommands.h"
#include "base/Seams.h"
#include "file/ProjectCodec.h"
#include "model/Readouts.h"
#include "model/ViewLimits.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <vector>

namespace {

// A save file whose device refuses every write.
class TRefusingSaveFile : public TReplacingFile {
public:
  using TReplacingFile::TReplacingFile;

protected:
  qint64 writeData(const char *, qint64) override { return -1; }
};

class ProjectLoadSaveTest : public ProgramTest {
protected:
  void TearDown() override {
    seams::SetPixelsPerInchSource([] { return 96; }); // as every test starts
    ProgramTest::TearDown();
  }

  static QByteArray Contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void Put(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  void Open(const QString &path) {
    dialogs->FileNames.push_back(path);
    Form1->MenuItem_Open->trigger();
  }
  void SaveAs(const QString &path) {
    dialogs->FileNames.push_back(path);
    Form1->MenuItem_SaveAs->trigger();
  }
  void ClickCharge(int index) const {
    const int x = static_cast<int>(Charge(index).CenterX());
    const int y = static_cast<int>(Charge(index).CenterY());
    Press(x, y);
    Release(x, y);
  }
  // Chooses a test charge for a panel of the voltage window as the user does.
  void ChooseInVoltageWindow(TPositionPanel *panel, int index) const {
    QTest::mouseClick(panel, Qt::LeftButton);
    ClickCharge(index);
  }
  void Deselect() const {
    Form2->ComboBox_Charges->setCurrentIndex(-1);
    Form2->ComboBox_ChargesClick();
  }
  // Every sprite of the engine is a charge of the list, and the list has one entry each.
  void ExpectListsAgree(int count) const {
    EXPECT_EQ(Charges().Count(), count);
    EXPECT_EQ(Form2->ComboBox_Charges->count(), count);
    EXPECT_EQ(static_cast<int>(Form1->DXSpriteEngine.Engine()->Children().size()), count);
  }

  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("Dipol ü.kbf"));
};

TEST_F(ProjectLoadSaveTest, SavedProjectOpensToTheSamePictureAndVoltageWindow) {
  SetUpScene([](TScene &scene) {
    scene.PixelsPerMetre = DefaultPixelsPerMetre() * 1.5L;
    scene.ArrowScale = 4e-24L;
  });
  Create(300, 200);
  ChangeCharge(Create(520, 330),
               [](TPointCharge &charge) { charge.ChargeValue = -3 * kElementaryCharge; });
  const int start = CreateTestCharge(430, 150);
  const int end = CreateTestCharge(250, 400, -2 * kElementaryCharge);
  ChangeCharge(end, [](TPointCharge &charge) {
    charge.ChargeUnit = 1;
    charge.FieldLineCount = 5;
  });
  Press(100, 100, Qt::RightButton); // pan the view
  Move(130, 90);
  Release(130, 90, Qt::RightButton);
  Form3->show();
  ChooseInVoltageWindow(Form3->Panel_Pos1, start);
  ChooseInVoltageWindow(Form3->Panel_Pos2, end);
  Form3->ComboBox_Value->setCurrentIndex(1);
  emit Form3->ComboBox_Value->activated(1);
  Deselect(); // a loaded project has no selection, so the outline would differ
  const QImage before = Form1->DXDraw->PresentedImage().copy();
  const QStringList voltageBefore = {Form3->Panel_Pos1->text(), Form3->Panel_Pos2->text(),
                                     Form3->Label_Value->text()};
  std::vector<TChargeRecord> chargesBefore;
  for (const TPointCharge &c : Charges())
    chargesBefore.push_back(
        {c.X, c.Y, c.ChargeValue, c.FieldLineCount, c.IsTestCharge, c.ChargeUnit});
  const TPoint originBefore = Scene().Origin;
  const long double pixelsPerMetreBefore = Scene().PixelsPerMetre;

  SaveAs(path);
  EXPECT_FALSE(Doc().Modified());
  EXPECT_EQ(Form1->windowTitle(), "Das Kraftbild - [" + path + "][*]");

  Form1->MenuItem_New->trigger();
  ASSERT_TRUE(Charges().Empty());
  ASSERT_FALSE(Form3->isVisible());
  ASSERT_NE(Form1->DXDraw->PresentedImage(), before);

  Open(path);
  EXPECT_TRUE(dialogs->Errors().empty());
  EXPECT_EQ(Form1->DXDraw->PresentedImage(), before) << "pixel for pixel";
  ExpectListsAgree(4);
  for (int i = 0; i < Charges().Count(); ++i) {
    const TPointCharge &c = Charge(i);
    EXPECT_EQ(
        (TChargeRecord{c.X, c.Y, c.ChargeValue, c.FieldLineCount, c.IsTestCharge, c.ChargeUnit}),
        chargesBefore[i])
        << "charge " << i;
  }
  EXPECT_EQ(Scene().Origin, originBefore);
  EXPECT_NEAR(static_cast<double>(Scene().PixelsPerMetre / pixelsPerMetreBefore), 1.0, 1e-15);
  EXPECT_EQ(Scene().ArrowScale, 4e-24L);
  EXPECT_EQ(Form3->ChargeOf(Form3->Panel_Pos1), 2);
  EXPECT_EQ(Form3->ChargeOf(Form3->Panel_Pos2), 3);
  EXPECT_EQ((QStringList{Form3->Panel_Pos1->text(), Form3->Panel_Pos2->text(),
                         Form3->Label_Value->text()}),
            voltageBefore);
  EXPECT_EQ(Form3->ComboBox_Value->currentIndex(), 1);
  EXPECT_TRUE(Form3->isVisible());
  EXPECT_EQ(Form2->ComboBox_Charges->currentIndex(), -1) << "nothing selected after loading";
  EXPECT_FALSE(Form2->TabSheet_Charge->Button_Apply->isEnabled());
  EXPECT_FALSE(Doc().Modified());
  EXPECT_EQ(Form1->FileName(), path);
}

TEST_F(ProjectLoadSaveTest, FailedLoadShowsWhatWasReadAsAnUntitledProject) {
  // Three charges, the second and third chosen in the voltage window, which is shown.
  TProjectData data;
  data.OriginX = 250;
  data.OriginY = 180;
  data.ArrowScale = 2e-23L;
  data.Charges = {{100, 120, kElementaryCharge, 8, false, 0},
                  {400, 220, -kElementaryCharge, 12, false, 0},
                  {300, 320, kElementaryCharge, 0, true, 1}};
  data.FirstChosen = 1;
  data.SecondChosen = 2;
  data.ValueIndex = 0;
  data.VoltageWindowVisible = true;
  const QByteArray whole = EncodeProject(data);
  constexpr int kListStart = 31; // bytes up to and including the list's begin tag
  constexpr int kRecord = 38;    // bytes of a record with fewer than 128 lines
  const int listEnd = kListStart + 3 * kRecord;
  QByteArray badIndex = whole;
  badIndex[listEnd + 1] = 2; // the first chosen index
  badIndex[listEnd + 2] = 7;
  const QString damaged =
      "Die Datei \"" + path + "\" ist beschädigt oder kein Projekt des Kraftbilds.\n\nGrund: ";

  struct Case {
    const char *name;
    QByteArray bytes; // empty: no file at all
    QString shown;
    int charges;
    TPoint origin;
    int first; // index of the panels' charges afterwards, -1 for none
    int second;
  };
  const TPoint centre{396, 267};
  const QString cut = "Stream-Lesefehler in der Datei \"" + path + "\". Die Datei endet vorzeitig.";
  const std::vector<Case> cases = {
      {"no file",
       {},
       "Datei " + path + " kann nicht geöffnet werden. Die Datei oder der Ordner existiert nicht.",
       0,
       centre,
       -1,
       -1},
      {"cut in the third record",
       whole.left(kListStart + 2 * kRecord + 20),
       damaged + cut,
       2,
       {250, 180},
       -1,
       -1},
      {"cut before the list's end tag", whole.left(listEnd), damaged + cut, 3, {250, 180}, -1, -1},
      {"cut in the value index", whole.left(listEnd + 5), damaged + cut, 3, {250, 180}, 1, 2},
      {"cut in the origin", whole.left(6), damaged + cut, 0, centre, -1, -1},
      {"chosen index beyond the charges",
       badIndex,
       damaged + "Listenindex überschreitet das Maximum (7) in der Datei \"" + path +
           "\". Eine gewählte Ladung fehlt.",
       3,
       {250, 180},
       -1,
       -1},
      {"a text file",
       "Aufgaben zum Dipolfeld:\n1. Zeichne die Feldlinien.\n2. Miss die Spannung.\n",
       damaged + "Ungültiger Eigenschaftswert in der Datei \"" + path +
           "\". Ein Wert liegt außerhalb seines Bereichs.",
       0,
       {0x67667541, 0x6E656261}, // "Aufg" and "aben" as the origin's numbers
       -1,
       -1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Create(600, 400); // a document to be replaced
    Form3->show();
    Doc().MarkSaved();
    QFile::remove(path);
    if (!c.bytes.isEmpty())
      Put(path, c.bytes);
    MarkBackground();
    dialogs->Calls.clear();

    Open(path);
    ASSERT_EQ(dialogs->Errors(), (std::vector<QString>{c.shown}));
    ExpectListsAgree(c.charges);
    EXPECT_TRUE(Form2->ComboBox_Charges->updatesEnabled());
    EXPECT_EQ(Scene().Origin, c.origin);
    EXPECT_EQ(Form3->ChargeOf(Form3->Panel_Pos1), c.first);
    EXPECT_EQ(Form3->ChargeOf(Form3->Panel_Pos2), c.second);
    EXPECT_EQ(Form3->Panel_Pos1->text(), PanelCaption(Scene(), Charges().At(c.first)));
    EXPECT_FALSE(Form3->isVisible()) << "the visibility comes last in the file";
    EXPECT_EQ(Form1->FileName(), QString());
    EXPECT_EQ(Form1->windowTitle(), "Das Kraftbild[*]");
    EXPECT_TRUE(Doc().Modified());
    EXPECT_FALSE(BackgroundMarked()) << "the screen shows the document as it now is";
    EXPECT_FALSE(FrameMarked());
    if (c.charges > 0) {
      EXPECT_EQ(Charge(0).X, 100);
    }

    // Strg+S asks for a name; cancelled, the file that failed keeps every byte.
    dialogs->Calls.clear();
    ASSERT_EQ(Form1->MenuItem_Save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    Form1->MenuItem_Save->trigger();
    ASSERT_EQ(dialogs->Calls.size(), 1u);
    EXPECT_EQ(dialogs->Calls[0].Kind, "save");
    EXPECT_EQ(dialogs->Calls[0].Text, QString()) << "no name offered";
    EXPECT_EQ(QFile::exists(path), !c.bytes.isEmpty());
    EXPECT_EQ(Contents(path), c.bytes);
  }
}

TEST_F(ProjectLoadSaveTest, ValueIndexOutsideTheListSelectsNothing) {
  for (const int index : {5, -7, 2}) {
    TProjectData data;
    data.Charges = {{10, 10, kElementaryCharge, 1, true, 0},
                    {90, 10, kElementaryCharge, 1, true, 0}};
    data.FirstChosen = 0;
    data.SecondChosen = 1;
    data.ValueIndex = index;
    Put(path, EncodeProject(data));
    Open(path);
    EXPECT_TRUE(dialogs->Errors().empty());
    EXPECT_EQ(Form3->ComboBox_Value->currentIndex(), -1) << index;
    EXPECT_EQ(Form3->Label_Value->text(), kChooseValueHintText) << index;
  }
}

TEST_F(ProjectLoadSaveTest, AnotherScreenDensityKeepsZoomAndPixels) {
  Create(300, 200);
  SetUpScene([](TScene &scene) { scene.PixelsPerMetre = DefaultPixelsPerMetre() * 2; });
  SaveAs(path);

  seams::SetPixelsPerInchSource([] { return 120; });
  Open(path);
  ASSERT_TRUE(dialogs->Errors().empty());
  EXPECT_EQ(Charge(0).X, 290);
  EXPECT_EQ(Charge(0).Y, 190);
  EXPECT_NEAR(static_cast<double>(Scene().ZoomFactor()), 2.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(Scene().PixelsPerMetre / (120 / 0.0254L)), 2.0, 1e-15);
  // The metre values scale with the ratio of the two densities.
  EXPECT_NEAR(static_cast<double>(Scene().ChargeWorldPosition(Charge(0)).X),
              (300.0 - 396) / (2 * 120 / 0.0254), 1e-12);
}

TEST_F(ProjectLoadSaveTest, FailedSavesKeepTheOldFileAndTheChanges) {
  Create(300, 200);
  SaveAs(path);
  const QByteArray saved = Contents(path);
  ASSERT_EQ(saved.size(), 31 + 38 + 8);

  Create(100, 100);
  ASSERT_TRUE(Doc().Modified());
  Project().SetSaveFileFactory(
      [](const QString &p) { return std::make_unique<TRefusingSaveFile>(p); });
  Form1->MenuItem_Save->trigger();
  EXPECT_EQ(dialogs->Errors(),
            (std::vector<QString>{"Stream-Schreibfehler in der Datei \"" + path +
                                  "\". Die Daten konnten nicht vollständig geschrieben werden."}));
  EXPECT_EQ(Contents(path), saved);
  EXPECT_TRUE(Doc().Modified());
  Project().SetSaveFileFactory({});

  // Save as into a folder that does not exist: the caption already names the new path.
  dialogs->Calls.clear();
  const QString nowhere = dir.filePath(QStringLiteral("fehlt/neu.kbf"));
  SaveAs(nowhere);
  ASSERT_EQ(dialogs->Errors().size(), 1u);
  EXPECT_TRUE(
      dialogs->Errors()[0].startsWith("Datei \"" + nowhere + "\" kann nicht erstellt werden. "));
  EXPECT_TRUE(Doc().Modified());
  EXPECT_EQ(Form1->FileName(), nowhere);
  EXPECT_FALSE(QFile::exists(nowhere));
  EXPECT_EQ(Contents(path), saved);
}

TEST_F(ProjectLoadSaveTest, SaveAsksBeforeGoingOverAnotherProgramsWork) {
  // What another program may have done to the file since this one saved it.
  TProjectData theirs;
  theirs.Charges = {{50, 60, -kElementaryCharge, 4, false, 0}};
  const auto shiftTime = [](const QString &p, int seconds) {
    QFile file(p);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime time = file.fileTime(QFileDevice::FileModificationTime);
    ASSERT_TRUE(file.setFileTime(time.addSecs(seconds), QFileDevice::FileModificationTime));
  };
  struct Case {
    const char *name;
    std::function<void()> disturb;
    bool asked;
  };
  const std::vector<Case> cases = {
      {"nothing", [] {}, false},
      {"saved its own project", [&] { SaveProjectFile(path, theirs); }, true},
      {"other bytes of the same size and time",
       [&] {
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         const QDateTime time = file.fileTime(QFileDevice::FileModificationTime);
         QByteArray bytes = file.readAll();
         bytes[0] = static_cast<char>(bytes[0] + 1); // the origin's first byte
         file.seek(0);
         file.write(bytes);
         file.close();
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
       },
       true},
      {"only touched it", [&] { shiftTime(path, 5); }, true},
      {"deleted it", [&] { ASSERT_TRUE(QFile::remove(path)); }, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Form1->MenuItem_New->trigger(); // the last case ended saved: no question
    Create(300, 200);
    SaveAs(path);
    Create(100, 100); // unsaved work of this program
    c.disturb();
    const QByteArray onDisk = Contents(path);
    const QString question = "Datei geändert|Die Datei \"" + path +
                             "\" wurde seit dem Öffnen von einem anderen Programm geändert. "
                             "Überschreiben?|Überschreiben|Speichern unter …|Abbrechen";

    // Cancelled, and closed: the other program's work stays.
    for (const std::optional<int> answer : {std::optional<int>(2), std::optional<int>()}) {
      if (!c.asked)
        break;
      dialogs->Calls.clear();
      dialogs->Choices.push_back(answer);
      Form1->MenuItem_Save->trigger();
      ASSERT_EQ(dialogs->Calls.size(), 1u);
      EXPECT_EQ(dialogs->Calls[0].Kind, "choice");
      EXPECT_EQ(dialogs->Calls[0].Title + u'|' + dialogs->Calls[0].Text, question);
      EXPECT_EQ(Contents(path), onDisk);
      EXPECT_TRUE(Doc().Modified());
    }

    // Overwritten on request; the next save has nothing to ask.
    dialogs->Calls.clear();
    if (c.asked)
      dialogs->Choices.push_back(0);
    Form1->MenuItem_Save->trigger();
    EXPECT_EQ(dialogs->Calls.size(), c.asked ? 1u : 0u);
    EXPECT_FALSE(Doc().Modified());
    TProjectData saved;
    DecodeProject(Contents(path), saved);
    EXPECT_EQ(saved.Charges.size(), static_cast<size_t>(Charges().Count()));
    Create(500, 300);
    dialogs->Calls.clear();
    Form1->MenuItem_Save->trigger();
    EXPECT_TRUE(dialogs->Calls.empty());
    EXPECT_FALSE(Doc().Modified());
  }

  // "Speichern unter …" leaves the file to the other program and saves under a new name.
  SaveProjectFile(path, theirs);
  const QByteArray onDisk = Contents(path);
  Create(200, 300);
  const QString elsewhere = dir.filePath(QStringLiteral("meine Fassung.kbf"));
  dialogs->Choices.push_back(1);
  dialogs->FileNames.push_back(elsewhere);
  Form1->MenuItem_Save->trigger();
  EXPECT_EQ(Contents(path), onDisk);
  EXPECT_EQ(Form1->FileName(), elsewhere);
  EXPECT_FALSE(Doc().Modified());
  TProjectData mine;
  DecodeProject(Contents(elsewhere), mine);
  EXPECT_EQ(mine.Charges.size(), static_cast<size_t>(Charges().Count()));
}

} // namespace
