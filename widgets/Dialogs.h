#pragma once
// Every modal dialog and the shell's "open" go through this one interface, so that tests
// script the answers and never block on a modal window.

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

enum class TQuestionAnswer { Yes, No, Cancel };

class TDialogs {
public:
  virtual ~TDialogs() = default;

  // Error box: stop icon, OK.
  virtual void ShowError(QWidget *parent, const QString &title, const QString &text) = 0;
  // Question box: question icon, Yes, No and Cancel, Yes as default. Closing it is Cancel.
  virtual TQuestionAnswer AskYesNoCancel(QWidget *parent, const QString &title,
                                         const QString &text) = 0;
  // Question box with buttons of the given texts, the first as default: the index of the
  // button chosen, nothing when the box is closed without a choice.
  virtual std::optional<int> AskChoice(QWidget *parent, const QString &title, const QString &text,
                                       const QStringList &buttons) = 0;
  // File dialogs with a filter such as "Kraftbilder (*.kbf)|*.kbf" and a default extension
  // appended to names typed without one; nothing when cancelled. The open dialog accepts only
  // existing files; the save dialog asks before it replaces one.
  virtual std::optional<QString> OpenFileName(QWidget *parent, const QString &filter,
                                              const QString &defaultExtension,
                                              const QString &initialName) = 0;
  // An empty title leaves the system's own.
  virtual std::optional<QString> SaveFileName(QWidget *parent, const QString &filter,
                                              const QString &defaultExtension,
                                              const QString &initialName, const QString &title) = 0;
  // Colour dialog; colours are $00BBGGRR. Nothing when cancelled.
  virtual std::optional<uint32_t> ChooseColor(QWidget *parent, uint32_t initial) = 0;
  // One-line text query; nothing when cancelled.
  virtual std::optional<QString> InputQuery(QWidget *parent, const QString &title,
                                            const QString &prompt, const QString &text) = 0;
  // The shell's "open" of a link (mailto: or http(s):); failures are silent.
  virtual void ShellOpen(const QString &target) = 0;
  // Print preview on the default printer: paint draws the pages on the printer it is given,
  // as often as the preview needs; the user prints from the preview or closes it.
  virtual void PrintPreview(QWidget *parent, QPageLayout::Orientation orientation,
                            const std::function<void(QPrinter &)> &paint) = 0;
};

// The window a dialog belongs over: the program's active window (a tool window, say), else
// the given one. Owned by it, the dialog opens on top of whatever window the user works in.
QWidget *DialogOwner(QWidget *fallback);

// The dialogs in force: the Qt ones unless replaced.
TDialogs &Dialogs();
// Replaces the dialogs (tests); null restores the Qt ones.
void SetDialogs(std::unique_ptr<TDialogs> dialogs);

// The real dialogs of Qt.
std::unique_ptr<TDialogs> MakeQtDialogs();
