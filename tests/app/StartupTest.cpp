// Start-up: a project named on the command line, and Qt's own texts in German.
#include "support/ProgramFixture.h"
#include "support/QtPrinters.h"

#include "app/Startup.h"
#include "file/ProjectCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using StartupTest = ProgramTest;

TEST_F(StartupTest, ProjectNamedOnTheCommandLineOpensOrLeavesAnEmptyProject) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TProjectData data;
  data.OriginX = 300;
  data.OriginY = 200;
  data.Charges = {{100, 120, kElementaryCharge, 8, false, 0},
                  {400, 220, -kElementaryCharge, 12, false, 0}};
  const QByteArray whole = EncodeProject(data);
  constexpr int kListStart = 31; // bytes up to and including the list's begin tag
  constexpr int kRecord = 38;
  const auto put = [&](const QString &name, const QByteArray &bytes) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  put(QStringLiteral("dipol.kbf"), whole);
  // Cut in the second record: the first would be read before the fault.
  put(QStringLiteral("kaputt.kbf"), whole.left(kListStart + kRecord + 20));

  struct Case {
    QString argument; // relative to the current folder or absolute
    int charges;
    QString fileName; // empty: an untitled project
    QString error;    // empty: none
  };
  const QString good = dir.filePath(QStringLiteral("dipol.kbf"));
  const QString missing = dir.filePath(QStringLiteral("fehlt.kbf"));
  const std::vector<Case> cases = {
      {QStringLiteral("dipol.kbf"), 2, good, {}},
      {good, 2, good, {}},
      {QStringLiteral("kaputt.kbf"),
       0,
       {},
       "Die Datei \"" + dir.filePath(QStringLiteral("kaputt.kbf")) +
           "\" ist beschädigt oder kein Projekt des Kraftbilds.\n\nGrund: Stream-Lesefehler in der "
           "Datei \"" +
           dir.filePath(QStringLiteral("kaputt.kbf")) + "\". Die Datei endet vorzeitig."},
      {QStringLiteral("fehlt.kbf"),
       0,
       {},
       "Datei " + missing +
           " kann nicht geöffnet werden. Die Datei oder der Ordner existiert "
           "nicht."},
  };
  const QString previousDir = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  for (const Case &c : cases) {
    SCOPED_TRACE(c.argument.toStdString());
    Create(600, 400); // a document the start-up project replaces
    dialogs->Calls.clear();
    const QString name = StartProjectName({QStringLiteral("kraftbild"), c.argument});
    EXPECT_EQ(name, c.argument);

    OpenStartProject(Project(), name);
    EXPECT_EQ(dialogs->Errors(),
              c.error.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.error});
    EXPECT_EQ(Charges().Count(), c.charges);
    EXPECT_EQ(Form1->FileName(), c.fileName);
    EXPECT_FALSE(Doc().Modified());
  }
  QDir::setCurrent(previousDir);
  EXPECT_EQ(StartProjectName({QStringLiteral("kraftbild")}), QString());
}

} // namespace
