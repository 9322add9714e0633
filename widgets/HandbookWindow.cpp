#include "widgets/HandbookWindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 620;  // px: a page of text beside the main window
constexpr int kHeight = 560; // px

QToolButton *NavigationButton(QWidget *parent) {
  auto *button = new QToolButton(parent);
  button->setAutoRaise(true);
  return button;
}

} // namespace

THandbookWindow::THandbookWindow(const QUrl &home, QWidget *parent)
    : QWidget(parent, Qt::Window), home_(home) {
  Button_Back = NavigationButton(this);
  Button_Forward = NavigationButton(this);
  Button_Home = NavigationButton(this);
  Browser = new QTextBrowser(this);
  // Pages link to each other only; nothing leaves the program.
  Browser->setOpenExternalLinks(false);
  Browser->setOpenLinks(true);

  auto *bar = new QHBoxLayout;
  bar->addWidget(Button_Back);
  bar->addWidget(Button_Forward);
  bar->addWidget(Button_Home);
  bar->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(bar);
  layout->addWidget(Browser, 1);
  resize(kWidth, kHeight);

  Button_Back->setEnabled(false);
  Button_Forward->setEnabled(false);
  connect(Button_Back, &QToolButton::clicked, Browser, &QTextBrowser::backward);
  connect(Button_Forward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
  connect(Button_Home, &QToolButton::clicked, this, [this] { Browser->setSource(home_); });
  connect(Browser, &QTextBrowser::backwardAvailable, Button_Back, &QWidget::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, Button_Forward, &QWidget::setEnabled);
  connect(Browser, &QTextBrowser::sourceChanged, this, [this] { ShowTitle(); });
  RetranslateUi();
}

void THandbookWindow::RetranslateUi() {
  ShowTitle();
  Button_Back->setText(tr("Zurück"));
  Button_Back->setToolTip(tr("Zurück zur zuvor gezeigten Seite"));
  Button_Forward->setText(tr("Vor"));
  Button_Forward->setToolTip(tr("Wieder vor zur nächsten Seite"));
  Button_Home->setText(tr("Startseite"));
  Button_Home->setToolTip(tr("Zur ersten Seite des Handbuchs"));
}

void THandbookWindow::ShowTitle() {
  const QString title = Browser->documentTitle();
  setWindowTitle(title.isEmpty() ? tr("Handbuch") : tr("Handbuch - %1").arg(title));
}

void THandbookWindow::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QWidget::changeEvent(event);
}

void THandbookWindow::ShowPage(const QUrl &page) {
  if (Browser->source() != page)
    Browser->setSource(page);
  show();
  raise();
  activateWindow();
}

QUrl THandbookWindow::CurrentPage() const { return Browser->source(); }
