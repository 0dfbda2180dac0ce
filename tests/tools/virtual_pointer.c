/* A pointer for the whole-program tests on a headless sway, which has no pointer device of
 * its own: a Wayland client that makes a virtual pointer on the seat (the wlroots
 * virtual-pointer protocol) and moves it and presses its buttons as told. One device lives
 * for the whole run, so a sequence of actions reaches the clients as from one mouse.
 *
 *   virtual_pointer ACTION...    the actions in turn, then the device goes away
 *   virtual_pointer              one action a line from standard input; each answered on
 *                                standard output with "ok" once the compositor has taken
 *                                it, or "error: ..."; the device goes away at end of input
 *
 * Actions:
 *   move X Y          the pointer to pixel (X, Y) of the first output
 *   press BUTTON      left, right, middle or a Linux event code (272 is BTN_LEFT)
 *   release BUTTON
 *   click X Y BUTTON  move there, then press and release
 *   wait MS           milliseconds
 *
 * The device is there a moment before the first action (the clients bind the seat's new
 * pointer first), and a moment after the last (so they get its events before it goes). */
#define _POSIX_C_SOURCE 200809L
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

enum { kBtnLeft = 0x110, kBtnRight = 0x111, kBtnMiddle = 0x112 };
/* The clients bind a pointer once the seat says it has one. */
enum { kSettleMs = 300, kPressMs = 40, kStepMs = 60 };

struct Output {
  struct wl_output* output;
  int32_t width, height; /* the current mode, in pixels */
  int32_t scale;
};

static struct wl_display* g_display;
static struct wl_seat* g_seat;
static struct zwlr_virtual_pointer_manager_v1* g_manager;
static uint32_t g_manager_version;
static struct Output g_output = {NULL, 0, 0, 1};
static struct zwlr_virtual_pointer_v1* g_pointer;

static void Sleep(long ms) {
  struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

static uint32_t Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static void OutputGeometry(void* data, struct wl_output* o, int32_t x, int32_t y, int32_t pw,
                           int32_t ph, int32_t subpixel, const char* make, const char* model,
                           int32_t transform) {
  (void)data, (void)o, (void)x, (void)y, (void)pw, (void)ph, (void)subpixel, (void)make,
      (void)model, (void)transform;
}
static void OutputMode(void* data, struct wl_output* o, uint32_t flags, int32_t w, int32_t h,
                       int32_t refresh) {
  (void)data, (void)o, (void)refresh;
  if (flags & WL_OUTPUT_MODE_CURRENT) {
    g_output.width = w;
    g_output.height = h;
  }
}
static void OutputDone(void* data, struct wl_output* o) { (void)data, (void)o; }
static void OutputScale(void* data, struct wl_output* o, int32_t scale) {
  (void)data, (void)o;
  if (scale > 0) g_output.scale = scale;
}
/* Bound at version 2 at most: no name or description events. */
static const struct wl_output_listener kOutputListener = {
    .geometry = OutputGeometry, .mode = OutputMode, .done = OutputDone, .scale = OutputScale};

static void Global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
  (void)data;
  if (strcmp(interface, wl_seat_interface.name) == 0 && !g_seat) {
    g_seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
  } else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    g_manager_version = version < 2 ? version : 2;
    g_manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface,
                                 g_manager_version);
  } else if (strcmp(interface, wl_output_interface.name) == 0 && !g_output.output) {
    g_output.output = wl_registry_bind(registry, name, &wl_output_interface, version < 2 ? 1 : 2);
    wl_output_add_listener(g_output.output, &kOutputListener, NULL);
  }
}
static void GlobalRemove(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data, (void)registry, (void)name;
}
static const struct wl_registry_listener kRegistryListener = {.global = Global,
                                                              .global_remove = GlobalRemove};

/* Waits until the compositor has handled every request so far. */
static int Sync(char* why, size_t size) {
  if (wl_display_roundtrip(g_display) < 0) {
    snprintf(why, size, "the compositor refused a request (%s)",
             strerror(wl_display_get_error(g_display)));
    return -1;
  }
  return 0;
}

static int ParseButton(const char* word, uint32_t* code) {
  if (strcmp(word, "left") == 0) return *code = kBtnLeft, 0;
  if (strcmp(word, "right") == 0) return *code = kBtnRight, 0;
  if (strcmp(word, "middle") == 0) return *code = kBtnMiddle, 0;
  char* end;
  errno = 0;
  const unsigned long value = strtoul(word, &end, 0);
  if (errno || end == word || *end || value == 0 || value > 0x2ff) return -1;
  *code = (uint32_t)value;
  return 0;
}

static int ParseNumber(const char* word, long max, long* value) {
  char* end;
  errno = 0;
  *value = strtol(word, &end, 10);
  return errno || end == word || *end || *value < 0 || *value > max ? -1 : 0;
}

static int Move(long x, long y, char* why, size_t size) {
  const long w = g_output.width / g_output.scale, h = g_output.height / g_output.scale;
  if (x >= w || y >= h) {
    snprintf(why, size, "%ld,%ld is outside the %ldx%ld output", x, y, w, h);
    return -1;
  }
  zwlr_virtual_pointer_v1_motion_absolute(g_pointer, Now(), (uint32_t)x, (uint32_t)y,
                                          (uint32_t)w, (uint32_t)h);
  zwlr_virtual_pointer_v1_frame(g_pointer);
  return Sync(why, size);
}

