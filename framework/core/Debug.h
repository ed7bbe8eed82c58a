#pragma once
// Diagnostic macros. Release builds compile the checks away; the operands are still
// named in an unevaluated context so variables used only in a check raise no warnings.
// VERIFY always evaluates its expression.

#include <windows.h>

#ifdef _DEBUG
#include <cstdio>
#include <cstdlib>

inline void AfxAssertFailedLine(const char* fileName, int line)
{
    char text[512];
    std::snprintf(text, sizeof text, "Assertion failed: %s(%d)\n", fileName, line);
    ::OutputDebugStringA(text);
    std::fputs(text, stderr);
    std::abort();
}

template <class T>
inline void AfxAssertValidObject(const T* object, const char* fileName, int line)
{
    if (object == nullptr)
        AfxAssertFailedLine(fileName, line);
    else
        object->AssertValid();
}

#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) AfxAssertValidObject((pOb), __FILE__, __LINE__)
#else
#define ASSERT(f) ((void)sizeof(!(f)))
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)sizeof(pOb))
#endif

// Trace output is not kept in any build; the arguments are never evaluated.
template <class... Args>
inline void AfxTraceNothing(const Args&...) {}

#define TRACE(...) (false ? AfxTraceNothing(__VA_ARGS__) : (void)0)
#define TRACE0(sz) TRACE(sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)
