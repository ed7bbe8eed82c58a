#include "framework/core/NumberText.h"

#include <windows.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The Microsoft runtime converts a double to 17 significant digits first and rounds that digit string
// half up to the requested length; beyond 17 digits it writes zeros. Doing the same reproduces its text,
// including "0.13" for "%.2f" of 0.125 and "0.10000000000000001000" for "%.20f" of 0.1.
constexpr int kSourceDigits = 17;

enum class Kind { Finite, Infinity, QuietNaN, Indefinite };

struct Digits {
    std::string digits;  // significant digits; value = 0.d1d2d3... * 10^decimalPos
    int decimalPos = 0;
    bool negative = false;
    bool zero = false;
    Kind kind = Kind::Finite;

    char At(int i) const { return i >= 0 && i < static_cast<int>(digits.size()) ? digits[i] : '0'; }
};

Digits Decompose(double value)
{
    Digits d;
    d.negative = std::signbit(value);
    if (std::isinf(value)) {
        d.kind = Kind::Infinity;
        return d;
    }
    if (std::isnan(value)) {
        // The x87/SSE default NaN (0/0) is negative with an empty payload: the runtime calls it "IND".
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        const std::uint64_t payload = bits & 0x000FFFFFFFFFFFFFull;
        d.kind = (d.negative && payload == 0x0008000000000000ull) ? Kind::Indefinite : Kind::QuietNaN;
        return d;
    }
    if (value == 0.0) {
        d.zero = true;
        d.digits.assign(kSourceDigits, '0');
        d.decimalPos = 0;
        return d;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, kSourceDigits - 1);
    *result.ptr = '\0';
    // "d.dddddddddddddddde+XX"
    d.digits.reserve(kSourceDigits);
    d.digits.push_back(buffer[0]);
    const char* p = buffer + 2;
    while (*p >= '0' && *p <= '9')
        d.digits.push_back(*p++);
    int exponent = 0;
    if (*p == 'e')
        std::from_chars(p[1] == '+' ? p + 2 : p + 1, result.ptr, exponent);
    d.decimalPos = exponent + 1;
    return d;
}

// Rounds to `count` significant digits (half up on the digit string). count 0 keeps no digit but may carry
// into a new leading 1; a negative count leaves nothing (the value is zero at that precision).
Digits Round(const Digits& source, int count)
{
    Digits r = source;
    if (source.zero) {
        r.digits.assign(count > 0 ? count : 0, '0');
        return r;
    }
    if (count < 0) {
        r.digits.clear();
        r.zero = true;
        return r;
    }
    const int available = static_cast<int>(source.digits.size());
    r.digits = source.digits.substr(0, count < available ? count : available);
    r.digits.resize(count, '0');
    if (count < available && source.digits[count] >= '5') {
        int i = count - 1;
        while (i >= 0 && r.digits[i] == '9')
            r.digits[i--] = '0';
        if (i < 0) {
            r.digits.insert(r.digits.begin(), '1');
            r.digits.resize(count > 0 ? count : 1);
            ++r.decimalPos;
        } else {
            ++r.digits[i];
        }
    }
    if (r.digits.find_first_not_of('0') == std::string::npos)
        r.zero = true;
    return r;
}

std::string LayoutFixed(const Digits& d, int precision, bool forcePoint)
{
    std::string text;
    if (d.decimalPos <= 0) {
        text.push_back('0');
    } else {
        for (int i = 0; i < d.decimalPos; ++i)
            text.push_back(d.At(i));
    }
    if (precision > 0 || forcePoint)
        text.push_back('.');
    for (int k = 0; k < precision; ++k) {
        const int position = d.decimalPos + k;
        text.push_back(position < 0 ? '0' : d.At(position));
    }
    return text;
}

std::string LayoutExponent(const Digits& d, int precision, bool forcePoint, bool upper)
{
    std::string text;
    text.push_back(d.At(0));
    if (precision > 0 || forcePoint)
        text.push_back('.');
    for (int k = 1; k <= precision; ++k)
        text.push_back(d.At(k));
    int exponent = d.zero ? 0 : d.decimalPos - 1;
    text.push_back(upper ? 'E' : 'e');
    text.push_back(exponent < 0 ? '-' : '+');
    if (exponent < 0)
        exponent = -exponent;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03d", exponent);
    text += digits;
    return text;
}

