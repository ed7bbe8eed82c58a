// The fuzz program: every registered reader of outside data gets its valid seeds, then mutated
// inputs. No input may crash the program, run past a second of processor time, let the heap grow past
// a bound or damage it, or break the reader's promises (Fuzz.h).
//
//   fuzz_readers [--count N] [--seed S] [--reader NAME] [--index I] [--leaks-each] [--hang-seconds N]
//                [--leak-one-in N]
//
// --count: inputs per reader (2000); --seed: the run's seed; --reader: only that reader; --index: only
// that input (it is made again from the seed alone); --leaks-each: names every input after which the
// heap holds more than before it (slow; to find a leak that the bound reported); --hang-seconds: the
// processor time one input may take (1); --leak-one-in: the program itself leaks a block after every
// Nth input, as a leaking reader would (only for the test that the heap bound catches such a leak).
// Exit code: 0 no fault, 1 faults (listed), 2 a crash, 3 a hang. The input of a crash, a hang or a
// fault is written to the current folder as fuzz-<reader>-<index>.bin.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzMutations.h"
#include "tests/tools/HeapCount.h"

#include "framework/core/Exceptions.h"
#include "framework/win/Seams.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
// Processor time one input may take (--hang-seconds; set before the watchdog starts), and the
// wall-clock time after which a wait counts as a hang too.
ULONGLONG g_hangCpu100ns = 10000000;       // 1 s
const ULONGLONG HangWallMs = 20000;
// How far the heap may grow over a reader's run: one-time caches of the platform and the libraries
// fit, a leak of one object per input does not.
const long long LeakBoundBlocks = 200;
const long long LeakBoundBytes = 4 << 20;
// The caches are full after the first half of a reader's inputs: over the second half the heap may
// grow by a few blocks only, however many inputs that half holds. A leak on one input in ten of a
// 2,000-input run (a hundred blocks there), or on one in a few thousand of a long run, fails.
const long long LateLeakBoundBlocks = 16;

// Where --leak-one-in leaks its blocks: each new block replaces the last, which nothing frees.
void* volatile g_pLeaked = nullptr;

std::vector<FuzzReader>& Registry()
{
    static std::vector<FuzzReader> readers;
    return readers;
}

// What the watchdog and the crash filter need to know of the input in hand.
struct CurrentInput
{
    const char* reader = "";
    unsigned long long index = 0;
    const std::string* bytes = nullptr;
};
CurrentInput g_current;
std::atomic<bool> g_busy{false};
std::atomic<ULONGLONG> g_startCpu{0};
std::atomic<ULONGLONG> g_startWall{0};
// Counts the inputs begun, so that the watchdog can tell that the input it timed is still the one in hand.
std::atomic<unsigned long long> g_generation{0};
HANDLE g_hMainThread = nullptr;
std::string g_folder;

std::string SafeName(const char* name)
{
    std::string safe;
    for (const char* p = name; *p != '\0'; ++p)
        safe += (isalnum(static_cast<unsigned char>(*p)) ? *p : '-');
    return safe;
}

std::string KeepInput(const char* reader, unsigned long long index, const std::string& bytes)
{
    const std::string name = "fuzz-" + SafeName(reader) + "-" + std::to_string(index) + ".bin";
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return name;
}

ULONGLONG ThreadCpu(HANDLE hThread)
{
    FILETIME created, ended, kernel, user;
    if (!::GetThreadTimes(hThread, &created, &ended, &kernel, &user))
        return 0;
    auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

void ReportAndEnd(const char* what, unsigned exitCode)
{
    std::string kept = g_current.bytes != nullptr ? KeepInput(g_current.reader, g_current.index, *g_current.bytes) : "";
    std::fprintf(stderr, "\nFUZZ %s: reader \"%s\", input %llu (kept as %s)\n", what, g_current.reader,
                 g_current.index, kept.c_str());
    std::fflush(stderr);
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), exitCode);
}

