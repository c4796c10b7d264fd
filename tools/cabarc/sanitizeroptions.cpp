// Built into cabarc under the sanitizer build only. libgcab and glib keep no frame pointers, so
// only the slow unwinder sees through them to libgcab's own leak (tests/sanitize/leaks.supp).
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
