// The readers of outside data that the fuzz program feeds with mutated inputs. A reader is one
// registration in a source file of this folder:
//
//     REGISTER_FUZZ_READER("plot data file", PlotDataSeeds, PlotDataTokens, ReadPlotData);
//
// seeds gives valid inputs made by the format's own writer, tokens the pieces of the format that the
// mutations splice in (keys, tags, headers, counts), and read runs the reader on one input.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

class CException;

// What a reader made of one input.
enum class FuzzOutcome
{
    Accepted,
    Refused     // with the reader's own error: a FALSE answer with its message, or its exception
};

// A broken promise: a refused input that changed the object, an error that is not the reader's own,
// an accepted input that left the object inconsistent.
struct FuzzFault : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

struct FuzzReader
{
    const char* name;
    std::vector<std::string> (*seeds)();
    std::vector<std::string> (*tokens)();
    FuzzOutcome (*read)(const std::string& input);
};

bool RegisterFuzzReader(const FuzzReader& reader);
const std::vector<FuzzReader>& FuzzReaders();

#define FUZZ_JOIN2(a, b) a##b
#define FUZZ_JOIN(a, b) FUZZ_JOIN2(a, b)
#define REGISTER_FUZZ_READER(name, seeds, tokens, read) \
    static const bool FUZZ_JOIN(fuzzReaderRegistered, __LINE__) = RegisterFuzzReader(FuzzReader{name, seeds, tokens, read})

// ---- Helpers for readers ----

// A path in the run's own folder that no earlier input used.
std::string FuzzTempPath(const char* extension);
void FuzzWriteFile(const std::string& path, const std::string& bytes);
std::string FuzzReadFile(const std::string& path);

// Little-endian pieces for tokens.
std::string FuzzWord(unsigned value);
std::string FuzzDWord(unsigned long value);

// The class name of a framework exception, for fault texts.
std::string FuzzExceptionName(CException* e);
