#include "model/History.h"

#include <utility>

size_t THistory::SizeOf(const THistoryStep &step) {
  // The step, its text and the two closures' own storage besides what they capture.
  constexpr size_t kClosures = 2 * 64;
  return sizeof(THistoryStep) + kClosures + static_cast<size_t>(step.Text.size()) * 2 + step.Bytes;
}

void THistory::Push(THistoryStep step) {
  for (int i = index_; i < Count(); ++i)
    bytes_ -= SizeOf(steps_[static_cast<size_t>(i)]);
  steps_.resize(static_cast<size_t>(index_));
  if (clean_ > index_)
    clean_ = -1; // the saved state was among the steps just dropped
  const bool carryCleanAlong = step.Quiet && IsClean();
  bytes_ += SizeOf(step);
  steps_.push_back(std::move(step));
  ++index_;
  if (carryCleanAlong)
    clean_ = index_;
  DropOldestBeyondLimit();
  emit Changed();
}

void THistory::Undo() {
  if (!CanUndo())
    return;
  const bool wasClean = IsClean();
  --index_;
  const THistoryStep &step = steps_[static_cast<size_t>(index_)];
  if (wasClean && step.Quiet)
    clean_ = index_;
  step.Undo();
  emit Changed();
}

void THistory::Redo() {
  if (!CanRedo())
    return;
  const bool wasClean = IsClean();
  const THistoryStep &step = steps_[static_cast<size_t>(index_)];
  ++index_;
  if (wasClean && step.Quiet)
    clean_ = index_;
  step.Redo();
  emit Changed();
}

QString THistory::UndoText() const {
  return CanUndo() ? steps_[static_cast<size_t>(index_ - 1)].Text : QString();
}

QString THistory::RedoText() const {
  return CanRedo() ? steps_[static_cast<size_t>(index_)].Text : QString();
}

void THistory::SetClean() {
  clean_ = index_;
  emit Changed();
}

void THistory::ResetClean() {
  clean_ = -1;
  emit Changed();
}

void THistory::Clear() {
  steps_.clear();
  index_ = 0;
  clean_ = 0;
  bytes_ = 0;
  emit Changed();
}

void THistory::SetByteLimit(size_t bytes) {
  byteLimit_ = bytes;
  DropOldestBeyondLimit();
  emit Changed();
}

void THistory::DropOldestBeyondLimit() {
  // The newest step that can be taken back stays, however large it is.
  size_t dropped = 0;
  while (bytes_ > byteLimit_ && dropped + 1 < static_cast<size_t>(index_)) {
    bytes_ -= SizeOf(steps_[dropped]);
    ++dropped;
  }
  if (dropped == 0)
    return;
  steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(dropped));
  index_ -= static_cast<int>(dropped);
  // A saved state before the oldest step left can no longer be reached.
  clean_ = clean_ >= static_cast<int>(dropped) ? clean_ - static_cast<int>(dropped) : -1;
}
