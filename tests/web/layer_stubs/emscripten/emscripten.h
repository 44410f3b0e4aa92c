// What the browser GL layer's GLU takes from Emscripten, for its test on this machine:
// the clock, which the test gives.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif
double emscripten_get_now(void);
#ifdef __cplusplus
}
#endif
