#include "tests/fuzz/FuzzMutations.h"

#include <algorithm>

namespace
{
// Values that make counts, lengths, sizes and indexes huge, negative, or just past a limit.
const uint64_t InterestingValues[] = {
    0,          1,          0x7F,       0x80,       0xFE,       0xFF,       0x100,      0x7FFE,
    0x7FFF,     0x8000,     0x8001,     0xFFFE,     0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000,
    0xFFFFFFFE, 0xFFFFFFFF, 0x40000000, 0x00FFFFFF, 0x7FFFFFFFFFFFFFFFull,     0xFFFFFFFFFFFFFFFFull,
};

void FlipBits(std::string& data, FuzzRandom& random)
{
    if (data.empty())
        return;
    const size_t flips = 1 + random.Below(8);
    for (size_t i = 0; i < flips; ++i)
        data[random.Below(data.size())] ^= static_cast<char>(1u << random.Below(8));
}

void SetBytes(std::string& data, FuzzRandom& random)
{
    if (data.empty())
        return;
    const size_t count = 1 + random.Below(4);
    for (size_t i = 0; i < count; ++i)
        data[random.Below(data.size())] = static_cast<char>(random.Below(256));
}

void Truncate(std::string& data, FuzzRandom& random)
{
    data.resize(random.Below(data.size() + 1));
}

void DeleteChunk(std::string& data, FuzzRandom& random)
{
    if (data.empty())
        return;
    const size_t at = random.Below(data.size());
    data.erase(at, 1 + random.Below(std::min<size_t>(data.size() - at, 64)));
}

// A chunk repeated a few times in place, as a list whose elements come again.
void RepeatChunk(std::string& data, FuzzRandom& random)
{
    if (data.empty())
        return;
    const size_t at = random.Below(data.size());
    const size_t length = 1 + random.Below(std::min<size_t>(data.size() - at, 256));
    const std::string chunk = data.substr(at, length);
    const size_t times = 1 + random.Below(8);
    std::string repeated;
    for (size_t i = 0; i < times; ++i)
        repeated += chunk;
    data.insert(at, repeated);
}

// A huge (or negative, or just too large) value over 1, 2, 4 or 8 bytes somewhere.
void HugeCount(std::string& data, FuzzRandom& random)
{
    if (data.empty())
        return;
    const size_t widths[] = {1, 2, 4, 8};
    const size_t width = std::min(widths[random.Below(4)], data.size());
    const uint64_t value = InterestingValues[random.Below(std::size(InterestingValues))];
    const size_t at = random.Below(data.size() - width + 1);
    for (size_t i = 0; i < width; ++i)
        data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A piece of the format (a key, a tag, a header, a stale name) put in or written over.
void SpliceToken(std::string& data, FuzzRandom& random, const std::vector<std::string>& tokens)
{
    if (tokens.empty())
        return;
    const std::string& token = tokens[random.Below(tokens.size())];
    const size_t at = random.Below(data.size() + 1);
    if (random.Chance(50) || at + token.size() > data.size())
        data.insert(at, token);
    else
        data.replace(at, token.size(), token);
}

// The start of this input with the end of another seed.
void CrossOver(std::string& data, FuzzRandom& random, const std::vector<std::string>& seeds)
{
    const std::string& other = seeds[random.Below(seeds.size())];
    data = data.substr(0, random.Below(data.size() + 1)) + other.substr(random.Below(other.size() + 1));
}
} // namespace

uint64_t FuzzRandom::Next()
{
    // splitmix64: every state gives a well-mixed value, so neighbouring seeds give unrelated inputs.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t FuzzInputSeed(uint64_t runSeed, const std::string& readerName, uint64_t index)
{
    uint64_t hash = 1469598103934665603ull;   // FNV-1a of the name
    for (unsigned char ch : readerName)
        hash = (hash ^ ch) * 1099511628211ull;
    FuzzRandom mix(runSeed ^ hash ^ (index * 0x9E3779B97F4A7C15ull));
    mix.Next();
    return mix.Next();
}

std::string FuzzMakeInput(uint64_t inputSeed, const std::vector<std::string>& seeds,
                          const std::vector<std::string>& tokens)
{
    FuzzRandom random(inputSeed);
    if (seeds.empty() || random.Chance(8))
    {
        std::string bytes(random.Below(1025), '\0');
        for (char& ch : bytes)
            ch = static_cast<char>(random.Below(256));
        return bytes;
    }
    std::string data = seeds[random.Below(seeds.size())];
    const size_t mutations = 1 + random.Below(4);
    for (size_t i = 0; i < mutations; ++i)
    {
        switch (random.Below(9))
        {
        case 0: FlipBits(data, random); break;
        case 1: SetBytes(data, random); break;
        case 2: Truncate(data, random); break;
        case 3: DeleteChunk(data, random); break;
        case 4: RepeatChunk(data, random); break;
        case 5:
        case 6: HugeCount(data, random); break;
        case 7: SpliceToken(data, random, tokens); break;
        default: CrossOver(data, random, seeds); break;
        }
    }
    return data;
}
