#include "app/Autosave.h"

#include "model/Document.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <memory>

std::chrono::milliseconds AutosaveInterval() {
  bool ok = false;
  const int ms = qEnvironmentVariableIntValue("KRAFTBILD_AUTOSAVE_MS", &ok);
  return std::chrono::milliseconds(ok && ms > 0 ? ms : 60'000);
}

TAutosave::TAutosave(TDocument &document, TRecoveryStore &store, TCapture capture,
                     std::chrono::milliseconds interval)
    : document_(document), store_(store), capture_(std::move(capture)) {
  // One writer: snapshots reach the file in the order they were taken, and a removal
  // comes after every write handed over before it.
  worker_.setMaxThreadCount(1);
  timer_.setSingleShot(true);
  timer_.setInterval(interval);
  connect(&timer_, &QTimer::timeout, this, &TAutosave::WriteIfDue);
  connect(&document_, &TDocument::Edited, this, &TAutosave::Changed);
  connect(&document_, &TDocument::ModifiedChanged, this,
          [this](bool modified) { modified ? Changed() : Dropped(); });
  // "Neu" or an open of an unmodified document changes no Modified().
  connect(&document_, &TDocument::Replaced, this, &TAutosave::Dropped);
  if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    connect(application, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
              if (state != Qt::ApplicationActive)
                WriteIfDue();
            });
}

TAutosave::~TAutosave() { WaitForWrites(); }

void TAutosave::Changed() {
  if (!document_.Modified())
    return;
  unwritten_ = true;
  // Not restarted by each change: steady work is still written once per interval.
  if (!timer_.isActive())
    timer_.start();
}

void TAutosave::Dropped() {
  if (document_.Modified())
    return;
  timer_.stop();
  unwritten_ = false;
  worker_.start([&store = store_] { store.RemoveOwn(); });
}

void TAutosave::WriteIfDue() {
  timer_.stop();
  if (!unwritten_ || !document_.Modified() || !store_.Claim())
    return;
  unwritten_ = false;
  // Shared, not copied: the worker gets the one snapshot taken here.
  auto snapshot = std::make_shared<const TRecoverySnapshot>(capture_());
  worker_.start([this, snapshot] {
    try {
      store_.Write(*snapshot);
    } catch (const std::exception &error) {
      qWarning("Autosave failed: %s", error.what());
      // Tried again at the next interval.
      QMetaObject::invokeMethod(
          this, [this] { Changed(); }, Qt::QueuedConnection);
    }
  });
}

void TAutosave::WaitForWrites() { worker_.waitForDone(); }

void TAutosave::Finish(bool keep) {
  timer_.stop();
  WaitForWrites();
  if (!keep)
    store_.RemoveOwn();
}
