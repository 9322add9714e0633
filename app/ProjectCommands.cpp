#include "app/ProjectCommands.h"

#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/Errors.h"
#include "file/ProjectDocument.h"
#include "model/Document.h"
#include "model/ModelHooks.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <exception>

namespace {

TSaveFileFactory &SaveFileFactory() {
  static TSaveFileFactory factory;
  return factory;
}

// Belongs to Form1's file name: set and cleared with it.
TFileFingerprint &KnownFingerprint() {
  static TFileFingerprint fingerprint;
  return fingerprint;
}

void SetProjectFile(const QString &fileName, const TFileFingerprint &fingerprint) {
  Form1->SetFileName(fileName);
  KnownFingerprint() = fingerprint;
}

int IndexOrNone(const TPointCharge *charge) {
  return charge != nullptr ? TheDocument().Charges.IndexOf(charge) : -1;
}

// What the windows hold of a project beside the document.
void ResetWindows() {
  // No grab may outlive the charges.
  Form1->ReleaseGrab();
  Form3->Reset();
  Form2->Reset();
}

// Replaces the document with what read puts into the data, and shows the voltage window's
// part of it. Whatever read throws is passed on after the windows show what it read.
template <typename Read> void ReplaceProject(Read &&read) {
  ResetWindows();
  TProjectData data;
  std::exception_ptr failure;
  TheDocument().Load(SurfaceSize(), [&](TDocument &document) {
    // What the file does not reach keeps the new project's values.
    data.OriginX = document.Origin.X;
    data.OriginY = document.Origin.Y;
    data.ArrowScale = document.ArrowScale;
    try {
      read(data);
    } catch (...) {
      failure = std::current_exception();
    }
    ApplyViewOf(data, document);
    AppendChargesOf(data, document);
  });
  const TChargeList &charges = TheDocument().Charges;
  Form3->ShowChoices({charges.At(data.FirstChosen), charges.At(data.SecondChosen), data.ValueIndex,
                      data.VoltageWindowVisible});
  if (failure)
    std::rethrow_exception(failure);
}

// A file that opened but whose bytes are no project: say so in plain words, and give the
// reader's reason for whoever looks closer.
[[noreturn]] void ThrowDamaged(const QString &fileName, const EKraftbildError &reason) {
  throw EReadError(
      QStringLiteral("Die Datei \"%1\" ist beschädigt oder kein Projekt des Kraftbilds.\n\n"
                     "Grund: %2")
          .arg(fileName, ErrorBoxText(reason.Message())));
}

} // namespace

void NewProject() {
  ResetWindows();
  TheDocument().New(SurfaceSize());
  SetProjectFile(QString(), {});
}

TProjectData CaptureProject() {
  TProjectData data = CaptureDocument(TheDocument());
  const TVoltageChoices choices = Form3->Choices();
  data.FirstChosen = IndexOrNone(choices.Start);
  data.SecondChosen = IndexOrNone(choices.End);
  data.ValueIndex = choices.ValueIndex;
  data.VoltageWindowVisible = choices.Visible;
  return data;
}

void SaveProject(const QString &fileName) {
  SaveProjectFile(fileName, CaptureProject(), SaveFileFactory());
  KnownFingerprint() = FingerprintOf(fileName);
  TheDocument().MarkSaved();
}

void LoadProject(const QString &fileName) {
  // Taken before reading: a write in between then shows as a change, never the other way.
  const TFileFingerprint fingerprint = FingerprintOf(fileName);
  try {
    ReplaceProject([&](TProjectData &data) { LoadProjectFile(fileName, data); });
  } catch (...) {
    SetProjectFile(QString(), {});
    TheDocument().ForgetSavedPoint();
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
  SetProjectFile(fileName, fingerprint);
}

const TFileFingerprint &ProjectFileFingerprint() { return KnownFingerprint(); }

bool ProjectFileChangedOnDisk() {
  return !Form1->FileName().isEmpty() && FingerprintOf(Form1->FileName()) != KnownFingerprint();
}

void RestoreProject(const TProjectData &data, const QString &fileName,
                    const TFileFingerprint &fingerprint) {
  ReplaceProject([&](TProjectData &target) { target = data; });
  SetProjectFile(fileName, fingerprint);
  TheDocument().ForgetSavedPoint();
}

void SetProjectSaveFileFactory(TSaveFileFactory factory) { SaveFileFactory() = std::move(factory); }
