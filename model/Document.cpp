#include "model/Document.h"

#include "base/PixelMath.h"
#include "base/Seams.h"
#include "model/ModelHooks.h"
#include "model/Zoom.h"

#include <cmath>
#include <memory>

TPointCharge *TChargeList::Add(std::unique_ptr<TPointCharge> charge) {
  items_.push_back(std::move(charge));
  return items_.back().get();
}

TPointCharge *TChargeList::Insert(int index, std::unique_ptr<TPointCharge> charge) {
  return items_.insert(items_.begin() + index, std::move(charge))->get();
}

void TChargeList::Delete(int index) { items_.erase(items_.begin() + index); }

int TChargeList::IndexOf(const TPointCharge *charge) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == charge)
      return static_cast<int>(i);
  return -1;
}

void TChargeList::Clear() {
  // First to last, as the charges were freed one by one.
  for (auto &charge : items_)
    charge.reset();
  items_.clear();
}

TDocument::~TDocument() = default;

long double TDocument::ZoomFactor() const {
  return PixelsPerMetre * 0.0254L / seams::ScreenPixelsPerInch();
}

TWorldPoint TDocument::ScreenToWorld(long double px, long double py) const {
  return {(px - Origin.X) / PixelsPerMetre, (Origin.Y - py) / PixelsPerMetre};
}

void TDocument::WorldToScreen(const TWorldPoint &world, long double &px, long double &py) const {
  px = world.X * PixelsPerMetre + Origin.X;
  py = Origin.Y - world.Y * PixelsPerMetre;
}

TWorldPoint TDocument::ChargeWorldPosition(const TPointCharge &charge) const {
  return ScreenToWorld(charge.CenterX(), charge.CenterY());
}

TPointCharge *TDocument::CreateCharge(int32_t x, int32_t y) {
  auto created = std::make_unique<TPointCharge>();
  created->X = x - kChargeHalfSize;
  created->Y = y - kChargeHalfSize;
  created->ChargeValue = kElementaryCharge;
  created->ChargeUnit = 0;
  created->FieldLineCount = 16;
  TPointCharge *charge = Charges.Add(std::move(created));
  emit ChargesChanged();
  const int index = Charges.Count() - 1;
  const int selectedBefore = selected_;
  Select(index);
  // A drag that created the charge records it where the drag ends.
  if (gesture_.Active) {
    gesture_.Created = index;
    gesture_.SelectedBefore = selectedBefore;
    gesture_.Changed = true;
    NotifyModified();
    emit Edited();
  } else {
    Record(CreateStep(index, selectedBefore));
  }
  return charge;
}

void TDocument::MoveCharge(TPointCharge &charge, int32_t x, int32_t y) {
  PlaceCharge(charge, x, y);
}

void TDocument::PlaceCharge(TPointCharge &charge, long double x, long double y) {
  const TChargeState before = StateOf(charge);
  charge.X = static_cast<double>(x - kChargeHalfSize);
  charge.Y = static_cast<double>(y - kChargeHalfSize);
  // A drag looks the charge up once: it moves only the charge it grabbed or created.
  if (!gesture_.Active) {
    Record(ChargeStep(QStringLiteral("Ladung verschieben"), Charges.IndexOf(&charge), before));
  } else {
    if (gesture_.Moved == -1 && gesture_.Created == -1) {
      gesture_.Moved = Charges.IndexOf(&charge);
      gesture_.MovedFrom = before;
    }
    gesture_.Changed = true;
    NotifyModified();
    emit Edited();
  }
  emit ChargeChanged(&charge);
}

void TDocument::ApplyCharge(TPointCharge &charge, const TChargeValues &values) {
  const TChargeState before = StateOf(charge);
  long double px = 0;
  long double py = 0;
  WorldToScreen({values.X, values.Y}, px, py);
  charge.X = static_cast<double>(px - kChargeHalfSize);
  charge.Y = static_cast<double>(py - kChargeHalfSize);
  if (values.Unit >= 0)
    charge.ChargeUnit = static_cast<uint8_t>(values.Unit);
  charge.ChargeValue = values.Value * UnitFactorOf(charge.ChargeUnit);
  charge.FieldLineCount = values.FieldLines;
  charge.IsTestCharge = values.TestCharge;
  Record(ChargeStep(QStringLiteral("Ladung ändern"), Charges.IndexOf(&charge), before));
  emit ChargeChanged(&charge);
}

