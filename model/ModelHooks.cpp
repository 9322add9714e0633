#include "model/ModelHooks.h"

namespace {
thread_local TModelHooks *threadHooks = nullptr;
}

TModelHooks &ModelHooks() {
  static TModelHooks hooks;
  return threadHooks != nullptr ? *threadHooks : hooks;
}

TThreadModelHooks::TThreadModelHooks(TModelHooks hooks)
    : hooks_(std::move(hooks)), previous_(threadHooks) {
  threadHooks = &hooks_;
}

TThreadModelHooks::~TThreadModelHooks() { threadHooks = previous_; }

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
