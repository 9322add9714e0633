#pragma once
// The handbook: pages from the program's resources in a browser window of its own, with
// back, forward and home. A normal window, never modal, so it can stay open beside the work.

#include <QUrl>
#include <QWidget>

class QEvent;
class QTextBrowser;
class QToolButton;

class THandbookWindow : public QWidget {
  Q_OBJECT

public:
  // home: the page "Startseite" goes to (a qrc: address).
  explicit THandbookWindow(const QUrl &home, QWidget *parent = nullptr);

  QTextBrowser *Browser = nullptr;
  QToolButton *Button_Back = nullptr;
  QToolButton *Button_Forward = nullptr;
  QToolButton *Button_Home = nullptr;

  // Shows the page and brings the window to the front.
  void ShowPage(const QUrl &page);
  QUrl CurrentPage() const;

protected:
  void changeEvent(QEvent *event) override;

private:
  // Title, buttons and tooltips in the language in force.
  void RetranslateUi();
  // "Handbuch - <page title>", or "Handbuch" for a page without one.
  void ShowTitle();

  QUrl home_;
};
