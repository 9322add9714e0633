#pragma once
// The main window: the drawing surface with the charges, the menus and the status bar. It
// turns mouse input on the drawing surface into edits of the charge set (create, grab,
// drag, pan) and composes every frame the user sees.

#include "widgets/DXDrawControl.h"

#include "app/ChargeClipboard.h"
#include "app/Language.h"
#include "base/Geometry.h"
#include "model/ChargeSprites.h"
#include "model/FrameCache.h"
#include "model/Particle.h"
#include "model/ParticleFlight.h"
#include "model/PictureExport.h"
#include "model/Scene.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QAction;
class QLabel;
class QPrinter;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTimer;
class TBackgroundRenderer;
class TDocument;
class TChargeRowWindow;
class TPictureStyleWindow;
class TParticlePlayer;
class TProject;

// The project files' filter and default extension of the file dialogs.
// The file dialogs' filter of project files, in the program's language.
QString ProjectFilter();
inline const QString kProjectExtension = QStringLiteral("kbf");
QString SaveQuestionTitle();
QString SaveQuestion();

// How far (px, right and down) pasted charges lie from their own place when not at the mouse,
// and duplicates from their originals: beside them, not hidden under them.
inline constexpr long double kPasteOffset = 20;

// Distance (px) the mouse must move from a grabbed charge's centre before it follows.
inline constexpr double kGrabRadius = 20;

// Alt + left drag places a particle with a start velocity along the drag: a drag of 100 px
// gives the speed the particle gains through this voltage (V), in proportion to its length.
inline constexpr long double kParticleDragVolts = 100;
// Distance (px) from a particle's centre within which a click picks it.
inline constexpr double kParticlePickRadius = 6;

class TForm1 : public QMainWindow {
  Q_OBJECT

public:
  explicit TForm1(TDocument &document);
  ~TForm1() override;

  TDXDraw *DXDraw = nullptr;
  TDXSpriteEngine DXSpriteEngine;
  // The document's charges in the sprite engine, in step with every insert and removal.
  TChargeSprites ChargeSprites{*DXSpriteEngine.Engine()};
  QTimer *Timer_Resize = nullptr;
  QStatusBar *StatusBar = nullptr;
  QProgressBar *BusyIndicator = nullptr; // shown while a background takes long
  QLabel *StatusHint = nullptr;          // what a click would do where the mouse is
  QTimer *Timer_Progress = nullptr;

  QMenu *Datei1 = nullptr;
  QAction *MenuItem_New = nullptr;
  QAction *MenuItem_Open = nullptr;
  QAction *MenuItem_Save = nullptr;
  QAction *MenuItem_SaveAs = nullptr;
  QAction *MenuItem_ExportPicture = nullptr;
  QAction *MenuItem_Print = nullptr;
  QAction *MenuItem_CopyPicture = nullptr;
  QAction *MenuItem_End = nullptr;
  QMenu *Bearbeiten1 = nullptr;
  QAction *MenuItem_Undo = nullptr;
  QAction *MenuItem_Redo = nullptr;
  QAction *MenuItem_InsertCharge = nullptr; // "Ladung hier einfügen", Einfg
  // The selected charges: through the clipboard, duplicated, all selected, sign flipped.
  QAction *MenuItem_Cut = nullptr;
  QAction *MenuItem_Copy = nullptr;
  QAction *MenuItem_Paste = nullptr;
  QAction *MenuItem_Duplicate = nullptr;
  QAction *MenuItem_SelectAll = nullptr;
  QAction *MenuItem_FlipSign = nullptr;
  QMenu *Ansicht1 = nullptr;
  QAction *MenuItem_ZoomIn = nullptr;  // Strg++, Strg+= and the keypad's +
  QAction *MenuItem_ZoomOut = nullptr; // Strg+- and the keypad's -
  QAction *MenuItem_ShowAll = nullptr;
  QAction *MenuItem_PictureStyle = nullptr; // "Darstellung …"
  QMenu *Einfuegen1 = nullptr;
  QAction *MenuItem_ChargeRow = nullptr; // "Ladungsreihe …"
  QMenu *Beispiele1 = nullptr;           // one entry per ready-made project
  // "Einfügen > Teilchen": a particle of each kind at rest, at the mouse or the middle.
  QMenu *MenuInsertParticle = nullptr;
  QAction *MenuItem_InsertParticle[kParticleKindCount] = {};
  // "Teilchen": the play of the particles' flights.
  QMenu *Teilchen1 = nullptr;
  QAction *MenuItem_PlayStart = nullptr; // F5 while not playing
  QAction *MenuItem_PlayPause = nullptr; // F5 while playing
  QAction *MenuItem_PlayStep = nullptr;  // F6
  QAction *MenuItem_PlayReset = nullptr; // F7
  QLabel *StatusPlay = nullptr;          // the playback scale and how a flight ended
  QMenu *Extras1 = nullptr;
  QAction *MenuItem_Potential = nullptr;
  QAction *MenuItem_Snap = nullptr;           // "Am Raster ausrichten": created and dragged charges
  QAction *MenuItem_LiveLines = nullptr;      // field lines follow a drag (worker pictures only)
  QAction *MenuItem_Equipotentials = nullptr; // the switches of the view tab's group
  QAction *MenuItem_TestChargeLine = nullptr;
  QAction *MenuItem_PotentialMap = nullptr;
  QAction *MenuItem_ZeroPoints = nullptr;        // crosses where the field vanishes
  QAction *MenuItem_LineArrows = nullptr;        // heads along the field lines
  QAction *MenuItem_ProportionalLines = nullptr; // lines in proportion to charge
  QAction *MenuItem_AccurateLines = nullptr;     // lines traced to a set accuracy
  QAction *MenuItem_Calibrate = nullptr; // the screen's true size, for the program to handle
  QMenu *Sprache1 = nullptr;             // "Deutsch" and "English", each in its own language
  QAction *MenuItem_German = nullptr;
  QAction *MenuItem_English = nullptr;
  QMenu *N2 = nullptr;
  QAction *MenuItem_Handbook = nullptr; // F1 in every window of the program
  QAction *MenuItem_Info = nullptr;

