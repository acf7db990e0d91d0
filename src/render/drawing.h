#pragma once
// The state a drawing reads and writes: the list and where its records point, the palette
// it builds, the pictures it draws, the letter sheet of SRT lists, and what the command wants
// of it (the mode flags and the options).
#include <memory>
#include <string>

#include "model/subtitle_list.h"
#include "readers/list_source.h"
#include "render/display_size.h"
#include "render/letter_sheet.h"
#include "render/palette_state.h"
#include "render/render_flags.h"
#include "render/render_options.h"
#include "render/work_images.h"

struct Drawing {
  SubtitleList& list;
  const ListSource& source;
  std::string streamPath;  // the stream file the list was read from
  PaletteState& palette;
  WorkImages& images;
  LetterSheetState& sheet;
  const RenderFlags& flags;
  RenderOptions options;

  bool exporting() const { return flags.exportBD || flags.exportHD; }
};

// The stream the list's records point into, opened and mapped once for a command that draws
// many subtitles; none for an SRT list. Throws FileError when it cannot be opened.
std::unique_ptr<StreamFile> openListStream(const Drawing& d);

// The size of the picture the list's subtitles are placed on.
DisplaySize listDisplaySize(const Drawing& d);