static int Button(uint32_t code, int pressed, char* why, size_t size) {
  zwlr_virtual_pointer_v1_button(g_pointer, Now(), code,
                                 pressed ? WL_POINTER_BUTTON_STATE_PRESSED
                                         : WL_POINTER_BUTTON_STATE_RELEASED);
  zwlr_virtual_pointer_v1_frame(g_pointer);
  return Sync(why, size);
}

/* Runs the action at words[0]; returns the number of words it took, or -1 with why filled. */
static int Run(char** words, int count, char* why, size_t size) {
  const char* verb = words[0];
  long x, y, ms;
  uint32_t code;
  if (strcmp(verb, "move") == 0 || strcmp(verb, "click") == 0) {
    const int click = verb[0] == 'c';
    const int need = click ? 4 : 3;
    if (count < need || ParseNumber(words[1], 100000, &x) || ParseNumber(words[2], 100000, &y)) {
      snprintf(why, size, "%s wants X Y%s", verb, click ? " BUTTON" : "");
      return -1;
    }
    if (click && ParseButton(words[3], &code)) {
      snprintf(why, size, "no button \"%s\"", words[3]);
      return -1;
    }
    if (Move(x, y, why, size)) return -1;
    if (click) {
      Sleep(kStepMs);
      if (Button(code, 1, why, size)) return -1;
      Sleep(kPressMs);
      if (Button(code, 0, why, size)) return -1;
    }
    return need;
  }
  if (strcmp(verb, "press") == 0 || strcmp(verb, "release") == 0) {
    if (count < 2 || ParseButton(words[1], &code)) {
      snprintf(why, size, "%s wants a button: left, right, middle or an event code", verb);
      return -1;
    }
    return Button(code, verb[0] == 'p', why, size) ? -1 : 2;
  }
  if (strcmp(verb, "wait") == 0) {
    if (count < 2 || ParseNumber(words[1], 600000, &ms)) {
      snprintf(why, size, "wait wants milliseconds");
      return -1;
    }
    Sleep(ms);
    return 2;
  }
  snprintf(why, size, "no action \"%s\"", verb);
  return -1;
}

/* Reads actions from standard input, one a line, answering each. */
static int RunLines(void) {
  char line[512], why[256];
  while (fgets(line, sizeof line, stdin)) {
    char* words[8];
    int count = 0;
    for (char* w = strtok(line, " \t\r\n"); w && count < 8; w = strtok(NULL, " \t\r\n"))
      words[count++] = w;
    if (count == 0) continue;
    const int used = Run(words, count, why, sizeof why);
    if (used > 0 && used != count) snprintf(why, sizeof why, "one action a line");
    if (used == count)
      puts("ok");
    else
      printf("error: %s\n", why);
    fflush(stdout);
    if (wl_display_get_error(g_display)) return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  g_display = wl_display_connect(NULL);
  if (!g_display) {
    fprintf(stderr, "virtual_pointer: no Wayland display (WAYLAND_DISPLAY)\n");
    return 1;
  }
  struct wl_registry* registry = wl_display_get_registry(g_display);
  wl_registry_add_listener(registry, &kRegistryListener, NULL);
  char why[256];
  /* The globals, then the output's mode and scale. */
  if (Sync(why, sizeof why) || Sync(why, sizeof why)) {
    fprintf(stderr, "virtual_pointer: %s\n", why);
    return 1;
  }
  if (!g_manager) {
    fprintf(stderr, "virtual_pointer: the compositor offers no virtual pointer "
                    "(zwlr_virtual_pointer_manager_v1)\n");
    return 1;
  }
  if (!g_output.output || g_output.width <= 0 || g_output.height <= 0) {
    fprintf(stderr, "virtual_pointer: the compositor has no output\n");
    return 1;
  }
  /* Mapped to the output, so X Y are the output's whatever the layout. */
  g_pointer = g_manager_version >= 2
                  ? zwlr_virtual_pointer_manager_v1_create_virtual_pointer_with_output(
                        g_manager, g_seat, g_output.output)
                  : zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_manager, g_seat);
  if (Sync(why, sizeof why)) {
    fprintf(stderr, "virtual_pointer: %s\n", why);
    return 1;
  }
  Sleep(kSettleMs);

  int rc = 0;
  if (argc > 1) {
    for (int i = 1; i < argc;) {
      const int used = Run(argv + i, argc - i, why, sizeof why);
      if (used < 0) {
        fprintf(stderr, "virtual_pointer: %s\n", why);
        rc = 1;
        break;
      }
      i += used;
    }
  } else {
    rc = RunLines();
  }

  Sleep(kSettleMs);
  zwlr_virtual_pointer_v1_destroy(g_pointer);
  zwlr_virtual_pointer_manager_v1_destroy(g_manager);
  wl_display_roundtrip(g_display);
  wl_output_destroy(g_output.output);
  if (g_seat) wl_seat_destroy(g_seat);
  wl_registry_destroy(registry);
  wl_display_disconnect(g_display);
  return rc;
}
