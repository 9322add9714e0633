#include "model/Document.h"

#include "base/PixelMath.h"
#include "model/ShowAll.h"
#include "model/Zoom.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <tuple>

namespace {

// Where a choice of charge index goes when the charge at index is removed (-1 when it was
// that one) or a charge is inserted there.
int AfterRemoving(int choice, int index) {
  return choice == index ? -1 : choice > index ? choice - 1 : choice;
}
int AfterInserting(int choice, int index) { return choice >= index ? choice + 1 : choice; }

// A step's name is kept in the sources' language, so that a language switch renames the steps
// already recorded: whoever shows it translates it in the context "TDocument".
QString StepName(const char *source) { return QString::fromUtf8(source); }

} // namespace

TDocument::~TDocument() = default;

int TDocument::CreateCharge(int32_t x, int32_t y) {
  TPointCharge created;
  created.X = x - kChargeHalfSize;
  created.Y = y - kChargeHalfSize;
  created.ChargeValue = kElementaryCharge;
  created.ChargeUnit = 0;
  created.FieldLineCount = 16;
  scene_.Charges.Add(created);
  const int index = scene_.Charges.Count() - 1;
  emit ChargeInserted(index);
  emit ChargesChanged();
  const int selectedBefore = scene_.Selected;
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
  return index;
}

void TDocument::MoveCharge(int index, int32_t x, int32_t y) { PlaceCharge(index, x, y); }

