/* Counts the pure white pixels of a region of the X screen, again and again, far faster
 * than a screenshot program: one XGetImage of the region a sample and no file.
 *   white_pixels X Y WIDTH HEIGHT SECONDS INTERVAL_MS [SWAP_COUNT_FILE]
 * prints one line a sample, "start end swaps count": the microseconds (since the epoch)
 * before and after the image was read, the swap counter's count read right after (0
 * without a file), and the white pixels. Samples are INTERVAL_MS apart at most, so the
 * program watched keeps the processor. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static long long NowUs(void) {
  struct timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

static unsigned long Swaps(const char* path) {
  FILE* f = path ? fopen(path, "r") : NULL;
  unsigned long n = 0;
  if (f) {
    if (fscanf(f, "%lu", &n) != 1) n = 0;
    fclose(f);
  }
  return n;
}

int main(int argc, char** argv) {
  if (argc < 7) {
    fprintf(stderr, "usage: %s X Y WIDTH HEIGHT SECONDS INTERVAL_MS [SWAP_COUNT_FILE]\n", argv[0]);
    return 2;
  }
  const int x = atoi(argv[1]), y = atoi(argv[2]), w = atoi(argv[3]), h = atoi(argv[4]);
  const long long end = NowUs() + (long long)(atof(argv[5]) * 1e6);
  const long long interval = atoll(argv[6]) * 1000;
  const char* swaps = argc > 7 ? argv[7] : NULL;
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "white_pixels: no display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(d);
  for (;;) {
    const long long t0 = NowUs();
    XImage* image = XGetImage(d, root, x, y, (unsigned)w, (unsigned)h, AllPlanes, ZPixmap);
    const long long t1 = NowUs();
    if (!image) {
      fprintf(stderr, "white_pixels: cannot read the screen\n");
      return 1;
    }
    long count = 0;
    for (int row = 0; row < h; ++row)
      for (int col = 0; col < w; ++col)
        if ((XGetPixel(image, col, row) & 0xffffff) == 0xffffff) ++count;
    XDestroyImage(image);
    printf("%lld %lld %lu %ld\n", t0, t1, Swaps(swaps), count);
    fflush(stdout);
    if (t1 >= end) break;
    const long long rest = t0 + interval - NowUs();
    if (rest > 0) usleep((useconds_t)rest);
  }
  XCloseDisplay(d);
  return 0;
}
