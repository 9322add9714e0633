#include "widgets/Dialogs.h"

#include "display/Canvas.h"
#include "widgets/ErrorGuard.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace {

// "Description|pattern" pairs to Qt's "Description (pattern);;..." form. The description of
// our one filter already names its pattern.
QString QtFilter(const QString &filter) {
  const QStringList parts = filter.split(u'|');
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    entries << (parts[i].contains(u'(') ? parts[i] : parts[i] + " (" + parts[i + 1] + ")");
  return entries.join(QStringLiteral(";;"));
}

class QtDialogs : public TDialogs {
public:
  void ShowError(QWidget *parent, const QString &title, const QString &text) override {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, DialogOwner(parent));
    box.exec();
  }

  TQuestionAnswer AskYesNoCancel(QWidget *parent, const QString &title,
                                 const QString &text) override {
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, DialogOwner(parent));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
      return TQuestionAnswer::Yes;
    case QMessageBox::No:
      return TQuestionAnswer::No;
    default:
      return TQuestionAnswer::Cancel;
    }
  }

  std::optional<int> AskChoice(QWidget *parent, const QString &title, const QString &text,
                               const QStringList &buttons) override {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, DialogOwner(parent));
    std::vector<QPushButton *> added;
    for (const QString &label : buttons)
      added.push_back(box.addButton(label, QMessageBox::AcceptRole));
    if (!added.empty())
      box.setDefaultButton(added.front());
    box.exec();
    const auto chosen = std::find(added.begin(), added.end(), box.clickedButton());
    if (chosen == added.end())
      return std::nullopt;
    return static_cast<int>(chosen - added.begin());
  }

  std::optional<QString> OpenFileName(QWidget *parent, const QString &filter,
                                      const QString &defaultExtension,
                                      const QString &initialName) override {
    return RunFileDialog(parent, filter, defaultExtension, initialName, QFileDialog::AcceptOpen);
  }

  std::optional<QString> SaveFileName(QWidget *parent, const QString &filter,
                                      const QString &defaultExtension, const QString &initialName,
                                      const QString &title) override {
    return RunFileDialog(parent, filter, defaultExtension, initialName, QFileDialog::AcceptSave,
                         title);
  }

  std::optional<uint32_t> ChooseColor(QWidget *parent, uint32_t initial) override {
    const QColor chosen =
        QColorDialog::getColor(QColor::fromRgb(ToQRgb(initial)), DialogOwner(parent));
    if (!chosen.isValid())
      return std::nullopt;
    return FromQRgb(chosen.rgb());
  }

  std::optional<QString> InputQuery(QWidget *parent, const QString &title, const QString &prompt,
                                    const QString &text) override {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(DialogOwner(parent), title, prompt, QLineEdit::Normal, text, &ok);
    if (!ok)
      return std::nullopt;
    return answer;
  }

  void ShellOpen(const QString &target) override {
    // A target may come in quotation marks, as a shell command line would have it.
    QString link = target;
    if (link.size() >= 2 && link.front() == u'"' && link.back() == u'"')
      link = link.mid(1, link.size() - 2);
    QDesktopServices::openUrl(QUrl(link));
  }

  void PrintPreview(QWidget *parent, QPageLayout::Orientation orientation,
                    const std::function<void(QPrinter &)> &paint) override {
    QPrinter printer;
    printer.setPageOrientation(orientation);
    QPrintPreviewDialog preview(&printer, DialogOwner(parent));
    preview.setWindowTitle(QCoreApplication::translate("TDialogs", "Druckvorschau"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter *target) { Guarded([&] { paint(*target); }); });
    preview.exec();
  }

private:
  // The open dialog takes only existing files; the save dialog asks before it replaces one.
  static std::optional<QString> RunFileDialog(QWidget *parent, const QString &filter,
                                              const QString &defaultExtension,
                                              const QString &initialName,
                                              QFileDialog::AcceptMode mode,
                                              const QString &title = QString()) {
    QFileDialog dialog(DialogOwner(parent));
    if (!title.isEmpty())
      dialog.setWindowTitle(title);
    dialog.setNameFilter(QtFilter(filter));
    dialog.setDefaultSuffix(defaultExtension);
    // With several filters, a name typed without extension gets the chosen filter's one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &f) {
      static const QRegularExpression suffix(QStringLiteral("\\(\\*\\.(\\w+)"));
      const QRegularExpressionMatch match = suffix.match(f);
      if (match.hasMatch())
        dialog.setDefaultSuffix(match.captured(1));
    });
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!initialName.isEmpty()) {
      const QFileInfo info(initialName);
      dialog.setDirectory(info.absolutePath());
      dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return std::nullopt;
    return dialog.selectedFiles().front();
  }
};

std::unique_ptr<TDialogs> &Current() {
  static std::unique_ptr<TDialogs> dialogs;
  return dialogs;
}

} // namespace

QWidget *DialogOwner(QWidget *fallback) {
  if (QWidget *active = QApplication::activeWindow())
    return active;
  return fallback;
}

TDialogs &Dialogs() {
  if (!Current())
    Current() = MakeQtDialogs();
  return *Current();
}

void SetDialogs(std::unique_ptr<TDialogs> dialogs) { Current() = std::move(dialogs); }

std::unique_ptr<TDialogs> MakeQtDialogs() { return std::make_unique<QtDialogs>(); }