void TDocument::DeleteCharge(int index) {
  const TPointCharge *charge = Charges.At(index);
  if (charge == nullptr)
    return;
  const TChargeState state = StateOf(*charge);
  const std::vector<int> choices =
      choiceHolder_ != nullptr ? choiceHolder_->HeldChoices() : std::vector<int>{};
  emit ChargeRemoving(charge);
  Charges.Delete(index);
  selected_ = -1;
  Record(THistoryStep{QStringLiteral("Ladung löschen"),
                      [this, index, state, choices] {
                        InsertCharge(index, state);
                        RestoreChoices(choices);
                      },
                      [this, index] { RemoveCharge(index); }, choices.size() * sizeof(int)});
  emit SelectionChanged();
  emit ChargesChanged();
}

void TDocument::CenterOn(const TPointCharge &charge, TSize surface) {
  const TViewState before = CaptureView();
  const int halfWidth = surface.Width / 2;
  const int halfHeight = surface.Height / 2;
  ShiftView(pixel::Round(halfWidth + Origin.X - charge.X - kChargeHalfSize),
            pixel::Round(halfHeight + Origin.Y - charge.Y - kChargeHalfSize));
  // The charges keep their metres: saved or not, the document stays so.
  Record(ViewStep(QStringLiteral("Zentrieren"), before, true));
  emit ViewChanged(true);
}

void TDocument::Pan(int32_t x, int32_t y) {
  std::optional<TViewState> before;
  if (!gesture_.Active)
    before = CaptureView();
  else if (!gesture_.PannedFrom)
    gesture_.PannedFrom = CaptureView();
  ShiftView(x, y);
  if (before) {
    Record(ViewStep(QStringLiteral("Ansicht verschieben"), *before));
  } else {
    gesture_.Changed = true;
    NotifyModified();
    emit Edited();
  }
  emit ViewChanged(true);
}

void TDocument::ApplyView(const TViewSettings &view) {
  const TViewState before = CaptureView();
  ArrowScale = view.ArrowScale;
  ArrowColor = view.ArrowColor;
  ShowCursorLine = view.ShowCursorLine;
  StepLength = view.StepLength;
  // Only a new zoom moves field lines; the others reach the background at its next redraw.
  const bool zoomed = SetZoomFactor(view.Zoom);
  Record(ViewStep(QStringLiteral("Anzeige ändern"), before));
  emit ViewChanged(zoomed);
}

void TDocument::ApplyPotential(const TPotentialOptions &options) {
  if (options == Potential)
    return;
  const TPotentialOptions before = std::exchange(Potential, options);
  const auto show = [this](const TPotentialOptions &shown) {
    Potential = shown;
    emit ViewChanged(true);
  };
  Record(
      THistoryStep{QStringLiteral("Potenzialanzeige ändern"), [show, before] { show(before); },
                   [show, options] { show(options); },
                   (before.Levels.capacity() + options.Levels.capacity()) * sizeof(long double)});
  emit ViewChanged(true);
}

void TDocument::Select(int index) {
  selected_ = Charges.At(index) != nullptr ? index : -1;
  emit SelectionChanged();
}

void TDocument::MarkSaved() {
  history_.SetClean();
  NotifyModified();
}

void TDocument::ForgetSavedPoint() {
  history_.ResetClean();
  NotifyModified();
}

void TDocument::NotifyModified() {
  const bool modified = Modified();
  if (modified == toldModified_)
    return;
  toldModified_ = modified;
  emit ModifiedChanged(modified);
}

void TDocument::ClearForNew(TSize surface) {
  selected_ = -1;
  for (const auto &charge : Charges)
    emit ChargeRemoving(charge.get());
  Charges.Clear();
  Origin = {surface.Width / 2, surface.Height / 2};
  ArrowScale = kDefaultArrowScale;
  PixelsPerMetre = DefaultPixelsPerMetre();
  Potential = {};
}

