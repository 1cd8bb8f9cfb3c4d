// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every program of the sanitizer build (see `make test-asan`), so that the
// settings hold also where a test starts a program with a cleared environment.

extern "C" {

// Every report ends the program with a failure; leaks are reports too.
const char* __asan_default_options() {
    return "halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1";
}

const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

// Leaks of system libraries, none in our code: the session bus connection that Qt opens on a
// desktop (the package test's X server) is never freed.
const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

} // extern "C"
