#pragma once
// Enter in a page of controls: on a focused push button it presses that button, anywhere
// else it presses the page's apply button, as a dialog's default button would.

class QAbstractButton;
class QKeyEvent;
class QWidget;

// Handles Return or Enter that reached page (the controls inside let it through); apply may
// be null. Answers whether the key was Enter; it is then used up, pressed button or not.
bool PressOnEnter(QKeyEvent *event, const QWidget *page, QAbstractButton *apply);
