/* A swap counter for the pacing tests: preloaded into the program (LD_PRELOAD), it counts
 * every glXSwapBuffers, in the window and in screensaver mode alike, and keeps the count in
 * the file named by PELAVO_SWAP_COUNT_FILE (a fixed-width decimal, rewritten in place). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

typedef void (*SwapFn)(void*, unsigned long);

static unsigned long g_swaps;
static int g_fd = -2;

void glXSwapBuffers(void* display, unsigned long drawable) {
  static SwapFn real;
  if (!real) real = (SwapFn)dlsym(RTLD_NEXT, "glXSwapBuffers");
  if (real) real(display, drawable);
  if (g_fd == -2) {
    const char* path = getenv("PELAVO_SWAP_COUNT_FILE");
    g_fd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
  }
  ++g_swaps;
  if (g_fd >= 0) {
    char text[24];
    const int n = snprintf(text, sizeof text, "%20lu\n", g_swaps);
    if (n > 0) (void)!pwrite(g_fd, text, (size_t)n, 0);
  }
}
