#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise is a crash, so the fuzzer keeps the input that showed it and the corpus
// replay fails loudly.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "broken promise: %s (%s)\n", what, #condition);                   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