void TDocument::PlaceCharge(int index, long double x, long double y) {
  TPointCharge *charge = scene_.Charges.At(index);
  if (charge == nullptr)
    return;
  const TPointCharge before = *charge;
  charge->X = static_cast<double>(x - kChargeHalfSize);
  charge->Y = static_cast<double>(y - kChargeHalfSize);
  // A drag records the charge it grabbed or created, from where it was at the start.
  if (!gesture_.Active) {
    Record(
        ChargeStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ladung verschieben")), index, before));
  } else {
    if (gesture_.Moved == -1 && gesture_.Created == -1) {
      gesture_.Moved = index;
      gesture_.MovedFrom = before;
    }
    gesture_.Changed = true;
    NotifyModified();
    emit Edited();
  }
  emit ChargeChanged(index);
}

void TDocument::ApplyCharge(int index, const TChargeValues &values) {
  TPointCharge *charge = scene_.Charges.At(index);
  if (charge == nullptr)
    return;
  const TPointCharge before = *charge;
  long double px = 0;
  long double py = 0;
  scene_.WorldToScreen({values.X, values.Y}, px, py);
  charge->X = static_cast<double>(px - kChargeHalfSize);
  charge->Y = static_cast<double>(py - kChargeHalfSize);
  if (values.Unit >= 0)
    charge->ChargeUnit = static_cast<uint8_t>(values.Unit);
  charge->ChargeValue = values.Value * UnitFactorOf(charge->ChargeUnit);
  charge->FieldLineCount = values.FieldLines;
  charge->IsTestCharge = values.TestCharge;
  Record(ChargeStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ladung ändern")), index, before));
  emit ChargeChanged(index);
}

void TDocument::ReplaceCharge(int index, const TPointCharge &charge) {
  TPointCharge *current = scene_.Charges.At(index);
  if (current == nullptr)
    return;
  const TPointCharge before = std::exchange(*current, charge);
  Record(ChargeStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ladung ändern")), index, before));
  emit ChargeChanged(index);
}

void TDocument::AddRow(const std::vector<TPointCharge> &charges) {
  if (charges.empty())
    return;
  const int first = scene_.Charges.Count();
  const int selectedBefore = scene_.Selected;
  const auto insert = [this, first, charges] {
    for (size_t k = 0; k < charges.size(); ++k)
      InsertCharge(first + static_cast<int>(k), charges[k]);
    Select(first);
  };
  insert();
  const auto count = static_cast<int>(charges.size());
  Record(THistoryStep{StepName(QT_TRANSLATE_NOOP("TDocument", "Ladungsreihe einfügen")),
                      [this, first, count, selectedBefore] {
                        for (int i = first + count - 1; i >= first; --i)
                          RemoveCharge(i);
                        Select(selectedBefore);
                      },
                      insert, charges.size() * sizeof(TPointCharge)});
}

void TDocument::DeleteCharge(int index) {
  const TPointCharge *charge = scene_.Charges.At(index);
  if (charge == nullptr)
    return;
  const TPointCharge state = *charge;
  const TVoltageChoice choice = scene_.Voltage;
  RemoveCharge(index);
  Record(THistoryStep{StepName(QT_TRANSLATE_NOOP("TDocument", "Ladung löschen")),
                      [this, index, state, choice] {
                        InsertCharge(index, state);
                        RestoreVoltage(choice);
                      },
                      [this, index] { RemoveCharge(index); }});
}

void TDocument::CenterOn(int index, TSize surface) {
  const TPointCharge *charge = scene_.Charges.At(index);
  if (charge == nullptr)
    return;
  const TViewState before = CaptureView();
  const int halfWidth = surface.Width / 2;
  const int halfHeight = surface.Height / 2;
  const TPoint origin = scene_.Origin;
  scene_.ShiftView(pixel::Round(halfWidth + origin.X - charge->X - kChargeHalfSize),
                   pixel::Round(halfHeight + origin.Y - charge->Y - kChargeHalfSize));
  // The charges keep their metres: saved or not, the document stays so.
  Record(ViewStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Zentrieren")), before, true));
  emit ViewChanged(true);
}

void TDocument::Pan(int32_t x, int32_t y) {
  std::optional<TViewState> before;
  if (!gesture_.Active)
    before = CaptureView();
  else if (!gesture_.PannedFrom)
    gesture_.PannedFrom = CaptureView();
  scene_.ShiftView(x, y);
  if (before) {
    Record(ViewStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ansicht verschieben")), *before));
  } else {
    gesture_.Changed = true;
    NotifyModified();
    emit Edited();
  }
  emit ViewChanged(true);
}

void TDocument::ApplyView(const TViewSettings &view) {
  const TViewState before = CaptureView();
  scene_.ArrowScale = view.ArrowScale;
  scene_.ArrowColor = view.ArrowColor;
  scene_.ShowCursorLine = view.ShowCursorLine;
  scene_.StepLength = view.StepLength;
  // Only a new zoom moves field lines; the others reach the background at its next redraw.
  const bool zoomed = scene_.SetZoomFactor(view.Zoom);
  Record(ViewStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Anzeige ändern")), before));
  emit ViewChanged(zoomed);
}

bool TDocument::ZoomAbout(long double zoom, TPoint pivot) {
  const std::optional<TPoint> origin = OriginZoomedAbout(scene_, zoom, pivot);
  if (!origin || !ZoomFits(scene_, zoom))
    return false;
  ZoomTo(zoom, *origin);
  return true;
}

bool TDocument::ShowAll(TSize surface) {
  const std::optional<TViewFit> fit = ViewShowingAll(scene_, surface);
  if (!fit)
    return false;
  ZoomTo(fit->Zoom, fit->Origin);
  return true;
}

void TDocument::ZoomTo(long double zoom, TPoint origin) {
  EndGesture();
  const TViewState before = CaptureView();
  // The view tab's zoom about the origin, then a pan: the history replays both rules exactly.
  scene_.SetZoomFactor(zoom);
  scene_.ShiftView(origin.X, origin.Y);
  Record(ViewStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Zoom ändern")), before));
  emit ViewChanged(true);
}

void TDocument::FollowSurface(TSize from, TSize to) {
  // Halves of whole sizes: a series of resizes moves the view as one resize would.
  const TPoint shift{to.Width / 2 - from.Width / 2, to.Height / 2 - from.Height / 2};
  if (shift == TPoint{})
    return;
  const TPoint originBefore = scene_.Origin;
  ShiftUnrecorded(shift);
  surfaceShift_ = {surfaceShift_.X + shift.X, surfaceShift_.Y + shift.Y};
  // What a drag in progress will record starts from the view as it is now.
  if (gesture_.Active) {
    std::tie(gesture_.MovedFrom.X, gesture_.MovedFrom.Y) =
        MovedPosition({gesture_.MovedFrom.X, gesture_.MovedFrom.Y}, originBefore, 1, scene_.Origin);
    if (gesture_.PannedFrom) {
      TViewState &panned = *gesture_.PannedFrom;
      const TPoint pannedTo{pixel::Offset(panned.View.Origin.X, shift.X),
                            pixel::Offset(panned.View.Origin.Y, shift.Y)};
      for (TPixelPosition &p : panned.Positions)
        p = MovedPosition(p, panned.View.Origin, 1, pannedTo);
      panned.View.Origin = pannedTo;
    }
  }
  // The surface's owner draws the background again once the resizing is over.
  emit ViewChanged(false);
}

void TDocument::ShiftUnrecorded(TPoint shift) {
  scene_.ShiftView(pixel::Offset(scene_.Origin.X, shift.X),
                   pixel::Offset(scene_.Origin.Y, shift.Y));
}

THistoryStep TDocument::InRecordedFrame(THistoryStep step) {
  const TPoint recordedAt = surfaceShift_;
  const auto run = [this, recordedAt](const std::function<void()> &change) {
    const TPoint since{surfaceShift_.X - recordedAt.X, surfaceShift_.Y - recordedAt.Y};
    if (since == TPoint{}) {
      change();
      return;
    }
    ShiftUnrecorded({-since.X, -since.Y});
    change();
    ShiftUnrecorded(since);
    emit ViewChanged(true);
  };
  step.Undo = [run, undo = std::move(step.Undo)] { run(undo); };
  step.Redo = [run, redo = std::move(step.Redo)] { run(redo); };
  return step;
}

void TDocument::ApplyPotential(const TPotentialOptions &options) {
  if (options == scene_.Potential)
    return;
  const TPotentialOptions before = std::exchange(scene_.Potential, options);
  const auto show = [this](const TPotentialOptions &shown) {
    scene_.Potential = shown;
    emit ViewChanged(true);
  };
  Record(
      THistoryStep{StepName(QT_TRANSLATE_NOOP("TDocument", "Potenzialanzeige ändern")),
                   [show, before] { show(before); }, [show, options] { show(options); },
                   (before.Levels.capacity() + options.Levels.capacity()) * sizeof(long double)});
  emit ViewChanged(true);
}

void TDocument::ApplyFieldLines(const TFieldLineOptions &options) {
  if (options == scene_.FieldLines)
    return;
  const TFieldLineOptions before = std::exchange(scene_.FieldLines, options);
  const auto show = [this](const TFieldLineOptions &shown) {
    scene_.FieldLines = shown;
    emit ViewChanged(true);
  };
  Record(THistoryStep{StepName(QT_TRANSLATE_NOOP("TDocument", "Feldlinien ändern")),
                      [show, before] { show(before); }, [show, options] { show(options); }, 0});
  emit ViewChanged(true);
}

void TDocument::ChooseVoltage(const TVoltageChoice &choice, bool modifies) {
  if (choice == scene_.Voltage)
    return;
  const TVoltageChoice before = std::exchange(scene_.Voltage, choice);
  Record(THistoryStep{StepName(QT_TRANSLATE_NOOP("TDocument", "Spannungsauswahl ändern")),
                      [this, before] { RestoreVoltage(before); },
                      [this, choice] { RestoreVoltage(choice); }, 0, !modifies});
  emit VoltageChanged();
}

void TDocument::Select(int index) {
  scene_.Selected = scene_.Charges.At(index) != nullptr ? index : -1;
  scene_.Selection.clear();
  emit SelectionChanged();
}

void TDocument::SelectMany(std::vector<int> indices, int current) {
  std::erase_if(indices, [this](int index) { return scene_.Charges.At(index) == nullptr; });
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  if (!std::binary_search(indices.begin(), indices.end(), current))
    current = indices.empty() ? -1 : indices.back();
  scene_.Selected = current;
  scene_.Selection = std::move(indices);
  emit SelectionChanged();
}

void TDocument::ToggleSelected(int index) {
  if (scene_.Charges.At(index) == nullptr)
    return;
  std::vector<int> indices = SelectedIndices();
  const auto at = std::lower_bound(indices.begin(), indices.end(), index);
  if (at != indices.end() && *at == index) {
    indices.erase(at);
    SelectMany(std::move(indices), scene_.Selected == index ? -1 : scene_.Selected);
  } else {
    indices.insert(at, index);
    SelectMany(std::move(indices), index);
  }
}

void TDocument::SelectAll() {
  std::vector<int> indices(static_cast<size_t>(scene_.Charges.Count()));
  std::iota(indices.begin(), indices.end(), 0);
  SelectMany(std::move(indices), scene_.Selected);
}

std::vector<TPointCharge> TDocument::ChargesAt(const std::vector<int> &indices) const {
  std::vector<TPointCharge> charges;
  charges.reserve(indices.size());
  for (const int index : indices)
    charges.push_back(scene_.Charges[index]);
  return charges;
}

void TDocument::MoveSelection(long double dx, long double dy) {
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty())
    return;
  std::vector<TPointCharge> before = ChargesAt(indices);
  for (const int index : indices) {
    TPointCharge &charge = scene_.Charges[index];
    charge.X = static_cast<double>(charge.X + dx);
    charge.Y = static_cast<double>(charge.Y + dy);
  }
  if (!gesture_.Active) {
    Record(ChargesStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ladungen verschieben")), indices,
                       std::move(before)));
  } else {
    // A drag records the charges from where they were when it first moved them.
    if (gesture_.SelectionMoved.empty()) {
      gesture_.SelectionMoved = indices;
      gesture_.SelectionFrom = std::move(before);
    }
    gesture_.Changed = true;
    NotifyModified();
    emit Edited();
  }
  emit SeveralChargesChanged();
}

void TDocument::DeleteSelection() {
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty())
    return;
  const std::vector<TPointCharge> states = ChargesAt(indices);
  const TVoltageChoice choice = scene_.Voltage;
  const int current = scene_.Selected;
  RemoveCharges(indices);
  Record(THistoryStep{StepName(QT_TRANSLATE_NOOP("TDocument", "Ladungen löschen")),
                      [this, indices, states, choice, current] {
                        InsertCharges(indices, states);
                        RestoreVoltage(choice);
                        SelectMany(indices, current);
                      },
                      [this, indices] { RemoveCharges(indices); },
                      states.capacity() * sizeof(TPointCharge) + indices.capacity() * sizeof(int)});
}

void TDocument::ApplyToSelection(const TChargeValues &values, const TChargeFields &fields) {
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty())
    return;
  std::vector<TPointCharge> before = ChargesAt(indices);
  // A typed charge is in the unit the tab shows: every charge gets that many coulombs.
  const TPointCharge *shown = Selected();
  const int typedUnit = values.Unit >= 0 ? values.Unit : shown != nullptr ? shown->ChargeUnit : 0;
  for (const int index : indices) {
    TPointCharge &charge = scene_.Charges[index];
    if (fields.Position && index == scene_.Selected) {
      long double px = 0;
      long double py = 0;
      scene_.WorldToScreen({values.X, values.Y}, px, py);
      charge.X = static_cast<double>(px - kChargeHalfSize);
      charge.Y = static_cast<double>(py - kChargeHalfSize);
    }
    // A new unit alone keeps each charge's number, as it does for one charge.
    const long double number = charge.ChargeValue / UnitFactorOf(charge.ChargeUnit);
    if (fields.Unit && values.Unit >= 0)
      charge.ChargeUnit = static_cast<uint8_t>(values.Unit);
    if (fields.Value)
      charge.ChargeValue = values.Value * UnitFactorOf(typedUnit);
    else if (fields.Unit)
      charge.ChargeValue = number * UnitFactorOf(charge.ChargeUnit);
    if (fields.FieldLines)
      charge.FieldLineCount = values.FieldLines;
    if (fields.TestCharge)
      charge.IsTestCharge = values.TestCharge;
  }
  Record(ChargesStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ladungen ändern")), indices,
                     std::move(before)));
  emit SeveralChargesChanged();
}

void TDocument::FlipSelection() {
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty())
    return;
  std::vector<TPointCharge> before = ChargesAt(indices);
  for (const int index : indices)
    scene_.Charges[index].ChargeValue = -scene_.Charges[index].ChargeValue;
  Record(ChargesStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Vorzeichen umkehren")), indices,
                     std::move(before)));
  emit SeveralChargesChanged();
}

