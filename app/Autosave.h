#pragma once
// Autosave: from the first unsaved change, the project goes to this program's recovery
// file once the interval has passed (and when the program loses focus). The snapshot is
// taken on the window's thread; encoding and writing happen on a worker thread of its own,
// in order, so a later snapshot never lies under an earlier one. A save, "Neu" or an open
// removes the file: the work is then in a project file, or was given up.

#include "file/RecoveryStore.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <chrono>
#include <functional>

class TDocument;

// The interval between a first unwritten change and its autosave: 60 s, or the
// milliseconds in KRAFTBILD_AUTOSAVE_MS (tests of the real program).
std::chrono::milliseconds AutosaveInterval();

class TAutosave : public QObject {
public:
  using TCapture = std::function<TRecoverySnapshot()>;

  // Watches the document; capture takes the snapshot of the project on the window's thread.
  TAutosave(TDocument &document, TRecoveryStore &store, TCapture capture,
            std::chrono::milliseconds interval);
  // Waits for the writes handed to the worker.
  ~TAutosave() override;
  TAutosave(const TAutosave &) = delete;
  TAutosave &operator=(const TAutosave &) = delete;

  // What the timer does: hands a snapshot of changes not yet written to the worker. Nothing
  // when the document is unmodified or its last change is written already.
  void WriteIfDue();
  // Returns when everything handed to the worker is on disk (or has failed).
  void WaitForWrites();
  // True while changes wait for the timer.
  bool Due() const { return timer_.isActive(); }

  // At the end of the program: with keep (the program is told to end by its session), the
  // recovery file stays to be offered at the next start; otherwise it is removed.
  void Finish(bool keep);

private:
  void Changed();
  void Dropped();

  TDocument &document_;
  TRecoveryStore &store_;
  TCapture capture_;
  QTimer timer_;
  QThreadPool worker_;
  bool unwritten_ = false;
};