void TDocument::New(TSize surface) {
  ForgetHistory();
  ClearForNew(surface);
  NotifyModified();
  emit SelectionChanged();
  emit Replaced();
}

void TDocument::Load(TSize surface, const std::function<void(TDocument &)> &fill) {
  ForgetHistory();
  ClearForNew(surface);
  std::exception_ptr failure;
  try {
    fill(*this);
  } catch (...) {
    failure = std::current_exception();
  }
  NotifyModified();
  emit SelectionChanged();
  emit Replaced();
  if (failure)
    std::rethrow_exception(failure);
}

void TDocument::ShiftView(int32_t x, int32_t y) {
  for (const auto &charge : Charges) {
    charge->X = static_cast<double>((static_cast<long double>(x) + charge->X) - Origin.X);
    charge->Y = static_cast<double>((static_cast<long double>(y) + charge->Y) - Origin.Y);
  }
  Origin = {x, y};
}

bool TDocument::SetZoomFactor(long double zoom) {
  const long double current = ZoomFactor();
  if (std::fabs(zoom - current) <= kZoomTolerance)
    return false;
  PixelsPerMetre = DefaultPixelsPerMetre() * zoom;
  const long double f = zoom / current;
  for (const auto &charge : Charges) {
    charge->X = ScaledAbout(charge->X, Origin.X, f);
    charge->Y = ScaledAbout(charge->Y, Origin.Y, f);
  }
  return true;
}

void TDocument::ResetAll(TSize surface) {
  ForgetHistory();
  Charges.Clear();
  Origin = {surface.Width / 2, surface.Height / 2};
  PixelsPerMetre = DefaultPixelsPerMetre();
  ArrowScale = kDefaultArrowScale;
  ArrowColor = kDefaultArrowColor;
  StepLength = kDefaultStepLength;
  ShowCursorLine = true;
  Potential = {};
  selected_ = -1;
  NotifyModified();
}

TDocument &TheDocument() {
  static TDocument document;
  return document;
}

TChargeList &Charges = TheDocument().Charges;
TPoint &Origin = TheDocument().Origin;
long double &PixelsPerMetre = TheDocument().PixelsPerMetre;
long double &ArrowScale = TheDocument().ArrowScale;
uint32_t &ArrowColor = TheDocument().ArrowColor;
uint32_t &StepLength = TheDocument().StepLength;
bool &ShowCursorLine = TheDocument().ShowCursorLine;

void ResetDocumentGlobals() { TheDocument().ResetAll(SurfaceSize()); }

void FreeCharges(bool freeList) {
  TheDocument().Charges.Clear();
  if (freeList)
    TheDocument().Charges.ReleaseStorage();
}

void ApplyState(TPointCharge &charge, const TChargeState &state) {
  charge.X = state.X;
  charge.Y = state.Y;
  charge.ChargeValue = state.Value;
  charge.FieldLineCount = state.FieldLines;
  charge.IsTestCharge = state.TestCharge;
  charge.ChargeUnit = state.Unit;
}

TChargeState StateOf(const TPointCharge &charge) {
  return {
      charge.X,         charge.Y, charge.ChargeValue, charge.FieldLineCount, charge.IsTestCharge,
      charge.ChargeUnit};
}

void TDocument::Record(std::optional<THistoryStep> step) {
  if (step)
    history_.Push(std::move(*step));
  NotifyModified();
  emit Edited();
}

THistoryStep TDocument::CreateStep(int index, int selectedBefore) {
  const TChargeState state = StateOf(*Charges[index]);
  return {QStringLiteral("Ladung erzeugen"),
          [this, index, selectedBefore] {
            RemoveCharge(index);
            Select(selectedBefore);
          },
          [this, index, state] { InsertCharge(index, state); }};
}

THistoryStep TDocument::ChargeStep(const QString &text, int index, const TChargeState &before) {
  const TChargeState after = StateOf(*Charges[index]);
  return {text, [this, index, before] { RestoreCharge(index, before); },
          [this, index, after] { RestoreCharge(index, after); }};
}