// Drops trailing zeros of the fraction (before any exponent); the point goes too unless keepPoint.
void CropZeros(std::string& text, bool keepPoint)
{
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return;
    std::size_t end = text.find_first_of("eE", point);
    if (end == std::string::npos)
        end = text.size();
    std::size_t cut = end;
    while (cut > point + 1 && text[cut - 1] == '0')
        --cut;
    if (cut == point + 1 && !keepPoint)
        cut = point;
    text.erase(cut, end - cut);
}

// The runtime's texts for infinities and NaNs: "1.#INF", "1.#QNAN", "1.#IND", zero-filled to the precision.
std::string SpecialText(const Digits& d, char conversion, int precision)
{
    std::string tail = d.kind == Kind::Infinity ? "#INF" : d.kind == Kind::Indefinite ? "#IND" : "#QNAN";
    const char lower = static_cast<char>(conversion | 0x20);
    if (lower != 'g') {
        while (static_cast<int>(tail.size()) < precision)
            tail.push_back('0');
    }
    std::string text = "1." + tail;
    if (lower == 'e')
        text += conversion == 'E' ? "E+000" : "e+000";
    return text;
}

struct FieldFormat {
    bool left = false, plus = false, space = false, alternate = false, zeroPad = false;
    int width = 0;
    int precision = -1;
};

// Takes one printf flag character into the field; false when ch is no flag.
bool ReadFlag(FieldFormat& field, char ch)
{
    switch (ch) {
    case '-': field.left = true; return true;
    case '+': field.plus = true; return true;
    case ' ': field.space = true; return true;
    case '#': field.alternate = true; return true;
    case '0': field.zeroPad = true; return true;
    default: return false;
    }
}

std::string Pad(std::string sign, std::string body, const FieldFormat& field, bool allowZeroPad)
{
    const int length = static_cast<int>(sign.size() + body.size());
    if (length >= field.width)
        return sign + body;
    const std::size_t fill = static_cast<std::size_t>(field.width - length);
    if (field.left)
        return sign + body + std::string(fill, ' ');
    if (field.zeroPad && allowZeroPad)
        return sign + std::string(fill, '0') + body;
    return std::string(fill, ' ') + sign + body;
}

std::string FormatFloating(double value, char conversion, const FieldFormat& field)
{
    const Digits source = Decompose(value);
    int precision = field.precision < 0 ? 6 : field.precision;
    const char lower = static_cast<char>(conversion | 0x20);
    const bool upper = conversion == 'E' || conversion == 'G';
    std::string body;
    if (source.kind != Kind::Finite) {
        body = SpecialText(source, conversion, precision);
    } else if (lower == 'f') {
        body = LayoutFixed(Round(source, source.decimalPos + precision), precision, field.alternate);
    } else if (lower == 'e') {
        body = LayoutExponent(Round(source, precision + 1), precision, field.alternate, upper);
    } else {
        if (precision == 0)
            precision = 1;
        const Digits rounded = Round(source, precision);
        const int exponent = rounded.zero ? 0 : rounded.decimalPos - 1;
        if (exponent < -4 || exponent >= precision)
            body = LayoutExponent(rounded, precision - 1, field.alternate, upper);
        else
            body = LayoutFixed(rounded, precision - 1 - exponent, field.alternate);
        if (!field.alternate)
            CropZeros(body, false);
    }
    std::string sign = source.negative ? "-" : field.plus ? "+" : field.space ? " " : "";
    return Pad(sign, body, field, true);
}

std::string FormatInteger(const FieldFormat& field, char conversion, long long signedValue, unsigned long long unsignedValue)
{
    std::string format = "%";
    if (field.left) format += '-';
    if (field.plus) format += '+';
    if (field.space) format += ' ';
    if (field.alternate) format += '#';
    if (field.zeroPad) format += '0';
    if (field.width > 0) format += std::to_string(field.width);
    if (field.precision >= 0) format += '.' + std::to_string(field.precision);
    format += "ll";
    format += conversion;
    char small[128];
    const bool isSigned = conversion == 'd' || conversion == 'i';
    int length = isSigned ? std::snprintf(small, sizeof small, format.c_str(), signedValue)
                          : std::snprintf(small, sizeof small, format.c_str(), unsignedValue);
    if (length < 0)
        return std::string();
    if (length < static_cast<int>(sizeof small))
        return std::string(small, static_cast<std::size_t>(length));
    std::vector<char> large(static_cast<std::size_t>(length) + 1);
    if (isSigned)
        std::snprintf(large.data(), large.size(), format.c_str(), signedValue);
    else
        std::snprintf(large.data(), large.size(), format.c_str(), unsignedValue);
    return std::string(large.data(), static_cast<std::size_t>(length));
}

