#pragma once
// The document's history: the steps that take changes back and repeat them, the point at
// which the document was saved, and a bound on the memory the steps hold. A step is recorded
// after its change is done.

#include <QObject>
#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

struct THistoryStep {
  // What the menu says it takes back or repeats, untranslated: the document's steps are
  // translated in the context "TDocument" when shown.
  QString Text;
  std::function<void()> Undo;
  std::function<void()> Redo;
  size_t Bytes = 0; // what its captured values hold (B), for the bound
  // A change that does not count as unsaved: recorded at the saved point, the saved point
  // moves with it (a view centred on a charge, a choice of what the voltage window shows).
  bool Quiet = false;
};

class THistory : public QObject {
  Q_OBJECT

public:
  // The steps may hold this much (B); beyond it the oldest are dropped.
  static constexpr size_t kDefaultByteLimit = size_t{64} * 1024 * 1024;

  explicit THistory(size_t byteLimit = kDefaultByteLimit) : byteLimit_(byteLimit) {}

  // Records a change that is done already; the steps that could have been repeated are gone.
  void Push(THistoryStep step);
  void Undo();
  void Redo();
  bool CanUndo() const { return index_ > 0; }
  bool CanRedo() const { return index_ < Count(); }
  QString UndoText() const;
  QString RedoText() const;
  int Count() const { return static_cast<int>(steps_.size()); }

  // The present state is the saved one.
  void SetClean();
  // No state of the history is saved (any more).
  void ResetClean();
  bool IsClean() const { return clean_ == index_; }
  void Clear();

  // What the steps hold (B), with a fixed share for each step itself.
  size_t Bytes() const { return bytes_; }
  void SetByteLimit(size_t bytes);

signals:
  // A step was recorded, taken back or repeated, or the saved point moved.
  void Changed();

private:
  static size_t SizeOf(const THistoryStep &step);
  void DropOldestBeyondLimit();

  std::vector<THistoryStep> steps_;
  int index_ = 0; // steps before it are done
  int clean_ = 0; // index at the saved point, -1 when no reachable state is saved
  size_t bytes_ = 0;
  size_t byteLimit_;
};
