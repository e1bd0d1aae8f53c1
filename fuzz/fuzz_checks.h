// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An expectation of a fuzz target that ends the run, naming its line, when it breaks.

#include <cstdio>
#include <cstdlib>

// Ends the run with the line of the broken expectation.
#define Require(condition)                                                                     \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
