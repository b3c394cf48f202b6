/* Linked into the sanitizer build only (see the Makefile's test-asan).
 * Libraries that the system's libraries open at run time (the GL driver, ALSA's plug-ins) are
 * unloaded before the leak check runs at exit. Their leftovers then show as "<unknown module>",
 * which no suppression can name. Unloading nothing keeps every library's name on its stacks so
 * that tests/lsan.supp can match them; the game's own code is never suppressed. */
#include <stddef.h>

int dlclose(void* handle) {
    (void)handle;
    return 0;
}