  int DragCharge = -1;      // index of the charge grabbed with the mouse, or -1
  TPoint PanAnchor{-1, -1}; // px; X = -1 when no pan is in progress
  // The grabbed charge follows the mouse, or a pan is in progress. Set when the mouse leaves
  // the grab radius around the grabbed charge, when a pan moves, and at once for a new
  // charge; cleared by mouse-up.
  bool DragStarted = false;
  // The last composed frame, copied while nothing in it changes.
  TFrameCache FrameCache;

  // Full path of the project file, empty for a project without one. Setting it sets the
  // caption: the application title, followed by " - [path]" when there is a path.
  const QString &FileName() const { return fileName_; }
  void SetFileName(const QString &fileName);

  // The project whose file commands the menus run; set once by the program, before any.
  void SetProject(TProject *project) { project_ = project; }
  // Px of the drawing surface: the area the pictures are drawn for.
  TSize SurfaceSize() const;
  // The picture's target: the surface, the window's font face for the labels and the limits
  // of the field lines.
  TPictureTarget PictureTarget() const;
  // What the screen shows is drawn in the surface's device pixels: the scene, the surface's
  // size and target, the pixels per inch of that scene, and a surface position (px) there.
  const TScene &DrawnScene();
  TSize DrawnSize() const;
  TPictureTarget DrawnTarget() const;
  double DrawnPixelsPerInch() const;
  TPoint OnDevice(int x, int y) const;
  // Field lines cut after a number of steps instead of by the clock (tests, so that pictures
  // do not depend on the machine), or other limits.
  void SetTraceLimits(const TTraceLimits &limits) { traceLimits_ = limits; }
  // How the pictures draw lines and labels (a setting of the program); drawn anew.
  void SetPictureStyle(const TPictureStyle &style);
  const TPictureStyle &PictureStyle() const { return pictureStyle_; }
  // Learns of every style the user chooses in "Darstellung", to keep it.
  std::function<void(const TPictureStyle &)> PictureStyleChosen;
  // The "Darstellung" window, null until it was first opened.
  TPictureStyleWindow *PictureStyleWindow() const { return pictureStyleWindow_; }
  // The row window of "Einfügen > Ladungsreihe", null until it was first opened.
  TChargeRowWindow *ChargeRowWindow() const { return chargeRowWindow_; }
  void ShowChargeRowWindow();

