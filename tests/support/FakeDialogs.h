#pragma once
// Scripted dialogs for widget tests: answers are queued up front, every call is recorded,
// and nothing ever blocks. A dialog asked for without a queued answer is cancelled.

#include "widgets/Dialogs.h"

#include <QPrinter>

#include <deque>
#include <optional>
#include <vector>

class FakeDialogs : public TDialogs {
public:
  struct Shown {
    QString
        Kind; // "error", "question", "choice", "open", "save", "color", "query", "shell", "print"
    QString Title;
    QString Text;
    QString Caption = {}; // of a save dialog: empty for the system's own
  };

  // Installs a fresh fake and returns it; the previous dialogs are restored by Restore().
  static FakeDialogs &Install() {
    auto fake = std::make_unique<FakeDialogs>();
    FakeDialogs &ref = *fake;
    SetDialogs(std::move(fake));
    return ref;
  }
  static void Restore() { SetDialogs(nullptr); }

  std::deque<TQuestionAnswer> Answers;
  std::deque<std::optional<int>> Choices; // index of the button, nothing: closed
  std::deque<std::optional<QString>> FileNames;
  std::deque<std::optional<uint32_t>> Colors;
  std::deque<std::optional<QString>> Queries;
  std::deque<QString> PrintFiles; // a print preview prints to the next one as PDF, if any
  std::vector<Shown> Calls;

  std::vector<QString> Errors() const {
    std::vector<QString> texts;
    for (const Shown &s : Calls)
      if (s.Kind == u"error")
        texts.push_back(s.Text);
    return texts;
  }

  void ShowError(QWidget *, const QString &title, const QString &text) override {
    Calls.push_back({QStringLiteral("error"), title, text});
  }
  TQuestionAnswer AskYesNoCancel(QWidget *, const QString &title, const QString &text) override {
    Calls.push_back({QStringLiteral("question"), title, text});
    return Pop(Answers, TQuestionAnswer::Cancel);
  }
  std::optional<int> AskChoice(QWidget *, const QString &title, const QString &text,
                               const QStringList &buttons) override {
    Calls.push_back({QStringLiteral("choice"), title, text + u'|' + buttons.join(u'|')});
    return Pop(Choices, std::optional<int>{});
  }
  std::optional<QString> OpenFileName(QWidget *, const QString &filter, const QString &,
                                      const QString &initial) override {
    Calls.push_back({QStringLiteral("open"), filter, initial});
    return Pop(FileNames, std::optional<QString>{});
  }
  std::optional<QString> SaveFileName(QWidget *, const QString &filter, const QString &,
                                      const QString &initial, const QString &caption) override {
    Calls.push_back({QStringLiteral("save"), filter, initial, caption});
    return Pop(FileNames, std::optional<QString>{});
  }
  std::optional<uint32_t> ChooseColor(QWidget *, uint32_t initial) override {
    Calls.push_back({QStringLiteral("color"), QString(), QString::number(initial, 16)});
    return Pop(Colors, std::optional<uint32_t>{});
  }
  std::optional<QString> InputQuery(QWidget *, const QString &title, const QString &prompt,
                                    const QString &) override {
    Calls.push_back({QStringLiteral("query"), title, prompt});
    return Pop(Queries, std::optional<QString>{});
  }
  void ShellOpen(const QString &target) override {
    Calls.push_back({QStringLiteral("shell"), QString(), target});
  }

  void PrintPreview(QWidget *, QPageLayout::Orientation orientation,
                    const std::function<void(QPrinter &)> &paint) override {
    Calls.push_back({QStringLiteral("print"), QString(),
                     orientation == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                           : QStringLiteral("portrait")});
    if (PrintFiles.empty())
      return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Pop(PrintFiles, QString()));
    printer.setPageOrientation(orientation);
    paint(printer);
  }

private:
  template <typename T> static T Pop(std::deque<T> &queue, T fallback) {
    if (!queue.empty()) {
      fallback = std::move(queue.front());
      queue.pop_front();
    }
    return fallback;
  }
};