void TDocument::AddCharges(const std::vector<TPointCharge> &charges, bool duplicate) {
  if (charges.empty())
    return;
  std::vector<int> indices(charges.size());
  std::iota(indices.begin(), indices.end(), scene_.Charges.Count());
  const std::vector<int> selectedBefore = SelectedIndices();
  const int currentBefore = scene_.Selected;
  InsertCharges(indices, charges);
  Record(
      THistoryStep{duplicate ? StepName(QT_TRANSLATE_NOOP("TDocument", "Duplizieren"))
                             : StepName(QT_TRANSLATE_NOOP("TDocument", "Einfügen")),
                   [this, indices, selectedBefore, currentBefore] {
                     RemoveCharges(indices);
                     SelectMany(selectedBefore, currentBefore);
                   },
                   [this, indices, charges] { InsertCharges(indices, charges); },
                   charges.capacity() * sizeof(TPointCharge) + indices.capacity() * sizeof(int)});
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
  scene_.Selected = -1;
  scene_.Selection.clear();
  scene_.Charges.Clear();
  scene_.Origin = {surface.Width / 2, surface.Height / 2};
  scene_.ArrowScale = kDefaultArrowScale;
  scene_.PixelsPerMetre = DefaultPixelsPerMetre();
  scene_.Potential = {};
  scene_.FieldLines = {};
  scene_.Voltage = {};
  scene_.Particles.clear();
  scene_.ParticleSetup = {};
  scene_.SelectedParticle = -1;
}

