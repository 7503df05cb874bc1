// Sanitizer defaults linked into every fuzz harness. Each input allocates and frees within its own
// run, so a 16 MB quarantine still catches a use after free inside one input; the default 256 MB
// keeps handing out fresh pages, and the page faults cost more than half of each run.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
