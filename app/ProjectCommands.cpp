#include "app/ProjectCommands.h"

#include "app/MainWindow.h"
#include "base/Errors.h"
#include "file/ProjectDocument.h"
#include "model/Document.h"
#include "windows/VoltageWindow.h"

#include <QCoreApplication>

#include <exception>

namespace {

// A file that opened but whose bytes are no project: say so in plain words, and give the
// reader's reason for whoever looks closer.
[[noreturn]] void ThrowDamaged(const QString &fileName, const EKraftbildError &reason) {
  throw EReadError(QCoreApplication::translate(
                       "TProject", "Die Datei \"%1\" ist beschädigt oder kein Projekt des "
                                   "Kraftbilds.\n\nGrund: %2")
                       .arg(fileName, ErrorBoxText(reason.Message())));
}

} // namespace

TProject::TProject(TDocument &document, TForm1 &main, TForm3 &voltage)
    : document_(document), main_(main), voltage_(voltage) {}

const QString &TProject::FileName() const { return main_.FileName(); }

void TProject::SetFile(const QString &fileName, const TFileFingerprint &fingerprint) {
  main_.SetFileName(fileName);
  fingerprint_ = fingerprint;
}

template <typename Read> void TProject::Replace(Read &&read) {
  TProjectData data;
  std::exception_ptr failure;
  document_.Load(main_.SurfaceSize(), [&](TScene &scene) {
    // What the file does not reach keeps the new project's values.
    data.OriginX = scene.Origin.X;
    data.OriginY = scene.Origin.Y;
    data.ArrowScale = scene.ArrowScale;
    try {
      read(data);
    } catch (...) {
      failure = std::current_exception();
    }
    ApplyViewOf(data, scene);
    AppendChargesOf(data, scene);
  });
  voltage_.setVisible(data.VoltageWindowVisible);
  if (failure)
    std::rethrow_exception(failure);
}

void TProject::New() {
  document_.New(main_.SurfaceSize());
  SetFile(QString(), {});
}

TProjectData TProject::Capture() const {
  TProjectData data = CaptureScene(document_.Scene());
  data.VoltageWindowVisible = voltage_.isVisible();
  return data;
}

void TProject::Save(const QString &fileName) {
  SaveProjectFile(fileName, Capture(), saveFileFactory_);
  fingerprint_ = FingerprintOf(fileName);
  document_.MarkSaved();
}

void TProject::Load(const QString &fileName) {
  // Taken before reading: a write in between then shows as a change, never the other way.
  const TFileFingerprint fingerprint = FingerprintOf(fileName);
  try {
    Replace([&](TProjectData &data) { LoadProjectFile(fileName, data); });
  } catch (...) {
    SetFile(QString(), {});
    document_.ForgetSavedPoint();
    try {
      throw;
    } catch (const EReadError &e) {
      ThrowDamaged(fileName, e);
    } catch (const EPropertyError &e) {
      ThrowDamaged(fileName, e);
    } catch (const EListError &e) {
      ThrowDamaged(fileName, e);
    }
  }
  SetFile(fileName, fingerprint);
}

bool TProject::ChangedOnDisk() const {
  return !FileName().isEmpty() && FingerprintOf(FileName()) != fingerprint_;
}

void TProject::Restore(const TProjectData &data, const QString &fileName,
                       const TFileFingerprint &fingerprint) {
  Replace([&](TProjectData &target) { target = data; });
  SetFile(fileName, fingerprint);
  document_.ForgetSavedPoint();
}
