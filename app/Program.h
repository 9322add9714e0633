#pragma once
// The program's windows as globals, created in start-up order by one function (the program
// and the widget tests use the same one) and destroyed in reverse order; and the flag that
// tells the windows the program is ending.

#include "base/ProgramInfo.h"

#include <QString>

class TForm1;
class TForm2;
class TForm3;
class TInfo;

// The windows; null before CreateProgramWindows and after DestroyProgramWindows.
extern TForm1 *Form1; // main window
extern TForm2 *Form2; // settings window
extern TForm3 *Form3; // voltage-and-work window
extern TInfo *Info;   // about dialog, hidden until "Info"

// Sets the application title and icon, creates the main window (with its FormCreate after
// the model hooks are installed), then the settings window and the hidden voltage window,
// shows the main window and then the settings window, and creates the hidden about dialog,
// whose creation gives the windows open then the message font's face.
void CreateProgramWindows();
// Destroys the windows in reverse order of creation and removes the model hooks.
void DestroyProgramWindows();

// True once the main window has been closed: the other windows may close now.
bool ApplicationTerminated();
// Marks the program as ending and leaves the event loop; Qt asks every window to close
// first, and the main window asks whether to save.
void TerminateApplication();
// The same without asking any window: the session ends the program.
void TerminateApplicationUnasked();
