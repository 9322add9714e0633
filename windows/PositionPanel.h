#pragma once
// A position panel of the voltage window: a coloured panel with a white caption, the
// position of the charge chosen for it. It takes the focus; Space or Enter on it is a click.

#include "display/Canvas.h"

#include <QLabel>

inline constexpr TColor kPanelColor = 0x808080;        // grey
inline constexpr TColor kWaitingPanelColor = 0xC0C0C0; // silver: waiting for a click
inline constexpr TColor kPanelCaptionColor = 0xFFFFFF;

class TPositionPanel : public QLabel {
  Q_OBJECT

public:
  explicit TPositionPanel(QWidget *parent = nullptr);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // The caption's text colour.
  void SetFontColor(TColor color);

signals:
  // A left click: pressed and released on the panel.
  void Clicked(TPositionPanel *panel);
  // Any button pressed on the panel.
  void MouseDown(TPositionPanel *panel, Qt::MouseButton button);

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

private:
  TColor color_ = kPanelColor;
  bool leftPressed_ = false;
};
