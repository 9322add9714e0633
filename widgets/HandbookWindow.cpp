#include "widgets/HandbookWindow.h"

#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 620;  // px: a page of text beside the main window
constexpr int kHeight = 560; // px

QToolButton *NavigationButton(const QString &text, const QString &tip, QWidget *parent) {
  auto *button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  return button;
}

} // namespace

THandbookWindow::THandbookWindow(const QUrl &home, QWidget *parent)
    : QWidget(parent, Qt::Window), home_(home) {
  setWindowTitle(QStringLiteral("Handbuch"));
  Button_Back = NavigationButton(QStringLiteral("Zurück"),
                                 QStringLiteral("Zurück zur zuvor gezeigten Seite"), this);
  Button_Forward = NavigationButton(QStringLiteral("Vor"),
                                    QStringLiteral("Wieder vor zur nächsten Seite"), this);
  Button_Home = NavigationButton(QStringLiteral("Startseite"),
                                 QStringLiteral("Zur ersten Seite des Handbuchs"), this);
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
  connect(Browser, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = Browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Handbuch")
                                   : QStringLiteral("Handbuch - ") + title);
  });
}

void THandbookWindow::ShowPage(const QUrl &page) {
  if (Browser->source() != page)
    Browser->setSource(page);
  show();
  raise();
  activateWindow();
}

QUrl THandbookWindow::CurrentPage() const { return Browser->source(); }
