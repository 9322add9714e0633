#pragma once
// The program: its document and the windows around it, built in start-up order by one object
// (the program and the widget tests build the same one) and destroyed in reverse order. The
// windows never call each other; what one does for another is wired here.

#include "app/Language.h"
#include "base/ProgramInfo.h"

#include <functional>
#include <memory>

class TDocument;
class TForm1;
class TForm2;
class TForm3;
class THandbookWindow;
class TInfo;
class TProject;
class TTrueSize;

class TProgram {
public:
  // Sets the application title and icon, creates the main window and sets up its document,
  // then the settings window and the hidden voltage window, shows the main window and then
  // the settings window, and creates the hidden about dialog, whose creation gives the
  // windows open then the message font's face. The windows speak the language given.
  explicit TProgram(TLanguage language = TLanguage::German);
  ~TProgram();
  TProgram(const TProgram &) = delete;
  TProgram &operator=(const TProgram &) = delete;

  TDocument &Document() { return *document_; }
  TForm1 &Main() { return *main_; }
  TForm2 &Settings() { return *settings_; }
  TForm3 &Voltage() { return *voltage_; }
  TInfo &About() { return *about_; }
  TProject &Project() { return *project_; }
  // The main window's screen sets the true size ("Extras > Bildschirm kalibrieren ...").
  TTrueSize &TrueSize() { return *trueSize_; }
  // The handbook window, null until it was first opened.
  THandbookWindow *Handbook() { return handbook_.get(); }

  // Opens the handbook on the page of the window that is active: the settings or voltage
  // window's own page, else the first page.
  void ShowHandbook();

  // The windows speak the language from the next turn of the event loop on, and the numbers
  // take its format; the picture is drawn anew. LanguageSwitched learns of it.
  void SwitchLanguage(TLanguage language);
  TLanguage Language() const { return language_.Current(); }
  std::function<void(TLanguage)> LanguageSwitched;

  // Ends the program without asking any window: the session ends it.
  void TerminateUnasked();

private:
  void ConnectWindows();
  void PlaceToolWindows();

  TLanguageSwitch language_; // first: its translators outlive every window
  std::unique_ptr<TDocument> document_;
  std::unique_ptr<TForm1> main_;
  std::unique_ptr<TForm2> settings_;
  std::unique_ptr<TForm3> voltage_;
  std::unique_ptr<TProject> project_;
  std::unique_ptr<TInfo> about_;
  std::unique_ptr<THandbookWindow> handbook_;
  std::unique_ptr<TTrueSize> trueSize_;
};
