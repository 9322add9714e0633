#include "model/ModelHooks.h"

TModelHooks &ModelHooks() {
  static TModelHooks hooks;
  return hooks;
}

void InstallModelHooks(TModelHooks hooks) { ModelHooks() = std::move(hooks); }

TSize SurfaceSize() {
  const auto &hook = ModelHooks().SurfaceSize;
  return hook ? hook() : TSize{};
}

TCanvas *SurfaceCanvas() {
  const auto &hook = ModelHooks().SurfaceCanvas;
  return hook ? hook() : nullptr;
}

QString LabelFontName() {
  const auto &hook = ModelHooks().LabelFontName;
  return hook ? hook() : QStringLiteral("DejaVu Sans");
}