void TDocument::New(TSize surface) {
  ForgetHistory();
  ClearForNew(surface);
  NotifyModified();
  emit SelectionChanged();
  emit Replaced();
}

void TDocument::Load(TSize surface, const std::function<void(TScene &)> &fill) {
  ForgetHistory();
  ClearForNew(surface);
  std::exception_ptr failure;
  try {
    fill(scene_);
  } catch (...) {
    failure = std::current_exception();
  }
  // A lesson with particles opens with the first one's page and readouts.
  if (scene_.Particle(scene_.SelectedParticle) == nullptr)
    scene_.SelectedParticle = scene_.Particles.empty() ? -1 : 0;
  NotifyModified();
  emit SelectionChanged();
  emit Replaced();
  if (failure)
    std::rethrow_exception(failure);
}

void TDocument::ResetAll(TSize surface) {
  ForgetHistory();
  scene_ = TScene{};
  scene_.Origin = {surface.Width / 2, surface.Height / 2};
  scene_.PixelsPerMetre = DefaultPixelsPerMetre();
  NotifyModified();
  emit SelectionChanged();
  emit Replaced();
}

void TDocument::Reset(const TScene &scene) {
  ForgetHistory();
  scene_ = scene;
  if (scene_.Charges.At(scene_.Selected) == nullptr)
    scene_.Selected = -1;
  std::erase_if(scene_.Selection,
                [this](int index) { return scene_.Charges.At(index) == nullptr; });
  if (scene_.Particle(scene_.SelectedParticle) == nullptr)
    scene_.SelectedParticle = -1;
  NotifyModified();
  emit SelectionChanged();
  emit Replaced();
}