// The words on a stack that point into the program's own code, innermost first: the functions a hang
// or a crash was in (addr2line -f -e fuzz_readers.exe names them).
std::string ProgramAddresses(DWORD64 rip, const DWORD64* pWords, size_t nWords)
{
    const BYTE* pBase = reinterpret_cast<const BYTE*>(::GetModuleHandleA(nullptr));
    const IMAGE_NT_HEADERS* pHeaders =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
    const DWORD64 low = reinterpret_cast<DWORD64>(pBase);
    const DWORD64 high = low + pHeaders->OptionalHeader.SizeOfImage;
    std::string text;
    char address[32];
    std::snprintf(address, sizeof address, " [%llx]", static_cast<unsigned long long>(rip));
    text += address;
    int found = 0;
    for (size_t i = 0; i < nWords && found < 20; ++i)
    {
        if (pWords[i] >= low && pWords[i] < high)
        {
            std::snprintf(address, sizeof address, " %llx", static_cast<unsigned long long>(pWords[i]));
            text += address;
            ++found;
        }
    }
    return text;
}

// The words of a stack from its top, as far as they are committed memory, up to the buffer's size.
size_t CopyStack(DWORD64 rsp, DWORD64* pBuffer, size_t nMax)
{
    const DWORD64* pWord = reinterpret_cast<const DWORD64*>(rsp);
    size_t n = 0;
    while (n < nMax)
    {
        MEMORY_BASIC_INFORMATION info;
        if (::VirtualQuery(pWord + n, &info, sizeof info) == 0 || info.State != MEM_COMMIT)
            break;
        const size_t nInRegion = (reinterpret_cast<const BYTE*>(info.BaseAddress) + info.RegionSize -
                                  reinterpret_cast<const BYTE*>(pWord + n)) / sizeof(DWORD64);
        for (size_t i = 0; i < nInRegion && n < nMax; ++i, ++n)
            pBuffer[n] = pWord[n];
    }
    return n;
}

// The main thread is held while its stack is copied, and nothing is allocated until it runs again:
// held inside the heap's lock, it would keep the watchdog from ever reporting.
std::string MainThreadStack()
{
    static DWORD64 words[4096];
    if (::SuspendThread(g_hMainThread) == static_cast<DWORD>(-1))
        return std::string();
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FULL;
    size_t nWords = 0;
    const bool bContext = ::GetThreadContext(g_hMainThread, &context) != FALSE;
    if (bContext)
        nWords = CopyStack(context.Rsp, words, sizeof words / sizeof words[0]);
    ::ResumeThread(g_hMainThread);
    return bContext ? ProgramAddresses(context.Rip, words, nWords) : std::string();
}

DWORD WINAPI Watchdog(LPVOID)
{
    for (;;)
    {
        ::Sleep(50);
        // The main thread may finish this input and begin the next while the watchdog reads its
        // times: the start values are read first, and a reading that ends on another input counts
        // for nothing (subtracting a later start would wrap to a huge time).
        const unsigned long long generation = g_generation;
        const ULONGLONG startCpu = g_startCpu;
        const ULONGLONG startWall = g_startWall;
        if (!g_busy)
            continue;
        const ULONGLONG nowCpu = ThreadCpu(g_hMainThread);
        const ULONGLONG nowWall = ::GetTickCount64();
        const ULONGLONG cpu = nowCpu > startCpu ? nowCpu - startCpu : 0;
        const ULONGLONG wall = nowWall > startWall ? nowWall - startWall : 0;
        if ((cpu > g_hangCpu100ns || wall > HangWallMs) && g_busy && generation == g_generation)
        {
            std::fprintf(stderr, "\nthe reader was at:%s\n", MainThreadStack().c_str());
            ReportAndEnd(cpu > g_hangCpu100ns ? "HANG (more processor time than an input may take)" : "HANG (no progress)",
                         3);
        }
    }
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pInfo)
{
    static DWORD64 words[4096];
    const size_t nWords = CopyStack(pInfo->ContextRecord->Rsp, words, sizeof words / sizeof words[0]);
    std::fprintf(stderr, "\nthe reader was at:%s\n", ProgramAddresses(pInfo->ContextRecord->Rip, words, nWords).c_str());
    char what[128];
    std::snprintf(what, sizeof what, "CRASH (exception 0x%08lX at %p)",
                  static_cast<unsigned long>(pInfo->ExceptionRecord->ExceptionCode),
                  pInfo->ExceptionRecord->ExceptionAddress);
    ReportAndEnd(what, 2);
    return EXCEPTION_EXECUTE_HANDLER;
}

