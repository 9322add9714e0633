#include "Renderer.h"
#include "Trajectory.h"

#include "base/Seams.h"
#include "file/ProjectDocument.h"
#include "file/ProjectFile.h"
#include "model/Background.h"
#include "model/ChargeSprites.h"
#include "model/FrameComposer.h"
#include "model/ParticleDrawing.h"
#include "model/ParticleFlight.h"
#include "model/PictureExport.h"
#include "model/Readouts.h"
#include "model/Scene.h"
#include "model/ViewLimits.h"

#include <QElapsedTimer>
#include <QLocale>

#include <cstdio>

TRenderer::TRenderer(const TRenderOptions &options)
    : options_(options), frame_(options.Width, options.Height) {
  seams::SetPixelsPerInchSource([ppi = options_.Ppi] { return ppi; });
  if (!options_.Locale.isEmpty())
    QLocale::setDefault(QLocale(options_.Locale));

  engine_.VisibleRect = {0, 0, options_.Width, options_.Height};
}

TRenderer::~TRenderer() = default;

int TRenderer::Run() {
  TProjectData data;
  LoadProjectFile(options_.Project, data);
  // A new project's view on a surface of the picture's size, then the file's.
  scene_.Origin = {options_.Width / 2, options_.Height / 2};
  scene_.PixelsPerMetre = DefaultPixelsPerMetre();
  scene_.StepLength = options_.Step;
  ApplyViewOf(data, scene_);
  AppendChargesOf(data, scene_);
  scene_.Selected = scene_.Charges.At(options_.Selected) != nullptr ? options_.Selected : -1;
  if (!options_.Save.isEmpty())
    Save(data);
  // The flags add to what the project shows; they are drawn, never saved.
  if (options_.Equipotentials)
    scene_.Potential.Lines = true;
  if (!options_.Levels.empty())
    scene_.Potential.Levels = options_.Levels;
  if (options_.PotentialMap)
    scene_.Potential.Map = true;
  if (options_.ZeroPoints)
    scene_.FieldLines.ZeroPoints = true;
  if (options_.LineArrows)
    scene_.FieldLines.Arrows = true;
  if (options_.FluxLines)
    scene_.FieldLines.Proportional = true;
  if (options_.Accurate)
    scene_.FieldLines.Accurate = true;
  scene_.Particles.insert(scene_.Particles.end(), options_.Particles.begin(),
                          options_.Particles.end());
  const std::optional<std::vector<TParticleTrail>> trails = Fly();
  const std::vector<TParticleTrail> *particles = trails ? &*trails : nullptr;
  if (options_.Png.isEmpty() && options_.Svg.isEmpty() && options_.Pdf.isEmpty() &&
      !options_.Stats && !options_.Data)
    return 0;

  const TPictureTarget target{
      {options_.Width, options_.Height}, QStringLiteral("DejaVu Sans"), {options_.StepBudget}};
  TBitmap background(options_.Width, options_.Height);
  QElapsedTimer timer;
  timer.start();
  const TTraceStats stats = DrawBackgroundOn(scene_, background, target);
  const qint64 backgroundMs = timer.elapsed();

  // The charges in the order the program draws those of a loaded project.
  TChargeSprites sprites(engine_);
  sprites.Rebuild(scene_);
  ComposeFrame(frame_.Canvas(), {&scene_, &background, &sprites, target, nullptr, particles});
  // The vector pictures show what the PNG shows, the selection's outline included.
  const TPicture picture{&scene_, &sprites, target, true, particles};
  if (!options_.Svg.isEmpty())
    WritePicture(picture, options_.Svg, TPictureFormat::Svg);
  if (!options_.Pdf.isEmpty())
    WritePicture(picture, options_.Pdf, TPictureFormat::Pdf);

  if (!options_.Png.isEmpty())
    WritePngImage(frame_.Image(), options_.Png);
  if (options_.Stats) {
    std::printf("background_ms=%lld\nlines=%llu\nlines_cut_by_budget=%llu\n"
                "lines_stopped_off_surface=%llu\nsteps=%llu\n",
                static_cast<long long>(backgroundMs), static_cast<unsigned long long>(stats.Lines),
                static_cast<unsigned long long>(stats.LinesCutByBudget),
                static_cast<unsigned long long>(stats.LinesEscaped),
                static_cast<unsigned long long>(stats.Steps));
  }
  if (options_.Data)
    PrintData(data);
  return 0;
}

std::optional<std::vector<TParticleTrail>> TRenderer::Fly() const {
  if (options_.Simulate == 0)
    return std::nullopt;
  // The flights end far outside the picture's surface.
  const TWorldPoint topLeft = scene_.ScreenToWorld(0, 0);
  const TWorldPoint bottomRight = scene_.ScreenToWorld(options_.Width, options_.Height);
  const TWorldBounds view{topLeft.X, bottomRight.Y, bottomRight.X, topLeft.Y};
  const long double until = options_.Simulate;
  std::vector<TParticleTrail> trails;
  std::string csv = kTrajectoryHeader;
  for (int i = 0; i < static_cast<int>(scene_.Particles.size()); ++i) {
    TParticleFlight flight(scene_, i, view);
    flight.AdvanceTo(until);
    trails.push_back(TrailOf(flight, scene_, i, until, until / 20));
    if (!options_.Trajectory.isEmpty())
      AppendTrajectoryRows(csv, flight);
  }
  if (!options_.Trajectory.isEmpty())
    WriteTrajectory(options_.Trajectory, csv);
  return trails;
}

void TRenderer::Save(const TProjectData &loaded) const {
  // The scene as the program would save it; the voltage window's part as it was read.
  TProjectData data = CaptureScene(scene_);
  data.FirstChosen = loaded.FirstChosen;
  data.SecondChosen = loaded.SecondChosen;
  data.ValueIndex = loaded.ValueIndex;
  data.VoltageWindowVisible = loaded.VoltageWindowVisible;
  SaveProjectFile(options_.Save, data);
}

void TRenderer::PrintData(const TProjectData &data) const {
  const auto print = [](const QString &line) { std::printf("%s\n", line.toUtf8().constData()); };
  const TChargeList &charges = scene_.Charges;
  for (int i = 0; i < charges.Count(); ++i) {
    if (!charges[i].IsTestCharge)
      continue;
    const TDataRows rows = DataRowsFor(scene_, &charges[i]);
    const QString index = QString::number(i);
    print(index + QStringLiteral("\tKraft\t") + rows.Force);
    print(index + QStringLiteral("\tWinkel\t") + rows.Angle);
    print(index + QStringLiteral("\tFeldstärke\t") + rows.FieldStrength);
    print(index + QStringLiteral("\tPotenzial\t") + rows.Potential);
  }
  print(QStringLiteral("Spannung und Arbeit\t") +
        VoltageValueText(scene_, charges.At(data.FirstChosen), charges.At(data.SecondChosen),
                         data.ValueIndex));
  for (const QString &position : ZeroPointTexts(scene_, {options_.Width, options_.Height}))
    print(QStringLiteral("Feldfreier Punkt\t") + position);
}
