#include "gui/about_text.h"

#include "app/app.h"
#include "gui/qt_text.h"

std::vector<std::string> aboutLines() {
  return {
      programCaption(),
      "A tool for the bitmap subtitle streams of optical discs: \".sup\" files of Blu-ray "
      "presentation graphics, DVD subpicture units and HD DVD subpicture units.",
      "",
      "What it does:",
      "- lists every subtitle of a stream with its times, screen area and palette, and shows it as a picture;",
      "- reads the Blu-ray and DVD subtitle tracks of video files (Matroska, transport and program "
      "streams) and VobSub pairs;",
      "- recognises the pictures as text with its own character recognition and saves SRT;",
      "- saves the pictures as BMP and PNG files with Scenarist and BDN XML scripts;",
      "- writes the list as a new Blu-ray or HD DVD stream;",
      "- turns an SRT file into picture subtitles drawn from its letter sheet.",
      "",
      "Open a stream with the folder button, by typing its name and pressing Enter, or by "
      "dropping it on the window. Options are kept per user from one run to the next.",
      "",
      "Change history:",
      "- 0.1.0: first version: Blu-ray, DVD and HD DVD streams read, drawn and checked against "
      "an independent decoder; character recognition and SRT export; SRT import drawn from the "
      "letter sheet; pictures with authoring scripts; Blu-ray and HD DVD streams written; subtitle "
      "tracks of video files and VobSub pairs read.",
  };
}

QString aboutHtml(const std::vector<std::string>& lines) {
  QString html;
  bool inList = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool item = line.rfind("- ", 0) == 0;
    if (inList && !item) {
      html += QStringLiteral("</ul>");
      inList = false;
    }
    const QString text = toQt(item ? line.substr(2) : line).toHtmlEscaped();
    if (i == 0) {
      html += QStringLiteral("<h3>") + text + QStringLiteral("</h3>");
    } else if (item) {
      if (!inList) html += QStringLiteral("<ul style=\"margin-top:0px\">");
      inList = true;
      html += QStringLiteral("<li>") + text + QStringLiteral("</li>");
    } else if (!line.empty() && line.back() == ':') {
      html += QStringLiteral("<p style=\"margin-bottom:2px\"><b>") + text + QStringLiteral("</b></p>");
    } else if (!line.empty()) {
      html += QStringLiteral("<p>") + text + QStringLiteral("</p>");
    }
  }
  if (inList) html += QStringLiteral("</ul>");
  return html;
}
