// Fontconfig keeps its font caches for the life of the process; the leak checker of the sanitizer
// build is told not to report them. Our own allocations are still checked. The sanitizer looks the
// hook up by name, so it must stay visible despite the project's hidden-visibility default.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
