#include "readers/list_source.h"

#include "model/file_names.h"

StreamFile openListStream(const ListSource& source, const std::string& fileBox) {
  if (source.trackStream) return StreamFile(source.trackStream);
  return StreamFile(fileBox);
}

std::string listSourceName(const ListSource& source, const std::string& streamPath) {
  if (!source.fromTrack()) return CutExt(fileNameOf(streamPath));
  return CutExt(fileNameOf(source.trackFile)) + ".track" + std::to_string(source.trackNumber);
}
