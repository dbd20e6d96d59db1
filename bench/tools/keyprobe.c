/* keyprobe: types a text into a window key by key through XTest and measures, for each key,
 * the milliseconds from the key press to the window's next repaint (X Damage), as the X
 * server sees it. Unlike a single repeated key, a text of right answers makes every key
 * change the screen, so each repaint belongs to its key.
 *
 *   keyprobe [-g GAP_MS] [-p PERIOD_MS] [-t TIMEOUT_MS] [-h HOLD_MS] [-r X,Y,W,H] [-P PID] [-o FILE] WINDOW
 * TEXT
 *
 *   -g  wait at least this long after a repaint before the next key (default 30)
 *   -p  press a key every PERIOD_MS instead (a steady typing rate, e.g. 100 = 10 keys/s)
 *   -t  give up on a key's repaint after this long (default 500)
 *   -h  release a key at its repaint, or after HOLD_MS at the latest (default 80, as a
 *       player's finger does; holding longer would start the key's auto-repeat)
 *   -r  count only repaints that touch this rectangle of the window (leaves out a clock
 *       that repaints by itself elsewhere on the window)
 *   -P  also report the CPU time that process used while typing, in percent of one core
 *   -o  also append each key's latency in ms to FILE, one a line (to pool several runs)
 *
 * TEXT: letters (capitals are typed with Shift), digits, the US keyboard's punctuation (its
 * shifted characters typed with Shift), ' ' and ESC (Escape).
 * Prints: keys=N painted=M p50_ms= p90_ms= p99_ms= max_ms= [first_unpainted=I] elapsed_ms=
 *         [cpu_percent=]  (I: the first key, from 0, whose repaint never came)
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void sleep_until(double t) {
    double left = t - now_ms();
    if (left > 0) usleep((useconds_t)(left * 1000));
}

static int cmpd(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return x < y ? -1 : x > y;
}

/* Run time of every thread of the process, in ns (schedstat is finer than the tick count). */
static double cpu_ns(int pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", pid);
    DIR* dir = opendir(path);
    if (!dir) return -1;
    double sum = 0;
    struct dirent* e;
    while ((e = readdir(dir))) {
        if (e->d_name[0] == '.') continue;
        char f[320];
        snprintf(f, sizeof f, "/proc/%d/task/%s/schedstat", pid, e->d_name);
        FILE* s = fopen(f, "r");
        double run = 0;
        if (s) {
            if (fscanf(s, "%lf", &run) == 1) sum += run;
            fclose(s);
        }
    }
    closedir(dir);
    return sum;
}

static int dmg_ev, dmg_err;
static int rx, ry, rw, rh, use_rect;

/* Whether a damage event counts: anywhere, or touching the watched rectangle. */
static int counts(XEvent* e) {
    if (e->type != dmg_ev + XDamageNotify) return 0;
    XDamageNotifyEvent* de = (XDamageNotifyEvent*)e;
    if (!use_rect) return 1;
    XRectangle a = de->area;
    return a.x < rx + rw && rx < a.x + a.width && a.y < ry + rh && ry < a.y + a.height;
}

static void drain(Display* d) {
    XEvent e;
    XSync(d, False);
    while (XPending(d)) XNextEvent(d, &e);
}

/* Waits for a counting repaint until the deadline; returns its time or -1. */
static double wait_paint(Display* d, double deadline) {
    XEvent e;
    for (;;) {
        while (XPending(d)) {
            XNextEvent(d, &e);
            if (counts(&e)) return now_ms();
        }
        double left = deadline - now_ms();
        if (left <= 0) return -1;
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, (int)left + 1);
    }
}

static KeySym keysym_of(char c, int* shift) {
    /* The US keyboard's punctuation, and what Shift makes of each key. */
    static const char plain[] = "-=[];'\\,./`1234567890";
    static const char shifted[] = "_+{}:\"|<>?~!@#$%^&*()";
    static const KeySym syms[] = {XK_minus,     XK_equal,      XK_bracketleft, XK_bracketright,
                                  XK_semicolon, XK_apostrophe, XK_backslash,   XK_comma,
                                  XK_period,    XK_slash,      XK_grave,       XK_1,
                                  XK_2,         XK_3,          XK_4,           XK_5,
                                  XK_6,         XK_7,          XK_8,           XK_9,
                                  XK_0};
    const char* at;
    *shift = c >= 'A' && c <= 'Z';
    if (c && (at = strchr(plain, c))) return syms[at - plain];
    if (c && (at = strchr(shifted, c))) {
        *shift = 1;
        return syms[at - shifted];
    }
    if (c == ' ') return XK_space;
    if (c == '\033') return XK_Escape;
    char name[2] = {(char)(*shift ? c - 'A' + 'a' : c), 0};
    return XStringToKeysym(name);
}

