// Number texts exactly as the Microsoft C runtime writes them.
//
// The programs' texts (files, edits, labels) were made by the Microsoft runtime: exponents have at least
// three digits ("5.00e-004"), _gcvt keeps a whole number's decimal point ("2."), and digits come from a
// 17-significant-digit conversion rounded half up. MinGW's printf and Wine's _gcvt write other texts, so
// every floating-point value that becomes text goes through these functions instead.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

namespace NumberText {

// printf semantics (flags, width, precision, '*', length modifiers hh h l ll L j z t I I32 I64;
// conversions d i u o x X c s S p e E f F g G %). Floating point gets the Microsoft text; %n writes nothing.
std::string Format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

// One double through one floating conversion: conversion is one of e E f F g G; flags any of "-+ #0".
std::string FormatDouble(double value, char conversion, int precision = 6, const char* flags = "", int width = 0);

// _gcvt: `digits` significant digits; exponent form when the decimal exponent is below -1 or above
// digits-1, else fixed; trailing zeros dropped, the decimal point always kept ("2.", "5.e-002").
std::string Gcvt(double value, int digits);
// The same into a caller's buffer of `size` bytes (truncated, always terminated); returns buffer.
char* Gcvt(double value, int digits, char* buffer, std::size_t size);

// _fcvt: the digits of value rounded to `decimals` places after the point, without point or sign;
// *decimalPos receives the position of the point relative to the digits, *isNegative the sign.
std::string Fcvt(double value, int decimals, int* decimalPos, int* isNegative);
// _ecvt: `digits` significant digits, same outputs as Fcvt.
std::string Ecvt(double value, int digits, int* decimalPos, int* isNegative);

} // namespace NumberText
