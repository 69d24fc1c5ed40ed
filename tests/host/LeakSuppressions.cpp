// D-Bus, which SDL starts for the screen saver, keeps a buffer for the life of the process that
// nobody can free; the address sanitizer's leak check is told so, and nothing else.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
