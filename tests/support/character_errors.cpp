#include "support/character_errors.h"

#include <algorithm>
#include <cstdio>

size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

double errorRate(const std::vector<std::string>& want, const std::vector<std::string>& got, bool show) {
  size_t errors = 0, characters = 0;
  for (size_t i = 0; i < want.size(); ++i) {
    const std::string read = i < got.size() ? got[i] : std::string();
    const size_t e = editDistance(want[i], read);
    if (e > 0 && show) std::printf("  %-50s | %s\n", want[i].c_str(), read.c_str());
    errors += e;
    characters += want[i].size();
  }
  return characters ? 100.0 * double(errors) / double(characters) : 0;
}