int main(int argc, char** argv) {
    int gap = 30, period = 0, timeout = 500, hold = 80, pid = 0, opt;
    const char* raw = NULL;
    while ((opt = getopt(argc, argv, "g:p:t:h:r:P:o:")) != -1) {
        switch (opt) {
            case 'g':
                gap = atoi(optarg);
                break;
            case 'p':
                period = atoi(optarg);
                break;
            case 't':
                timeout = atoi(optarg);
                break;
            case 'h':
                hold = atoi(optarg);
                break;
            case 'P':
                pid = atoi(optarg);
                break;
            case 'o':
                raw = optarg;
                break;
            case 'r':
                use_rect = sscanf(optarg, "%d,%d,%d,%d", &rx, &ry, &rw, &rh) == 4;
                break;
            default:
                goto usage;
        }
    }
    if (argc - optind != 2) {
    usage:
        fprintf(stderr,
                "usage: keyprobe [-g GAP_MS] [-p PERIOD_MS] [-t TIMEOUT_MS] [-h HOLD_MS] [-r X,Y,W,H] [-P "
                "PID] [-o FILE] WINDOW TEXT\n");
        return 2;
    }
    Window w = strtoul(argv[optind], 0, 0);
    const char* text = argv[optind + 1];
    int n = (int)strlen(text);

    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "keyprobe: no display\n");
        return 2;
    }
    if (!XDamageQueryExtension(d, &dmg_ev, &dmg_err)) {
        fprintf(stderr, "keyprobe: no Damage extension\n");
        return 2;
    }
    /* The damage of the top-level window that holds the given one; each rectangle on its own
     * so the watched area can be told apart. */
    Window top = w, r, p, *ch;
    unsigned nc;
    while (XQueryTree(d, top, &r, &p, &ch, &nc)) {
        if (ch) XFree(ch);
        if (p == r || p == 0) break;
        top = p;
    }
    XDamageCreate(d, top, XDamageReportRawRectangles);
    KeyCode shift_code = XKeysymToKeycode(d, XK_Shift_L);

    double* lat = calloc(n ? n : 1, sizeof(double));
    int got = 0, first_miss = -1;
    double cpu0 = pid ? cpu_ns(pid) : 0, start = now_ms(), next = start;
    for (int i = 0; i < n; i++) {
        int shift;
        KeyCode kc = XKeysymToKeycode(d, keysym_of(text[i], &shift));
        if (!kc) {
            fprintf(stderr, "keyprobe: no key for '%c'\n", text[i]);
            return 2;
        }
        if (period) {
            sleep_until(next);
            next += period;
        } else {
            usleep(gap * 1000);
        }
        if (shift) XTestFakeKeyEvent(d, shift_code, True, 0);
        drain(d);
        double t0 = now_ms();
        XTestFakeKeyEvent(d, kc, True, 0);
        XFlush(d);
        double t1 = wait_paint(d, t0 + (hold < timeout ? hold : timeout));
        XTestFakeKeyEvent(d, kc, False, 0);
        if (shift) XTestFakeKeyEvent(d, shift_code, False, 0);
        /* Wait until the server has taken the release: a release still in flight when this
         * program exits can be lost, leaving the key down and auto-repeating. */
        XSync(d, False);
        if (t1 < 0 && hold < timeout) t1 = wait_paint(d, t0 + timeout);
        if (t1 >= 0)
            lat[got++] = t1 - t0;
        else if (first_miss < 0)
            first_miss = i;
    }
    double elapsed = now_ms() - start;
    double cpu1 = pid ? cpu_ns(pid) : 0;

    if (raw) {
        FILE* f = fopen(raw, "a");
        if (!f) {
            perror(raw);
            return 2;
        }
        for (int i = 0; i < got; i++) fprintf(f, "%.3f\n", lat[i]);
        fclose(f);
    }
    qsort(lat, got, sizeof(double), cmpd);
    printf("keys=%d painted=%d", n, got);
    if (got)
        printf(" p50_ms=%.2f p90_ms=%.2f p99_ms=%.2f max_ms=%.2f", lat[got / 2], lat[(int)(got * 0.9)],
               lat[(int)(got * 0.99)], lat[got - 1]);
    if (first_miss >= 0) printf(" first_unpainted=%d", first_miss);
    printf(" elapsed_ms=%.0f", elapsed);
    if (pid && cpu0 >= 0 && cpu1 >= 0) printf(" cpu_percent=%.2f", (cpu1 - cpu0) / 1e6 / elapsed * 100);
    printf("\n");
    return 0;
}
