// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/* The score-code library. The game loads it by name at run time and resolves EKSEncode; a
 * score server links it and uses EKSDecode to read the code back. Plain C, so that both sides
 * can bind it from any language. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Encodes the NUL-terminated `plain` text with `key`. `mode` must point to -1.
 * Writes the code, made only of characters that need no escaping in a URL query
 * (A-Z a-z 0-9 - _), and a NUL into `out` when it fits in `outSize` bytes.
 * Returns the length of the code without the NUL, or -1 for a null argument or a mode other
 * than -1. A return value >= outSize means `out` was too small and holds nothing useful. */
__attribute__((visibility("default"))) long
EKSEncode(const char* plain, const char* key, const int32_t* mode, char* out, size_t outSize);

/* Reverses EKSEncode with the same key. Returns the length of the plain text, or -1 when
 * `code` is not a valid code for `key`; the same rule for `outSize` as above. */
__attribute__((visibility("default"))) long EKSDecode(const char* code, const char* key, char* out,
                                                      size_t outSize);

#ifdef __cplusplus
}
#endif
