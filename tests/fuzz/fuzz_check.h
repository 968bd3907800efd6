#pragma once
// A harness's oracle: a broken rule ends the run, so the fuzzer keeps the input as a crash.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(rule)                                                          \
    do {                                                                          \
        if (!(rule)) {                                                            \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #rule); \
            std::abort();                                                         \
        }                                                                         \
    } while (0)
