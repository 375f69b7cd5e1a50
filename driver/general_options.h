#pragma once

// The optimisation level of a bare -O: ORVANE_BIG_O when it is exactly
// "-O0" to "-O3", else 2.
int opt_level_from_env();
