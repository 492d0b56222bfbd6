// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer harness for astro::ParseLeadingNumber: any text must give a number, never NaN, and
// the same number glibc's strtod reads from the prefix the parse is documented to take.

#include "astro/sidereal.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The documented number prefix: blanks and tabs, a sign, digits with at most one point.
std::string numberPrefix(std::string_view text, bool &hasDigit)
{
    std::size_t position = text.find_first_not_of(" \t");
    if (position == std::string_view::npos)
        position = text.size();
    std::string prefix;
    if (position < text.size() && (text[position] == '+' || text[position] == '-'))
        prefix += text[position++];
    bool hasPoint = false;
    hasDigit = false;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (c >= '0' && c <= '9') {
            hasDigit = true;
        } else if (c == '.' && !hasPoint) {
            hasPoint = true;
        } else {
            break;
        }
        prefix += c;
    }
    return prefix;
}

[[noreturn]] void fail(std::string_view text, double want, double got)
{
    std::fprintf(stderr, "ParseLeadingNumber(\"%.*s\"): want %.17g, got %.17g\n",
                 static_cast<int>(text.size()), text.data(), want, got);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const double got = astro::ParseLeadingNumber(text);
    if (std::isnan(got))
        fail(text, 0.0, got);

    bool hasDigit = false;
    const std::string prefix = numberPrefix(text, hasDigit);
    if (!hasDigit) {
        if (got != 0.0)
            fail(text, 0.0, got);
        return 0;
    }
    // The harness never sets a locale, so strtod reads "." as the decimal point, as wanted.
    errno = 0;
    const double want = std::strtod(prefix.c_str(), nullptr);
    const bool underflow = errno == ERANGE && std::fabs(want) < DBL_MIN;
    // A fraction too small for a normal double may come back as 0 instead of a subnormal.
    if (got != want && !(underflow && got == 0.0))
        fail(text, want, got);
    return 0;
}
