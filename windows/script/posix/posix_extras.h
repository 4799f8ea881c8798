// POSIX functions the runner's shared sources call that mingw does not
// declare; included ahead of each of those sources in the Windows build.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif
// Makes a new directory from a pattern ending in XXXXXX (replaced in place).
char* mkdtemp(char* pattern);
#ifdef __cplusplus
}
#endif