void TDocument::Record(std::optional<THistoryStep> step) {
  if (step)
    history_.Push(InRecordedFrame(std::move(*step)));
  NotifyModified();
  emit Edited();
}

THistoryStep TDocument::CreateStep(int index, int selectedBefore) {
  const TPointCharge state = scene_.Charges[index];
  return {StepName(QT_TRANSLATE_NOOP("TDocument", "Ladung erzeugen")),
          [this, index, selectedBefore] {
            RemoveCharge(index);
            Select(selectedBefore);
          },
          [this, index, state] { InsertCharge(index, state); }};
}

THistoryStep TDocument::ChargeStep(const QString &text, int index, const TPointCharge &before) {
  const TPointCharge after = scene_.Charges[index];
  return {text, [this, index, before] { RestoreCharge(index, before); },
          [this, index, after] { RestoreCharge(index, after); }};
}

std::optional<THistoryStep> TDocument::ViewStep(const QString &text, const TViewState &before,
                                                bool quiet) {
  const TViewValues &from = before.View;
  // The charges move only with the view: a view that ends where it started is no step.
  if (scene_.ViewValues() == from)
    return std::nullopt;
  // Shared by both directions; it keeps only the positions the move itself would miss.
  const auto move = std::make_shared<const TViewMove>(from, before.Positions, scene_.ViewValues(),
                                                      scene_.Charges);
  const auto show = [this, move](const TViewValues &values, bool back) {
    scene_.SetViewValues(values);
    if (back)
      move->MoveBack(scene_.Charges);
    else
      move->MoveForth(scene_.Charges);
    emit ViewChanged(true);
  };
  return THistoryStep{text, [show, move] { show(move->Before(), true); },
                      [show, move] { show(move->After(), false); },
                      sizeof(TViewMove) + move->Bytes(), quiet};
}

