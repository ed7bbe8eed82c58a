// Parses 100,000 formulas of mixed shape and one 200-node formula 10,000 times, regenerates their
// text, and prints microseconds per formula. Prints figures only; never fails.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "grid/formula/EngineState.h"
#include "grid/formula/FormulaParser.h"
#include "grid/formula/FormulaText.h"
#include "grid/formula/ParsedFormula.h"

namespace
{
double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1e6 / double(frequency.QuadPart);
}

std::string MixedFormula(int i)
{
    const int row = 1 + (i * 7919) % 60000;
    const std::string r = std::to_string(row);
    const std::string r2 = std::to_string(row + 3);
    switch (i % 8) {
    case 0: return "=A" + r + "+B" + r + "*2";
    case 1: return "=(A" + r + "+$B$" + r + ")/(C" + r2 + "-1.5)";
    case 2: return "=\"item " + std::to_string(i) + "\\t\"&D" + r;
    case 3: return "=A1..C" + r;
    case 4: return "=((A" + r + "+1)*(B" + r + "-2))/((C" + r2 + "+3)*(D" + r2 + "-4))";
    case 5: return "=A" + r + ">0?(B" + r + "):C" + r2 + "..D" + r2;
    case 6: return "=0x" + std::to_string(1000 + i % 9000) + "&A" + r + "|#{1,-1}";
    default: return "=E" + r + "%+F" + r + "**2;E" + r + ">=0//check " + std::to_string(i);
    }
}

// 200 nodes: a negated cell and 99 further operands (cells, numbers, strings, ranges).
std::string LargestFormula()
{
    std::string text = "=-A1";
    const char* ops[] = {"+", "*", "-", "/"};
    // Pieces are appended one at a time (GCC 12 warns wrongly about "literal" + std::string here).
    auto append = [&text](const char* before, int number, const char* after) {
        text += before;
        text += std::to_string(number);
        text += after;
    };
    for (int i = 0; i < 99; ++i) {
        text += ops[i % 4];
        switch (i % 4) {
        case 0: append("B", i + 1, ""); break;
        case 1: append("(", i, ".25)"); break;
        case 2: append("\"s", i, "\""); break;
        // The right cell of a range is made before it is merged into the left one: no range last.
        default:
            append("C", i + 1, "..");
            append("D", i + 9, "");
            break;
        }
    }
    return text;
}

// A benchmark formula that does not parse is a fault of the benchmark: say which.
void NoteFailure(const std::string& text, int& failures)
{
    if (failures++ < 10)
        std::printf("does not parse (error %d at %d): %.60s\n", int(GetLastErrorCode()), int(GetLastErrorPosition()),
                    text.c_str());
}

void Report(const char* what, double microseconds, int count)
{
    std::printf("%-44s %10.3f us per formula (%d formulas, %.1f ms)\n", what, microseconds / count, count,
                microseconds / 1000.0);
}
}  // namespace

int main()
{
    const int mixedCount = 100000;
    std::vector<std::string> texts;
    texts.reserve(mixedCount);
    for (int i = 0; i < mixedCount; ++i)
        texts.push_back(MixedFormula(i));
    std::vector<GX_EXPRESSION> parsed(mixedCount);

    double start = Now();
    int failures = 0;
    for (int i = 0; i < mixedCount; ++i)
        if (!ParseFormula(0, texts[i].c_str(), &parsed[i]))
            NoteFailure(texts[i], failures);
    Report("parse, mixed shapes", Now() - start, mixedCount);

    std::string text;
    std::size_t characters = 0;
    start = Now();
    for (int i = 0; i < mixedCount; ++i) {
        FormulaText(0, &parsed[i], text);
        characters += text.size();
    }
    Report("regenerate, mixed shapes", Now() - start, mixedCount);
    for (GX_EXPRESSION& expr : parsed)
        ClearExpression(expr);

    const int largestCount = 10000;
    const std::string largest = LargestFormula();
    GX_EXPRESSION expr{};
    double parseTime = 0, textTime = 0;
    int nodes = 0;
    for (int i = 0; i < largestCount; ++i) {
        start = Now();
        if (!ParseFormula(0, largest.c_str(), &expr))
            NoteFailure(largest, failures);
        double parsedAt = Now();
        FormulaText(0, &expr, text);
        textTime += Now() - parsedAt;
        parseTime += parsedAt - start;
        characters += text.size();
        nodes = expr.nodeCount;
        ClearExpression(expr);
    }
    Report("parse, one 200-node formula", parseTime, largestCount);
    Report("regenerate, one 200-node formula", textTime, largestCount);
    std::printf("nodes in the largest formula: %d; failed parses: %d; characters written: %zu\n", nodes, failures,
                characters);
    return 0;
}
