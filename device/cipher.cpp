#include "device/cipher.h"

#include <utility>

namespace {

constexpr char kMask[8] = {'K', 'a', 'T', 'v', 'M', 'o', 'P', 'e'};

uint8_t swappedNibbles(uint8_t b)
{
    return static_cast<uint8_t>((b << 4) | (b >> 4));
}

void swapPairs(uint8_t *b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void xorKey(uint8_t *b, const uint8_t *key)
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= key[i];
}

// The 8 bytes as one 64-bit number, b[0] most significant.
uint64_t toWord(const uint8_t *b)
{
    uint64_t w = 0;
    for (int i = 0; i < 8; ++i)
        w = (w << 8) | b[i];
    return w;
}

void fromWord(uint64_t w, uint8_t *b)
{
    for (int i = 7; i >= 0; --i) {
        b[i] = static_cast<uint8_t>(w & 0xff);
        w >>= 8;
    }
}

} // namespace

uint8_t frameChecksum(const uint8_t *bytes)
{
    uint8_t sum = 0;
    for (int i = 0; i < 7; ++i)
        sum = static_cast<uint8_t>(sum + bytes[i]);
    return static_cast<uint8_t>(~sum);
}

void encipherBlock(uint8_t *block, const uint8_t *key)
{
    swapPairs(block);
    xorKey(block, key);
    const uint64_t w = toWord(block);
    fromWord((w << 3) | (w >> 61), block);
    for (int i = 0; i < 8; ++i)
        block[i] = static_cast<uint8_t>(block[i] + swappedNibbles(static_cast<uint8_t>(kMask[i])));
}

void decipherBlock(uint8_t *block, const uint8_t *key)
{
    for (int i = 0; i < 8; ++i)
        block[i] = static_cast<uint8_t>(block[i] - swappedNibbles(static_cast<uint8_t>(kMask[i])));
    const uint64_t w = toWord(block);
    fromWord((w >> 3) | (w << 61), block);
    xorKey(block, key);
    swapPairs(block);
}

bool loadSecrecyCode(uint8_t *key, const char *code, int length)
{
    if (length != 6)
        return false;
    for (int i = 0; i < 6; ++i)
        key[i + 1] = static_cast<uint8_t>(code[i]);
    return true;
}