  // Where copy and paste go; the system clipboard unless set.
  void SetChargeClipboard(std::unique_ptr<TChargeClipboard> clipboard) {
    clipboard_ = std::move(clipboard);
  }
  // The selected charges onto the clipboard; cut deletes them after, as one step.
  void CopySelection();
  void CutSelection();
  // The clipboard's charges as one step: at the mouse while it is over the drawing surface,
  // else at their own place moved by kPasteOffset. Nothing when it holds none.
  void PasteCharges();
  // Copies of the selected charges beside them, leaving the clipboard alone.
  void DuplicateSelection();

  // Sets up the document: origin at the drawing surface's centre, no charges, the
  // background bitmap at the surface's size and drawn, 100 % zoom. Runs once, at start.
  void FormCreate();
  // Lets go of a grabbed charge and ends a pan.
  void ReleaseGrab();
  // True once the main window has been closed: the other windows may close now.
  bool Terminated() const { return terminated_; }
  // The program ends without asking (the session ends it).
  void MarkTerminated();
  // A background asked for is not shown yet.
  bool BackgroundBusy() const;
  TBackgroundRenderer *BackgroundRenderer() const { return renderer_.get(); }
  // Composes the frame on the drawing surface; with present, releases the canvas and shows
  // it. Draws nothing while there is no surface.
  void RenderFrame(bool present);

  // Mouse on the drawing surface; x, y in its pixels.
  void DXDrawMouseDown(Qt::MouseButton button, int x, int y);
  void DXDrawMouseMove(int x, int y);
  void DXDrawMouseUp(Qt::MouseButton button, int x, int y);

  // The wheel turned by notches (120 per notch, positive away from the user: larger) with the
  // mouse at (x, y) on the drawing surface.
  void DXDrawMouseWheel(int angleDelta, int x, int y);
  // One zoom step of the list (model/Zoom.h) about pivot (px of the surface): direction > 0
  // larger, < 0 smaller. Nothing beyond the list's ends, during a drag, or where the view's
  // limits refuse the zoom.
  void ZoomStep(int direction, TPoint pivot);
  void MenuItem_ShowAllClick();

  void FormShow();
  void FormResize();
  void Timer_ResizeTimer();
  void MenuItem_EndClick();

  // The file commands. Each may throw a file's error, which ends the command.
  void MenuItem_NewClick();
  void MenuItem_OpenClick();
  void MenuItem_SaveClick();
  void MenuItem_SaveAsClick();
  // Opens a ready-made project (after the save question) as an untitled one.
  void OpenExample(const QString &resource);
  // True when the document may be discarded: it has no changes, or the user saved them
  // (Yes, and the project has a file name afterwards) or dropped them (No).
  bool QuerySave();

