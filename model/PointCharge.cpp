#include "model/PointCharge.h"

#include "display/Sprite.h"
#include "model/ModelHooks.h"

TPointCharge::TPointCharge() : TSprite(ModelHooks().Engine) {
  Width = 20;
  Height = 20;
}