struct Options
{
    unsigned long long count = 2000;
    unsigned long long seed = 20240611;
    std::string reader;
    long long index = -1;
    bool leaksEach = false;
    unsigned long long hangSeconds = 1;
    unsigned long long leakOneIn = 0;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--count" && hasValue)
            options.count = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--seed" && hasValue)
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--reader" && hasValue)
            options.reader = argv[++i];
        else if (arg == "--index" && hasValue)
            options.index = std::strtoll(argv[++i], nullptr, 10);
        else if (arg == "--leaks-each")
            options.leaksEach = true;
        else if (arg == "--hang-seconds" && hasValue)
            options.hangSeconds = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--leak-one-in" && hasValue)
            options.leakOneIn = std::strtoull(argv[++i], nullptr, 10);
        else
        {
            std::fprintf(stderr, "fuzz_readers: unknown argument %s\n", arg.c_str());
            return false;
        }
    }
    return true;
}

struct ReaderTally
{
    unsigned long long accepted = 0;
    unsigned long long refused = 0;
    std::vector<std::string> faults;
};

// Runs the reader on one input; a fault is recorded with the input kept.
void RunOne(const FuzzReader& reader, unsigned long long index, const std::string& input, ReaderTally& tally)
{
    g_current = {reader.name, index, &input};
    g_startCpu = ThreadCpu(g_hMainThread);
    g_startWall = ::GetTickCount64();
    ++g_generation;
    g_busy = true;
    std::string fault;
    try
    {
        if (reader.read(input) == FuzzOutcome::Accepted)
            ++tally.accepted;
        else
            ++tally.refused;
    }
    catch (const FuzzFault& e)
    {
        fault = e.what();
    }
    catch (CException* e)
    {
        fault = "a framework exception escaped the reader: " + FuzzExceptionName(e);
        e->Delete();
    }
    catch (const std::exception& e)
    {
        fault = std::string("an exception escaped the reader: ") + e.what();
    }
    catch (...)
    {
        fault = "an unknown exception escaped the reader";
    }
    g_busy = false;
    if (!fault.empty())
    {
        const std::string kept = KeepInput(reader.name, index, input);
        tally.faults.push_back("input " + std::to_string(index) + ": " + fault + " (kept as " + kept + ")");
    }
}
} // namespace

bool RegisterFuzzReader(const FuzzReader& reader)
{
    Registry().push_back(reader);
    return true;
}

const std::vector<FuzzReader>& FuzzReaders()
{
    return Registry();
}

std::string FuzzTempPath(const char* extension)
{
    static unsigned long long counter = 0;
    return g_folder + "\\in" + std::to_string(++counter) + "." + extension;
}

void FuzzWriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FuzzReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string FuzzWord(unsigned value)
{
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string FuzzDWord(unsigned long value)
{
    return FuzzWord(value & 0xFFFF) + FuzzWord((value >> 16) & 0xFFFF);
}

std::string FuzzExceptionName(CException* e)
{
    if (e == nullptr)
        return "(none)";
    const CRuntimeClass* pClass = e->GetRuntimeClass();
    return pClass != nullptr ? pClass->m_lpszClassName : "(unknown class)";
}

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options) || options.hangSeconds == 0)
        return 64;
    g_hangCpu100ns = options.hangSeconds * 10000000ull;

    ::SetUnhandledExceptionFilter(CrashFilter);
    ULONG guarantee = 64 * 1024;
    ::SetThreadStackGuarantee(&guarantee);
    std::set_terminate([] { ReportAndEnd("CRASH (std::terminate)", 2); std::abort(); });
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &g_hMainThread, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    ::CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);

    // A folder of the run's own for the readers that read files.
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    g_folder = std::string(temp) + "fuzz-" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(::GetTickCount64());
    ::CreateDirectoryA(g_folder.c_str(), nullptr);

    // A reader that reports through a message box must not wait for a person. The boxes are only
    // counted: a record of each would grow the heap the leak bound watches.
    struct CountingMessageBox : CMessageBoxSeam
    {
        unsigned long long shown = 0;
        int Show(HWND, LPCTSTR, LPCTSTR, UINT) override
        {
            ++shown;
            return IDOK;
        }
    } messages;
    CScopedMessageBoxSeam scopedMessages(&messages);

    std::printf("fuzz run: seed %llu, %llu inputs per reader\n", options.seed, options.count);
    int faults = 0;
    int readersRun = 0;
    for (const FuzzReader& reader : Registry())
    {
        if (!options.reader.empty() && options.reader != reader.name)
            continue;
        ++readersRun;
        const ULONGLONG started = ::GetTickCount64();
        ReaderTally tally;
        const std::vector<std::string> seeds = reader.seeds();
        const std::vector<std::string> tokens = reader.tokens != nullptr ? reader.tokens() : std::vector<std::string>{};

        if (options.index >= 0)
        {
            const std::string input =
                FuzzMakeInput(FuzzInputSeed(options.seed, reader.name, options.index), seeds, tokens);
            KeepInput(reader.name, options.index, input);
            RunOne(reader, options.index, input, tally);
        }
        else
        {
            // The writer's own output must be read back; it also warms the caches before the heap is counted.
            for (size_t i = 0; i < seeds.size(); ++i)
            {
                ReaderTally one;
                RunOne(reader, i, seeds[i], one);
                if (one.refused != 0)
                    tally.faults.push_back("valid seed " + std::to_string(i) + " refused");
                for (const std::string& fault : one.faults)
                    tally.faults.push_back("seed " + fault);
            }

            const HeapCount before = CountHeap();
            HeapCount last = before;
            HeapCount middle = before;
            const unsigned long long nFirstHalf = options.count / 2;
            for (unsigned long long i = 0; i < options.count; ++i)
            {
                if (i == nFirstHalf)
                    middle = CountHeap();
                const std::string input = FuzzMakeInput(FuzzInputSeed(options.seed, reader.name, i), seeds, tokens);
                RunOne(reader, i, input, tally);
                if (options.leakOneIn != 0 && i % options.leakOneIn == options.leakOneIn - 1)
                    g_pLeaked = new char[16];
                if (options.leaksEach)
                {
                    const HeapCount now = CountHeap();
                    if (now.blocks > last.blocks)
                        std::printf("  input %llu: heap +%lld blocks, %+lld bytes\n", i, now.blocks - last.blocks,
                                    now.bytes - last.bytes);
                    last = now;
                }
            }
            const HeapCount after = CountHeap();
            const long long grownBlocks = after.blocks - before.blocks;
            const long long grownBytes = after.bytes - before.bytes;
            const long long lateBlocks = after.blocks - middle.blocks;
            if (grownBlocks > LeakBoundBlocks || grownBytes > LeakBoundBytes || lateBlocks > LateLeakBoundBlocks)
                tally.faults.push_back("the heap grew by " + std::to_string(grownBytes) + " bytes in " +
                                       std::to_string(grownBlocks) + " blocks, by " + std::to_string(lateBlocks) +
                                       " blocks over the last " + std::to_string(options.count - nFirstHalf) +
                                       " inputs");
            std::printf("%-28s %8llu inputs: %8llu accepted, %8llu refused; heap %+lld blocks (%+lld in the second "
                        "half) %+lld bytes; %.1f s\n",
                        reader.name, options.count, tally.accepted, tally.refused, grownBlocks, lateBlocks, grownBytes,
                        (::GetTickCount64() - started) / 1000.0);
        }
        if (!DamagedHeaps().empty())
            tally.faults.push_back("a heap is damaged: something wrote into a freed block or past the end of one");
        for (const std::string& fault : tally.faults)
            std::printf("  FAULT in %s: %s\n", reader.name, fault.c_str());
        faults += static_cast<int>(tally.faults.size());
        std::fflush(stdout);
    }
    ::RemoveDirectoryA(g_folder.c_str());
    if (readersRun == 0)
    {
        std::fprintf(stderr, "fuzz_readers: no reader named \"%s\"\n", options.reader.c_str());
        return 64;
    }
    if (options.index >= 0)
        std::printf("input %lld: %s\n", options.index, faults == 0 ? "no fault" : "fault");
    std::printf("%d fault(s)\n", faults);
    return faults == 0 ? 0 : 1;
}