std::string WideToAnsi(const wchar_t* text, int precision)
{
    int length = 0;
    while (text[length] && (precision < 0 || length < precision))
        ++length;
    if (length == 0)
        return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

enum class Size { Default, Char, Short, Long, LongLong, LongDouble, Pointer, Wide };

} // namespace

namespace NumberText {

std::string FormatV(const char* format, va_list args)
{
    std::string out;
    if (!format)
        return out;
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            if (!next) {
                out.append(p);
                break;
            }
            out.append(p, static_cast<std::size_t>(next - p));
            p = next;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out.push_back('%');
            ++p;
            continue;
        }
        FieldFormat field;
        while (ReadFlag(field, *p))
            ++p;
        if (*p == '*') {
            field.width = va_arg(args, int);
            if (field.width < 0) {
                field.left = true;
                field.width = -field.width;
            }
            ++p;
        } else {
            while (*p >= '0' && *p <= '9')
                field.width = field.width * 10 + (*p++ - '0');
        }
        if (*p == '.') {
            ++p;
            field.precision = 0;
            if (*p == '*') {
                field.precision = va_arg(args, int);
                if (field.precision < 0)
                    field.precision = -1;
                ++p;
            } else {
                while (*p >= '0' && *p <= '9')
                    field.precision = field.precision * 10 + (*p++ - '0');
            }
        }
        Size size = Size::Default;
        if (p[0] == 'h' && p[1] == 'h') { size = Size::Char; p += 2; }
        else if (p[0] == 'h') { size = Size::Short; ++p; }
        else if (p[0] == 'l' && p[1] == 'l') { size = Size::LongLong; p += 2; }
        else if (p[0] == 'l') { size = Size::Long; ++p; }
        else if (p[0] == 'L') { size = Size::LongDouble; ++p; }
        else if (p[0] == 'q' || p[0] == 'j') { size = Size::LongLong; ++p; }
        else if (p[0] == 'z' || p[0] == 't') { size = Size::Pointer; ++p; }
        else if (p[0] == 'w') { size = Size::Wide; ++p; }
        else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { size = Size::LongLong; p += 3; }
        else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') { size = Size::Default; p += 3; }
        else if (p[0] == 'I') { size = Size::Pointer; ++p; }

