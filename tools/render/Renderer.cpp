#include "Renderer.h"

#include "base/Seams.h"
#include "file/ProjectDocument.h"
#include "file/ProjectFile.h"
#include "model/Background.h"
#include "model/Document.h"
#include "model/FrameComposer.h"
#include "model/ModelHooks.h"
#include "model/PictureExport.h"
#include "model/Readouts.h"

#include <QElapsedTimer>
#include <QLocale>

#include <cstdio>

TRenderer::TRenderer(const TRenderOptions &options)
    : options_(options), frame_(options.Width, options.Height) {
  seams::SetPixelsPerInchSource([ppi = options_.Ppi] { return ppi; });
  if (!options_.Locale.isEmpty())
    QLocale::setDefault(QLocale(options_.Locale));

  TModelHooks hooks;
  hooks.Engine = &engine_;
  hooks.SurfaceCanvas = [this] { return &frame_.Canvas(); };
  hooks.SurfaceSize = [this] { return TSize{options_.Width, options_.Height}; };
  InstallModelHooks(std::move(hooks));
  engine_.VisibleRect = {0, 0, options_.Width, options_.Height};

  // The charges draw themselves as charges of the program's document.
  ResetDocumentGlobals();
  TheDocument().StepLength = options_.Step;
  SetTraceStepCap(options_.StepBudget);
  Background = std::make_unique<TBitmap>(options_.Width, options_.Height);
}

TRenderer::~TRenderer() {
  FreeCharges(true);
  Background.reset();
  InstallModelHooks({});
}

int TRenderer::Run() {
  TProjectData data;
  LoadProjectFile(options_.Project, data);
  TDocument &document = TheDocument();
  ApplyViewOf(data, document);
  AppendChargesOf(data, document);
  document.Select(options_.Selected);
  if (!options_.Save.isEmpty())
    Save(data);
  // The flags add to what the project shows; they are drawn, never saved.
  if (options_.Equipotentials)
    document.Potential.Lines = true;
  if (!options_.Levels.empty())
    document.Potential.Levels = options_.Levels;
  if (options_.PotentialMap)
    document.Potential.Map = true;
  if (options_.Png.isEmpty() && options_.Svg.isEmpty() && options_.Pdf.isEmpty() &&
      !options_.Stats && !options_.Data)
    return 0;

  QElapsedTimer timer;
  timer.start();
  const TTraceStats stats = DrawBackground(document);
  const qint64 backgroundMs = timer.elapsed();

  const TPointCharge *pathStart = document.Charges.At(data.FirstChosen);
  const TPointCharge *pathEnd = document.Charges.At(data.SecondChosen);
  ComposeFrame(frame_.Canvas(), document, engine_, pathStart, pathEnd);
  // The vector pictures show what the PNG shows, the selection's outline included.
  const TPicture picture{
      &document, &engine_, pathStart, pathEnd, TSize{options_.Width, options_.Height}, true};
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

void TRenderer::Save(const TProjectData &loaded) const {
  // The document as the program would save it; the voltage window's part as it was read.
  TProjectData data = CaptureDocument(TheDocument());
  data.FirstChosen = loaded.FirstChosen;
  data.SecondChosen = loaded.SecondChosen;
  data.ValueIndex = loaded.ValueIndex;
  data.VoltageWindowVisible = loaded.VoltageWindowVisible;
  SaveProjectFile(options_.Save, data);
}

void TRenderer::PrintData(const TProjectData &data) const {
  const auto print = [](const QString &line) { std::printf("%s\n", line.toUtf8().constData()); };
  const TDocument &document = TheDocument();
  const TChargeList &charges = document.Charges;
  for (int i = 0; i < charges.Count(); ++i) {
    if (!charges[i]->IsTestCharge)
      continue;
    const TDataRows rows = DataRowsFor(document, charges[i]);
    const QString index = QString::number(i);
    print(index + QStringLiteral("\tKraft\t") + rows.Force);
    print(index + QStringLiteral("\tWinkel\t") + rows.Angle);
    print(index + QStringLiteral("\tFeldstärke\t") + rows.FieldStrength);
    print(index + QStringLiteral("\tPotenzial\t") + rows.Potential);
  }
  print(QStringLiteral("Spannung und Arbeit\t") +
        VoltageValueText(document, charges.At(data.FirstChosen), charges.At(data.SecondChosen),
                         data.ValueIndex));
}
