#pragma once

#include <cstdio>
#include <cstdlib>

// A property that every input must keep; a broken one aborts, so libFuzzer saves the input.
#define EXIGE(condition)                                                                           \
    ((condition)                                                                                   \
         ? void()                                                                                  \
         : (std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition),  \
            std::abort()))