THistoryStep TDocument::ChargesStep(const QString &text, const std::vector<int> &indices,
                                    std::vector<TPointCharge> before) {
  struct TStates {
    std::vector<int> Indices;
    int Current = -1; // the selected one among them
    std::vector<TPointCharge> Before;
    std::vector<TPointCharge> After;
  };
  const auto states = std::make_shared<const TStates>(
      TStates{indices, scene_.Selected, std::move(before), ChargesAt(indices)});
  return {text,
          [this, states] { RestoreCharges(states->Indices, states->Before, states->Current); },
          [this, states] { RestoreCharges(states->Indices, states->After, states->Current); },
          sizeof(TStates) + states->Indices.capacity() * sizeof(int) +
              (states->Before.capacity() + states->After.capacity()) * sizeof(TPointCharge)};
}

void TDocument::ForgetHistory() {
  gesture_ = {};
  history_.Clear();
  surfaceShift_ = {};
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
  if (scene_.Charges.At(gesture.Created) != nullptr)
    Record(CreateStep(gesture.Created, gesture.SelectedBefore));
  const TPointCharge *moved = scene_.Charges.At(gesture.Moved);
  if (moved != nullptr && *moved != gesture.MovedFrom)
    Record(ChargeStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ladung verschieben")), gesture.Moved,
                      gesture.MovedFrom));
  if (!gesture.SelectionMoved.empty() && gesture.SelectionMoved.back() < scene_.Charges.Count() &&
      ChargesAt(gesture.SelectionMoved) != gesture.SelectionFrom)
    Record(ChargesStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ladungen verschieben")),
                       gesture.SelectionMoved, gesture.SelectionFrom));
  if (gesture.PannedFrom)
    Record(ViewStep(StepName(QT_TRANSLATE_NOOP("TDocument", "Ansicht verschieben")),
                    *gesture.PannedFrom));
  // A drag that ended where it started records nothing.
  NotifyModified();
}

void TDocument::RestoreCharge(int index, const TPointCharge &state) {
  TPointCharge *charge = scene_.Charges.At(index);
  if (charge == nullptr)
    return;
  *charge = state;
  emit ChargeChanged(index);
}

void TDocument::InsertCharge(int index, const TPointCharge &state, bool tell) {
  scene_.Charges.Insert(index, state);
  TVoltageChoice &voltage = scene_.Voltage;
  voltage.Start = AfterInserting(voltage.Start, index);
  voltage.End = AfterInserting(voltage.End, index);
  emit ChargeInserted(index);
  if (!tell)
    return;
  emit ChargeChanged(index);
  emit ChargesChanged();
  emit VoltageChanged();
  Select(index);
}

void TDocument::RemoveCharge(int index, bool tell) {
  if (scene_.Charges.At(index) == nullptr)
    return;
  scene_.Charges.Delete(index);
  TVoltageChoice &voltage = scene_.Voltage;
  voltage.Start = AfterRemoving(voltage.Start, index);
  voltage.End = AfterRemoving(voltage.End, index);
  scene_.Selected = -1;
  scene_.Selection.clear();
  emit ChargeRemoved(index);
  if (!tell)
    return;
  emit SelectionChanged();
  emit ChargesChanged();
  emit VoltageChanged();
}

