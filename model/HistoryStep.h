#pragma once
// One step of the document's history: what takes the change back and what repeats it. The
// change itself is already done when the step is recorded, so the stack's first redo does
// nothing.

#include <QString>
#include <QUndoCommand>

#include <functional>
#include <utility>

class THistoryStep : public QUndoCommand {
public:
  THistoryStep(const QString &text, std::function<void()> undo, std::function<void()> redo)
      : QUndoCommand(text), undo_(std::move(undo)), redo_(std::move(redo)) {}

  void undo() override { undo_(); }
  void redo() override {
    if (done_)
      done_ = false;
    else
      redo_();
  }

private:
  std::function<void()> undo_;
  std::function<void()> redo_;
  bool done_ = true;
};
