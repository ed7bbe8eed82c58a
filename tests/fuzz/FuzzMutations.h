// The inputs of a fuzz run: each one a function of the run's seed, the reader's name and the input's
// index alone, so that any input of any run can be made again on its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FuzzRandom
{
public:
    explicit FuzzRandom(uint64_t seed) : m_state(seed) {}
    uint64_t Next();
    // 0 .. bound - 1 (0 when bound is 0).
    size_t Below(size_t bound) { return bound == 0 ? 0 : static_cast<size_t>(Next() % bound); }
    bool Chance(unsigned percent) { return Below(100) < percent; }

private:
    uint64_t m_state;
};

uint64_t FuzzInputSeed(uint64_t runSeed, const std::string& readerName, uint64_t index);

// One input: random bytes now and then, otherwise a seed changed by one to four mutations (bit flips,
// truncation, repeated chunks, huge counts, tokens of the format spliced in, pieces of another seed).
std::string FuzzMakeInput(uint64_t inputSeed, const std::vector<std::string>& seeds,
                          const std::vector<std::string>& tokens);