std::optional<THistoryStep> TDocument::ViewStep(const QString &text, const TViewState &before,
                                                bool quiet) {
  const TViewValues &from = before.View;
  // The charges move only with the view: a view that ends where it started is no step.
  if (ViewValues() == from)
    return std::nullopt;
  // Shared by both directions; it keeps only the positions the move itself would miss.
  const auto move =
      std::make_shared<const TViewMove>(from, before.Positions, ViewValues(), Charges);
  const auto show = [this, move](const TViewValues &values, bool back) {
    SetViewValues(values);
    if (back)
      move->MoveBack(Charges);
    else
      move->MoveForth(Charges);
    emit ViewChanged(true);
  };
  return THistoryStep{text, [show, move] { show(move->Before(), true); },
                      [show, move] { show(move->After(), false); },
                      sizeof(TViewMove) + move->Bytes(), quiet};
}

TViewValues TDocument::ViewValues() const {
  return {Origin, PixelsPerMetre, ArrowScale, ArrowColor, StepLength, ShowCursorLine};
}

void TDocument::SetViewValues(const TViewValues &values) {
  Origin = values.Origin;
  PixelsPerMetre = values.PixelsPerMetre;
  ArrowScale = values.ArrowScale;
  ArrowColor = values.ArrowColor;
  StepLength = values.StepLength;
  ShowCursorLine = values.ShowCursorLine;
}

void TDocument::ForgetHistory() {
  gesture_ = {};
  history_.Clear();
}

void TDocument::Undo() {
  EndGesture();
  if (!history_.CanUndo())
    return;
  history_.Undo();
  NotifyModified();
  emit Restored();
  emit Edited();
}

void TDocument::Redo() {
  EndGesture();
  if (!history_.CanRedo())
    return;
  history_.Redo();
  NotifyModified();
  emit Restored();
  emit Edited();
}

void TDocument::BeginGesture() {
  EndGesture();
  gesture_.Active = true;
}

void TDocument::EndGesture() {
  const TGesture gesture = std::exchange(gesture_, {});
  if (!gesture.Active)
    return;
  if (Charges.At(gesture.Created) != nullptr)
    Record(CreateStep(gesture.Created, gesture.SelectedBefore));
  const TPointCharge *moved = Charges.At(gesture.Moved);
  if (moved != nullptr && StateOf(*moved) != gesture.MovedFrom)
    Record(ChargeStep(QStringLiteral("Ladung verschieben"), gesture.Moved, gesture.MovedFrom));
  if (gesture.PannedFrom)
    Record(ViewStep(QStringLiteral("Ansicht verschieben"), *gesture.PannedFrom));
  // A drag that ended where it started records nothing.
  NotifyModified();
}

void TDocument::ChoicesChanged(const std::vector<int> &before, bool modifies) {
  if (choiceHolder_ == nullptr)
    return;
  std::vector<int> after = choiceHolder_->HeldChoices();
  if (after == before)
    return;
  const size_t bytes = (before.capacity() + after.capacity()) * sizeof(int);
  Record(THistoryStep{QStringLiteral("Spannungsauswahl ändern"),
                      [this, before] { RestoreChoices(before); },
                      [this, after] { RestoreChoices(after); }, bytes, !modifies});
}

void TDocument::RestoreCharge(int index, const TChargeState &state) {
  TPointCharge *charge = Charges.At(index);
  if (charge == nullptr)
    return;
  ApplyState(*charge, state);
  emit ChargeChanged(charge);
}

void TDocument::InsertCharge(int index, const TChargeState &state) {
  Charges.Insert(index, std::make_unique<TPointCharge>());
  RestoreCharge(index, state);
  emit ChargesChanged();
  Select(index);
}

void TDocument::RemoveCharge(int index) {
  const TPointCharge *charge = Charges.At(index);
  if (charge == nullptr)
    return;
  emit ChargeRemoving(charge);
  Charges.Delete(index);
  selected_ = -1;
  emit SelectionChanged();
  emit ChargesChanged();
}

void TDocument::RestoreChoices(const std::vector<int> &choices) {
  if (choiceHolder_ != nullptr)
    choiceHolder_->RestoreChoices(choices);
}

TViewState TDocument::CaptureView() const { return {ViewValues(), PositionsOf(Charges)}; }