void TDocument::RestoreCharges(const std::vector<int> &indices,
                               const std::vector<TPointCharge> &states, int current) {
  for (size_t i = 0; i < indices.size(); ++i)
    if (TPointCharge *charge = scene_.Charges.At(indices[i]))
      *charge = states[i];
  SelectMany(indices, current);
  emit SeveralChargesChanged();
}

void TDocument::InsertCharges(const std::vector<int> &indices,
                              const std::vector<TPointCharge> &states) {
  // Ascending, each lands where it was: the ones before it are in place already.
  for (size_t i = 0; i < indices.size(); ++i)
    InsertCharge(indices[i], states[i], false);
  emit ChargesInsertedTogether();
  emit ChargesChanged();
  emit VoltageChanged();
  SelectMany(indices);
}

void TDocument::RemoveCharges(const std::vector<int> &indices) {
  for (auto index = indices.rbegin(); index != indices.rend(); ++index)
    RemoveCharge(*index, false);
  emit SelectionChanged();
  emit ChargesChanged();
  emit VoltageChanged();
}

void TDocument::RestoreVoltage(const TVoltageChoice &choice) {
  scene_.Voltage = choice;
  emit VoltageChanged();
}

TViewState TDocument::CaptureView() const {
  return {scene_.ViewValues(), PositionsOf(scene_.Charges)};
}

// --- Particles ---

TDocument::TParticleState TDocument::CaptureParticles() const {
  return {scene_.Particles, scene_.ParticleSetup, scene_.SelectedParticle};
}

void TDocument::RestoreParticles(const TParticleState &state) {
  const bool selectionMoves = state.Selected != scene_.SelectedParticle;
  scene_.Particles = state.Particles;
  scene_.ParticleSetup = state.Setup;
  scene_.SelectedParticle = state.Selected;
  emit ParticlesChanged();
  if (selectionMoves)
    emit ParticleSelectionChanged();
}

void TDocument::RecordParticles(const char *text, TParticleState before) {
  TParticleState after = CaptureParticles();
  const size_t bytes = (before.Particles.size() + after.Particles.size()) * sizeof(TParticle) +
                       before.Setup.Note.size() + after.Setup.Note.size();
  Record(THistoryStep{StepName(text), [this, before] { RestoreParticles(before); },
                      [this, after] { RestoreParticles(after); }, bytes});
}

int TDocument::AddParticle(const TParticle &particle) {
  TParticleState before = CaptureParticles();
  scene_.Particles.push_back(particle);
  scene_.SelectedParticle = static_cast<int>(scene_.Particles.size()) - 1;
  RecordParticles(QT_TRANSLATE_NOOP("TDocument", "Teilchen einfügen"), std::move(before));
  emit ParticlesChanged();
  emit ParticleSelectionChanged();
  return scene_.SelectedParticle;
}

void TDocument::ReplaceParticle(int index, const TParticle &particle) {
  const TParticle *present = scene_.Particle(index);
  if (present == nullptr || *present == particle)
    return;
  TParticleState before = CaptureParticles();
  scene_.Particles[static_cast<size_t>(index)] = particle;
  RecordParticles(QT_TRANSLATE_NOOP("TDocument", "Teilchen ändern"), std::move(before));
  emit ParticlesChanged();
}

void TDocument::DeleteParticle(int index) {
  if (scene_.Particle(index) == nullptr)
    return;
  TParticleState before = CaptureParticles();
  scene_.Particles.erase(scene_.Particles.begin() + index);
  scene_.SelectedParticle = -1;
  RecordParticles(QT_TRANSLATE_NOOP("TDocument", "Teilchen löschen"), std::move(before));
  emit ParticlesChanged();
  emit ParticleSelectionChanged();
}

void TDocument::ApplyParticleSetup(const TParticleSetup &setup) {
  if (setup == scene_.ParticleSetup)
    return;
  TParticleState before = CaptureParticles();
  scene_.ParticleSetup = setup;
  RecordParticles(QT_TRANSLATE_NOOP("TDocument", "Ziel ändern"), std::move(before));
  emit ParticlesChanged();
}

void TDocument::SelectParticle(int index) {
  const int selected = scene_.Particle(index) != nullptr ? index : -1;
  if (selected == scene_.SelectedParticle)
    return;
  scene_.SelectedParticle = selected;
  emit ParticleSelectionChanged();
}
