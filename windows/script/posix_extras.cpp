// mkdtemp over the C run time's _mktemp_s, retried while the name is taken.
#include <direct.h>
#include <errno.h>
#include <stdlib.h>

#include <cstring>

#include <string>

#include "posix/posix_extras.h"

extern "C" char* mkdtemp(char* pattern) {
  const std::string original = pattern;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::memcpy(pattern, original.c_str(), original.size() + 1);
    if (_mktemp_s(pattern, original.size() + 1) != 0) return nullptr;
    if (_mkdir(pattern) == 0) return pattern;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}
