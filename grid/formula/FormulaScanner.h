#pragma once
// The formula scanner: cuts formula text into GX_TOKENs by longest match, the earlier rule winning
// between matches of equal length, each token carrying the byte offset where it starts.
//
// Rules in order: cell reference ("$"? 1-3 letters "$"? 1-7 digits), identifier, "@" function name,
// string, hex number, three number forms (exponent with a lower-case "e" only), "//" comment, the
// operators and punctuation (with the words "#AND#", "#OR#", "#NOT#" and "/*XOR*/" in any case),
// blanks (skipped), any other character (the bad-character token, 223).

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "framework/core/Object.h"
#include "grid/formula/FormulaTypes.h"

class GX_PARSE_STATE : public CObject
{
public:
    // Size of the first input buffer; it doubles while the text does not fit.
    static constexpr std::size_t kInitialBufferSize = 16384;

    GX_PARSE_STATE();
    ~GX_PARSE_STATE() override;  // releases the input buffer

    // Starts a new text: the position counter and the read offset go to 0 and whatever was buffered
    // from a previous text is discarded.
    void SetInput(const char* text);
    // The next token; after the end of the text the end token (40) with the position equal to the
    // characters consumed. When the input buffer could not grow, the bad-character token with the
    // error code 5 ("out of memory").
    GX_TOKEN NextToken();

    // How the input buffer grows; tests put a failing one here.
    void* (*m_pfnRealloc)(void* block, std::size_t size);

    char* m_pBuffer = nullptr;         // the text, then two zero bytes
    std::size_t m_nBufferSize = 0;     // bytes usable for text
    std::size_t m_nChars = 0;          // characters in the buffer
    std::size_t m_nScan = 0;           // scan offset into the buffer
    const char* m_pText = nullptr;     // the formula text
    std::size_t m_nTextLength = 0;
    std::size_t m_nRead = 0;           // read offset into the formula text
    int32_t m_nPosition = 0;           // running position counter
    BOOL m_bFirstUse = TRUE;
    BOOL m_bOutOfMemory = FALSE;

private:
    GX_PARSE_STATE(const GX_PARSE_STATE&) = delete;
    GX_PARSE_STATE& operator=(const GX_PARSE_STATE&) = delete;

    bool Fill();
};

// The process-wide scanner state, created on first use.
GX_PARSE_STATE* GetParseState();
