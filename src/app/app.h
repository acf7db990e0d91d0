#pragma once
// The running program's state, passed by reference to every command: the subtitle list and
// its companions, the controls model, the message log and the status bar, and the platform
// seam. Each group of state lives in its own module; App gathers them.
#include <string>
#include <string_view>

#include "app/controls.h"
#include "app/host.h"
#include "app/message_log.h"
#include "app/shell_state.h"
#include "app/status_bar.h"
#include "model/log_sink.h"
#include "model/subtitle_list.h"
#include "ocr/recognition_state.h"
#include "readers/list_source.h"
#include "render/letter_sheet.h"
#include "render/palette_state.h"
#include "render/render_flags.h"
#include "render/work_images.h"

inline constexpr const char* kProgramName = "Marrowby";
inline constexpr const char* kVersion = MARROWBY_VERSION;
// The main window's caption when nothing names the list's source in it.
inline std::string programCaption() { return std::string(kProgramName) + " v" + kVersion; }

class App : public SubtitleList,
            public ListSource,
            public PaletteState,
            public WorkImages,
            public RenderFlags,
            public LetterSheetState,
            public ShellState,
            public RecognitionState,
            public LogSink {
 public:
  explicit App(Host& host) : host(host) {}
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Host& host;
  Controls ui;
  MessageLog messages;
  StatusBar statusBar;
  std::string appTitle = kProgramName;  // the task-bar title
  // The last error reported since clearLastError, for callers that must tell failure from
  // success (the command line's exit status).
  std::string lastError;

  // Message log and status bar.
  void log(std::string_view text) override;
  void logn(std::string_view text) override;
  void erlog(std::string_view text) override;
  void slog(std::string_view text, int panel);
  void slog2(std::string_view text0, std::string_view text1);
  void pslog(std::string_view text, int pos);
  void erslog(std::string_view text);
  void clearLog() { messages.clear(); }
  void setTitle(const std::string& title);
  void clearLastError() { lastError.clear(); }

  // A long operation lets the window handle input between items; returns whether to stop.
  bool pumpAndCheckCancel() {
    host.pump();
    return cancelReq;
  }

 private:
  void setPanelText(int panel, std::string_view text);
};
