// SPDX-License-Identifier: GPL-3.0-or-later
// The score code: the plain text and a check, hidden under a key-derived keystream and written
// in the URL-safe base64 alphabet.
//
// Format, so that a score server may also implement it on its own:
//   1. block = the plain bytes, then CRC-16/CCITT-FALSE of the plain bytes (polynomial 0x1021,
//      start 0xFFFF, no reflection, no final XOR), high byte first;
//   2. seed = FNV-1a 64 of the key bytes (offset 0xCBF29CE484222325, prime 0x100000001B3);
//      the keystream is splitmix64 started from that seed, each 64-bit output taken
//      least significant byte first; block byte i is XORed with keystream byte i;
//   3. code = base64url of the block (A-Z a-z 0-9 - _), without padding.
// The key hides the score from casual editing; the check makes a changed code fail to decode.

#include "eks.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr std::size_t CheckBytes = 2;

class Keystream {
public:
    explicit Keystream(std::string_view key) {
        std::uint64_t hash = 0xCBF29CE484222325u;
        for (const char c : key) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001B3u;
        }
        m_state = hash;
    }

    unsigned char next() {
        if (m_used == 8) {
            m_state += 0x9E3779B97F4A7C15u;
            std::uint64_t z = m_state;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
            m_word = z ^ (z >> 31);
            m_used = 0;
        }
        return static_cast<unsigned char>(m_word >> (8 * m_used++));
    }

private:
    std::uint64_t m_state = 0;
    std::uint64_t m_word = 0;
    int m_used = 8;
};

std::uint16_t crc16(std::string_view bytes) {
    std::uint16_t crc = 0xFFFF;
    for (const char c : bytes) {
        crc = static_cast<std::uint16_t>(crc ^ (static_cast<unsigned char>(c) << 8));
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

std::string toBase64Url(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() * 4 + 2) / 3);
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        count += 8;
        while (count >= 6) {
            count -= 6;
            text += Alphabet[(bits >> count) & 0x3F];
        }
    }
    if (count > 0)
        text += Alphabet[(bits << (6 - count)) & 0x3F];
    return text;
}

/// False for a character outside the alphabet, an impossible length, or unused bits that are
/// not zero: every block has exactly one code, so no character can change unnoticed.
bool fromBase64Url(std::string_view text, std::string& bytes) {
    if (text.size() % 4 == 1)
        return false;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        const std::size_t value = Alphabet.find(c);
        if (value == std::string_view::npos)
            return false;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return (bits & ((1u << count) - 1)) == 0;
}

void applyKeystream(std::string& block, std::string_view key) {
    Keystream stream(key);
    for (char& c : block)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ stream.next());
}

/// Copies the result and its NUL when they fit; returns the length, or the needed length.
long deliver(const std::string& text, char* out, std::size_t outSize) {
    if (text.size() >= static_cast<std::size_t>(LONG_MAX))
        return -1;
    if (text.size() < outSize) {
        std::memcpy(out, text.data(), text.size());
        out[text.size()] = '\0';
    } else if (outSize > 0) {
        out[0] = '\0';
    }
    return static_cast<long>(text.size());
}

} // namespace

extern "C" long EKSEncode(const char* plain, const char* key, const int32_t* mode, char* out,
                          size_t outSize) {
    if (plain == nullptr || key == nullptr || mode == nullptr || out == nullptr || *mode != -1)
        return -1;
    try {
        std::string block(plain);
        const std::uint16_t check = crc16(block);
        block += static_cast<char>(check >> 8);
        block += static_cast<char>(check & 0xFF);
        applyKeystream(block, key);
        return deliver(toBase64Url(block), out, outSize);
    } catch (...) {
        return -1; // out of memory; nothing may leave a C interface as an exception
    }
}

extern "C" long EKSDecode(const char* code, const char* key, char* out, size_t outSize) {
    if (code == nullptr || key == nullptr || out == nullptr)
        return -1;
    try {
        std::string block;
        if (!fromBase64Url(code, block) || block.size() < CheckBytes)
            return -1;
        applyKeystream(block, key);
        const std::string_view plain(block.data(), block.size() - CheckBytes);
        const std::uint16_t check = crc16(plain);
        if (static_cast<unsigned char>(block[plain.size()]) != (check >> 8) ||
            static_cast<unsigned char>(block[plain.size() + 1]) != (check & 0xFF))
            return -1;
        // The plain text was a C string, so a NUL inside it means a forged code.
        if (plain.find('\0') != std::string_view::npos)
            return -1;
        return deliver(std::string(plain), out, outSize);
    } catch (...) {
        return -1;
    }
}
