#pragma once
// The standard combo box with notifications for the mouse pointer entering and leaving it.

#include <QComboBox>

class TPellComboBox : public QComboBox {
  Q_OBJECT
public:
  explicit TPellComboBox(QWidget *parent = nullptr);

signals:
  void OnMouseEnter();
  void OnMouseLeave();

protected:
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;
};
