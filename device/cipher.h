#pragma once

#include <cstdint>

// Checksum and report cipher of the command frame.

// Bitwise NOT of the 8-bit sum of bytes[0..6]. A frame's checksum is this
// applied to frame byte 1 (code and six parameters).
uint8_t frameChecksum(const uint8_t *bytes);

// The cipher works on 8 bytes in place. key[1..6] are the ASCII codes of the
// six-character secrecy code; key[0] and key[7] are not used.
void encipherBlock(uint8_t *block, const uint8_t *key);
void decipherBlock(uint8_t *block, const uint8_t *key);

// Fills key[1..6] from a six-character code; other lengths leave key as it
// is and return false.
bool loadSecrecyCode(uint8_t *key, const char *code, int length);
