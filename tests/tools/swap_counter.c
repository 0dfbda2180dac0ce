/* A swap counter for the pacing tests: preloaded into the program (LD_PRELOAD), it counts
 * every glXSwapBuffers (the window on X11 and screensaver mode) and every eglSwapBuffers (the
 * window on Wayland), and keeps the count in the file named by PELAVO_SWAP_COUNT_FILE (a
 * fixed-width decimal, rewritten in place). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

typedef void (*GlxSwapFn)(void*, unsigned long);
typedef unsigned (*EglSwapFn)(void*, void*);

static unsigned long g_swaps;
static int g_fd = -2;

static void Counted(void) {
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

void glXSwapBuffers(void* display, unsigned long drawable) {
  static GlxSwapFn real;
  if (!real) real = (GlxSwapFn)dlsym(RTLD_NEXT, "glXSwapBuffers");
  if (real) real(display, drawable);
  Counted();
}

/* Only swaps that succeed count: a failed one shows nothing. */
unsigned eglSwapBuffers(void* display, void* surface) {
  static EglSwapFn real;
  if (!real) real = (EglSwapFn)dlsym(RTLD_NEXT, "eglSwapBuffers");
  const unsigned shown = real ? real(display, surface) : 0;
  if (shown) Counted();
  return shown;
}