  // The picture commands: export (the file type by the name's extension), print with a
  // preview, copy to the clipboard. Each may throw a write error, which ends the command.
  void MenuItem_ExportPictureClick();
  void MenuItem_PrintClick();
  void MenuItem_CopyPictureClick();
  // The drawing area's picture as the commands draw it: no selection outline, no cursor line.
  TPicture Picture() const;
  // The particles' play; owned by this window.
  TParticlePlayer &Player() const { return *player_; }
  // The part of the world the drawing surface shows (m).
  TWorldBounds ViewBounds() const;
  // A particle of that kind at rest, at the mouse while it is over the drawing surface, else
  // at the surface's centre; one step. The kind is the one an Alt+drag places from now on.
  void InsertParticleHere(TParticleKind kind);
  // The particle whose shown place is within kParticlePickRadius of (x, y) px, -1 for none.
  int ParticleAt(int x, int y) const;
  void FormCloseQuery(bool &canClose);
  // Checks the language's entry in "Extras > Sprache".
  void ShowLanguage(TLanguage language);

signals:
  // An entry of "Extras > Sprache" was chosen.
  void LanguageChosen(TLanguage language);
  // A left click on a charge (index; after it became the selection).
  void ChargeClicked(int index);
  // A left click on a particle (index; after it became the selected particle).
  void ParticleClicked(int index);
  // The main window closed or the program ends: the other windows may close.
  void Terminating();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  // A switch of the language: the texts, and the picture with its labels and numbers.
  void changeEvent(QEvent *event) override;

private:
  void CreateMenus();
  void CreateEditMenu();
  // The selection's entries of "Bearbeiten".
  void CreateSelectionMenu();
  // The charges whose centres lie in the rectangle from band to (x, y) (px, either corner
  // first) become the selection, or join it with Shift.
  void SelectInBand(int x, int y);
  // Draws the selection rectangle from band to (x, y) over a fresh frame and shows it.
  void ShowBandTo(int x, int y);
  // Every text of the menus and the status bar in the program's language, with tooltips on
  // the menu entries whose name alone does not say enough.
  void RetranslateUi();
  // "Rückgängig: <step>" and "Wiederholen: <step>", enabled while there is such a step.
  void ShowHistoryTexts();
  void CreatePictureMenu();
  void CreateViewMenu();
  void CreateInsertMenu();
  // The mouse on the drawing surface while the row window waits for a dragged segment: true
  // when the drag took the event.
  enum class TRowDragEvent { Press, Move, Release };
  bool RowDragMouse(TRowDragEvent event, int x, int y);
  void CreateLanguageMenu();
  void CreateParticleMenu();
  void RetranslateParticleUi();
  // Enables the play commands for the player's mode and shows its scale.
  void ShowPlayState();
  // Alt + left drag: true when the drag took the event (a particle placed at release).
  bool ParticleDragMouse(TRowDragEvent event, int x, int y);
  // Draws the picture on the printer's page at true scale.
  void PrintPicture(QPrinter &printer) const;
  // Arrow keys move the selected charge (Shift: by a grid step), Entf deletes it. Answers
  // whether the key was one of them.
  bool KeyOnSelection(int key, Qt::KeyboardModifiers modifiers);
  // The document's signals: a background redraw where field lines moved, else a frame.
  void ConnectDocument();
  void RedrawAll();
  void CreateBackgroundRenderer();
  // The background of the document as it stands: drawn at once, or asked of the worker
  // thread (follow: during a drag, finish the picture in progress instead of cancelling it).
  void RequestBackground(bool follow);
  bool LiveLines() const;
  // The status bar's hint for the mouse at (x, y): what a left click would do there. Kept
  // as it is while a pan is in progress.
  void ShowClickHint(int x, int y);
  // Draws the cursor's field line over a fresh frame and shows it.
  void ShowCursorLineAt(int x, int y);

  // Where a created or dragged charge lands with the mouse at (x, y): the mouse pixel, or
  // the nearest grid point while snapping is on and Shift is not held.
  void PlaceAtMouse(int index, int x, int y);
  // A new charge as a click on empty space makes it, at the mouse while it is over the
  // drawing surface, else at the surface's centre; one step of the history.
  void InsertChargeHere();

  TDocument &document_;
  TProject *project_ = nullptr;
  std::unique_ptr<TChargeClipboard> clipboard_;
  // Where a Strg+drag on empty space started its selection rectangle (px).
  std::optional<TPoint> band_;
  // A charge of several selected, pressed: alone selected at mouse-up unless dragged.
  int pressedInSelection_ = -1;
  std::unique_ptr<TBackgroundRenderer> renderer_;
  Qt::KeyboardModifiers mouseModifiers_; // of the mouse event being handled
  std::optional<QPoint> mouseOnSurface_; // px; empty while the mouse is elsewhere
  bool terminated_ = false;
  TTraceLimits traceLimits_;
  TPictureStyle pictureStyle_;
  TPictureStyleWindow *pictureStyleWindow_ = nullptr; // owned as a child
  TChargeRowWindow *chargeRowWindow_ = nullptr;       // owned as a child
  struct TRowDrag {
    bool Armed = false;         // the next left drag sets the row's segment
    std::optional<QPoint> From; // px, where it was pressed
    QPoint To;                  // px, where the mouse is now
  } rowDrag_;
  // An Alt + left drag in progress (px): where it was pressed and where the mouse is.
  std::optional<std::pair<QPoint, QPoint>> particleDrag_;
  TParticleKind particleKind_ = TParticleKind::Electron; // the kind an Alt+drag places
  TParticlePlayer *player_ = nullptr;                    // owned as a child
  QString flightEndText_;                                // of the last flight that ended
  QString fileName_;
  QString openDialogName_; // the open dialog starts with the name it returned last
  QString pictureName_;    // and the export dialog with the picture exported last
  QString statusText_;     // the mouse position the status bar shows
  bool shown_ = false;
  TScene drawnScene_;      // the document's scene in device pixels, when they differ
  TSize surfaceSeen_;      // px: the drawing surface's size the view was last placed for
  int wheelRemainder_ = 0; // of a wheel turned by less than a notch (touchpads)
};