        const char conversion = *p;
        if (conversion == '\0') {
            out.append(start);
            break;
        }
        ++p;
        switch (conversion) {
        case 'd':
        case 'i': {
            long long v;
            switch (size) {
            case Size::Char: v = static_cast<signed char>(va_arg(args, int)); break;
            case Size::Short: v = static_cast<short>(va_arg(args, int)); break;
            case Size::Long: v = va_arg(args, long); break;
            case Size::LongLong: v = va_arg(args, long long); break;
            case Size::Pointer: v = va_arg(args, std::ptrdiff_t); break;
            default: v = va_arg(args, int); break;
            }
            out += FormatInteger(field, conversion, v, 0);
            break;
        }
        case 'u':
        case 'o':
        case 'x':
        case 'X': {
            unsigned long long v;
            switch (size) {
            case Size::Char: v = static_cast<unsigned char>(va_arg(args, unsigned)); break;
            case Size::Short: v = static_cast<unsigned short>(va_arg(args, unsigned)); break;
            case Size::Long: v = va_arg(args, unsigned long); break;
            case Size::LongLong: v = va_arg(args, unsigned long long); break;
            case Size::Pointer: v = va_arg(args, std::size_t); break;
            default: v = va_arg(args, unsigned); break;
            }
            out += FormatInteger(field, conversion, 0, v);
            break;
        }
        case 'p': {
            // The runtime writes a pointer as 16 upper-case hex digits on Win64.
            const void* v = va_arg(args, void*);
            char text[32];
            std::snprintf(text, sizeof text, "%016llX",
                          static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(v)));
            out += Pad("", text, field, false);
            break;
        }
        case 'c':
        case 'C': {
            const int v = va_arg(args, int);
            std::string text;
            if (conversion == 'C' || size == Size::Long || size == Size::Wide) {
                const wchar_t wide[2] = {static_cast<wchar_t>(v), 0};
                text = WideToAnsi(wide, -1);
            } else {
                text.push_back(static_cast<char>(v));
            }
            out += Pad("", text, field, false);
            break;
        }
        case 's':
        case 'S': {
            std::string text;
            if (conversion == 'S' || size == Size::Long || size == Size::Wide) {
                const wchar_t* v = va_arg(args, const wchar_t*);
                text = v ? WideToAnsi(v, field.precision) : std::string("(null)");
            } else {
                const char* v = va_arg(args, const char*);
                if (!v)
                    v = "(null)";
                std::size_t length = 0;
                while (v[length] && (field.precision < 0 || length < static_cast<std::size_t>(field.precision)))
                    ++length;
                text.assign(v, length);
            }
            out += Pad("", text, field, false);
            break;
        }
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G': {
            const double v = size == Size::LongDouble ? static_cast<double>(va_arg(args, long double))
                                                      : va_arg(args, double);
            out += FormatFloating(v, conversion, field);
            break;
        }
        case 'n':
            // Disabled as in the runtime's secure mode: a format text must never write to memory.
            (void)va_arg(args, void*);
            break;
        default:
            // Unknown conversion: keep the text as written.
            out.append(start, static_cast<std::size_t>(p - start));
            break;
        }
    }
    return out;
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    return text;
}

std::string FormatDouble(double value, char conversion, int precision, const char* flags, int width)
{
    FieldFormat field;
    for (const char* f = flags ? flags : ""; *f; ++f)
        ReadFlag(field, *f);
    field.width = width;
    field.precision = precision;
    return FormatFloating(value, conversion, field);
}

std::string Gcvt(double value, int digits)
{
    if (digits < 1)
        digits = 1;
    const Digits source = Decompose(value);
    std::string body;
    if (source.kind != Kind::Finite) {
        body = SpecialText(source, 'g', 0);
    } else {
        // The choice between the forms looks at the unrounded exponent, as the runtime does.
        const int magnitude = source.zero ? -1 : source.decimalPos - 1;
        if (magnitude < -1 || magnitude > digits - 1)
            body = LayoutExponent(Round(source, digits), digits - 1, true, false);
        else
            body = LayoutFixed(Round(source, digits), digits - source.decimalPos, true);
        CropZeros(body, true);
    }
    return source.negative ? "-" + body : body;
}

char* Gcvt(double value, int digits, char* buffer, std::size_t size)
{
    if (!buffer || size == 0)
        return buffer;
    const std::string text = Gcvt(value, digits);
    const std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return buffer;
}

namespace {
std::string DigitText(const Digits& d, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text.push_back(d.At(i));
    return text;
}

std::string SpecialDigits(const Digits& d, int* decimalPos)
{
    if (decimalPos)
        *decimalPos = 1;
    return d.kind == Kind::Infinity ? "1#INF" : d.kind == Kind::Indefinite ? "1#IND" : "1#QNAN";
}
} // namespace

std::string Fcvt(double value, int decimals, int* decimalPos, int* isNegative)
{
    const Digits source = Decompose(value);
    if (isNegative)
        *isNegative = source.negative ? 1 : 0;
    if (source.kind != Kind::Finite)
        return SpecialDigits(source, decimalPos);
    const Digits rounded = Round(source, source.decimalPos + decimals);
    if (decimalPos)
        *decimalPos = rounded.decimalPos;
    const int count = rounded.decimalPos + decimals;
    return count > 0 ? DigitText(rounded, count) : std::string();
}

std::string Ecvt(double value, int digits, int* decimalPos, int* isNegative)
{
    const Digits source = Decompose(value);
    if (isNegative)
        *isNegative = source.negative ? 1 : 0;
    if (source.kind != Kind::Finite)
        return SpecialDigits(source, decimalPos);
    if (digits < 1)
        digits = 1;
    const Digits rounded = Round(source, digits);
    if (decimalPos)
        *decimalPos = rounded.decimalPos;
    return DigitText(rounded, digits);
}

} // namespace NumberText
