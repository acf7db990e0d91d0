#pragma once
// The main window: a view over the core's controls model. It builds one widget per control,
// mirrors the model into the widgets after every command, and forwards every widget event to
// the command functions of the core. Which event runs which command is listed in one place,
// command_wiring.cpp.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/app.h"
#include "gui/qt_host.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTextBrowser;
class QToolButton;
class ImageView;
class KeyFilter;
class LogView;
class PageControl;
class StatusPanels;

class TfMain : public QMainWindow {
 public:
  // `args`: the command-line arguments after the program's name; `programFolder`: where the
  // letter sheet is looked for.
  TfMain(std::vector<std::string> args, std::string programFolder, QWidget* parent = nullptr);
  ~TfMain() override;

  App& app() { return app_; }
  QtHost& host() { return host_; }

  // Shows the model in the widgets.
  void mirror();
  // The same, and paints the log and the status bar at once, for a command that keeps the
  // window busy.
  void mirrorNow();
  void updateTitle();
  int statusTextWidth(const QString& text) const;
  // The start-up work of the first activation; later calls do nothing.
  void startUpOnce();
  // Runs a command on the model and shows the result; errors of the file layer end the
  // command with their message in the log.
  using Command = std::function<void(App&)>;
  void run(const Command& command);

 protected:
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  // Object names are the control names, for tests and for style sheets.
  void nameWidgets();
  void wireCommands();
  // The command that a user's change of the widget runs; one per widget.
  void on(QObject* widget, Command command);
  // The command that runs when the widget loses the input focus.
  void onExit(QObject* widget, Command command);
  void changed(QObject* widget);
  // Whether a user's change of a widget may reach the model: not while the model is being
  // shown, and not while a long operation runs (the widget then gets the model's state back).
  bool takesInput();
  // While a long operation runs the focus rests where no key changes anything (the log), and
  // afterwards it goes back to where it was. Called before and after the widgets are mirrored.
  void followBusyFocus(bool mirrored);
  void fillRecentMenu(QMenu* menu);
  void showFit();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Files dragged over the window or any of its boxes (which would otherwise take the file's
  // name as text); returns whether the event was handled.
  bool fileDragEvent(QEvent* e);

  QWidget* buildFileRow();
  QWidget* buildStatusPage();
  QWidget* buildSrtPage();
  QWidget* buildImagePage();
  QWidget* buildSubtitlePanel();
  QWidget* buildOptionsPage();
  QWidget* buildAboutPage();
  QWidget* buildBottomRow();

  // One widget per control of the model, mirrored from it; an option's widget also runs the
  // option's change handling when the user changes it (`setting` is its stored name).
  void bindControl(QWidget* widget, const TControl& model);
  QPushButton* button(TButton& model);
  QToolButton* browseButton(TButton& model, const QString& hint);
  QCheckBox* checkBox(TCheckBox& model, const char* setting = nullptr);
  QLineEdit* pathEdit(TEdit& model, const char* setting = nullptr);
  QLineEdit* intEdit(TIntEdit& model, const char* setting = nullptr, KeyFilter** filter = nullptr);
  QLineEdit* hexEdit(THexEdit& model);
  QGroupBox* radioGroup(TRadioGroup& model, const char* setting = nullptr);
  QComboBox* comboBox(TComboBox& model, const char* setting = nullptr);
  QLabel* label(TLabel& model);
  QPlainTextEdit* memo(TMemo& model);
  void onOption(QObject* widget, const char* setting);

  void applyPlacement();
  void capturePlacement();

  QtHost host_;
  App app_;
  std::vector<std::string> args_;
  std::string programFolder_;
  std::vector<std::function<void()>> mirrors_;
  std::unordered_map<QObject*, Command> handlers_;
  std::unordered_map<QObject*, Command> exitHandlers_;
  bool mirroring_ = false;
  // The subtitle the image view was last centred on across; -1: none yet.
  int centredSub_ = -1;
  void centreOnSubtitle();
  bool shown_ = false;
  bool wasBusy_ = false;
  QPointer<QWidget> focusBeforeBusy_;

  // Widgets named after their controls.
  QLineEdit* eSUPfile_ = nullptr;
  QPushButton* bReadSUP_ = nullptr;
  QToolButton* bbSUP_ = nullptr;
  PageControl* PageControl_ = nullptr;
  QCheckBox* cbAutoClear_ = nullptr;
  QPushButton* bClear_ = nullptr;
  QPushButton* Button1_ = nullptr;
  LogView* reMessage_ = nullptr;
  QLabel* lSRTfile_ = nullptr;
  QPlainTextEdit* mSRT_ = nullptr;
  QPushButton* bSaveSRT_ = nullptr;
  QPushButton* bOpenSRT_ = nullptr;
  QSplitter* spImage_ = nullptr;
  QScrollArea* sbImage_ = nullptr;
  ImageView* Image_ = nullptr;
  QWidget* pSub_ = nullptr;
  QLabel* lStartEnd_ = nullptr;
  QLabel* lArea_ = nullptr;
  QLabel* lArea2_ = nullptr;
  QLabel* lMaxline_ = nullptr;
  QLineEdit* ieSubs_ = nullptr;
  QToolButton* udSubsUp_ = nullptr;
  QToolButton* udSubsDown_ = nullptr;
  QPlainTextEdit* mSubtext_ = nullptr;
  QCheckBox* cbLock_ = nullptr;
  QCheckBox* cbFit_ = nullptr;
  QGroupBox* rgFont_ = nullptr;
  QPushButton* bOCR_ = nullptr;
  QPushButton* bPrev_ = nullptr;
  QPushButton* bNext_ = nullptr;
  QToolButton* bbBackground_ = nullptr;
  QToolButton* bbWorkdir_ = nullptr;
  QTextBrowser* mAbout_ = nullptr;
  QPushButton* bSaveBMP_ = nullptr;
  QPushButton* bOCRall_ = nullptr;
  QLabel* WebLink_ = nullptr;
  QProgressBar* ProgressBar_ = nullptr;
  QPushButton* bCancel_ = nullptr;
  QPushButton* bExport_ = nullptr;
  StatusPanels* StatusBar_ = nullptr;
};
