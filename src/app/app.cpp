#include "app/app.h"

void App::log(std::string_view text) { messages.append(text); }

void App::logn(std::string_view text) { messages.replaceLast(text); }

void App::erlog(std::string_view text) {
  log("[re]" + std::string(text) + "[/re]");
  erslog(text);
  host.beep();
}

void App::setPanelText(int panel, std::string_view text) {
  StatusPanel& p = statusBar.panels[panel & 1];
  p.text = " " + std::string(text);
  p.width = host.statusTextWidth(p.text + "a");
}

void App::slog(std::string_view text, int panel) {
  statusBar.bold = false;
  statusBar.errorMarker = false;
  setPanelText(panel, text);
  if ((panel & 1) == 1) statusBar.hint = text;
  host.repaint();
}

void App::slog2(std::string_view text0, std::string_view text1) {
  setPanelText(0, text0);
  statusBar.panels[1].text = " " + std::string(text1);
  statusBar.hint = text1;
  host.repaint();
  logn(text1);
}

void App::pslog(std::string_view text, int pos) {
  statusBar.bold = false;
  statusBar.panels[1].text = " " + std::string(text);
  ui.ProgressBar.position = pos;
  const long long n = subs.empty() ? 1 : (long long)subs.size();
  setTitle(std::string(kProgramName) + " - " + std::to_string((long long)pos * 100 / n) + "%");
  statusBar.hint = text;
}

void App::erslog(std::string_view text) {
  statusBar.bold = true;
  statusBar.errorMarker = true;
  statusBar.panels[0].width = kErrorMarkerWidth;
  statusBar.panels[1].text = " " + std::string(text);
  statusBar.hint = text;
  lastError = text;
  host.repaint();
}

void App::setTitle(const std::string& title) {
  appTitle = title;
  host.setTitle(title);
}
