// SPDX-License-Identifier: GPL-3.0-or-later
#include "sidereal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace astro {

namespace {

constexpr double HOURS_PER_DAY = 24.0;
constexpr double MINUTES_PER_HOUR = 60.0;
constexpr double SECONDS_PER_HOUR = 3600.0;

// Modified Julian Date (days) = 365 y + B + Int(30.6001 (m + 1)) + D - 679004 + hours / 24,
// a day count over years that start in March, so that the leap day ends its year.
constexpr double DAYS_PER_COMMON_YEAR = 365.0;
// 30.6 days per month from March on, raised so that Int never falls a day short by rounding.
constexpr double DAYS_PER_MONTH_FROM_MARCH = 30.6001;
// The day count of 1858 November 17, where the Modified Julian Date starts (days).
constexpr double DAY_COUNT_AT_MJD_ZERO = 679004.0;

// Greenwich mean sidereal time (seconds of time) at 0 h UT, T Julian centuries from J2000.0:
// 24110.54841 + 8640184.812866 T + 0.093104 T^2 - 0.0000062 T^3.
constexpr double GMST_AT_J2000_HOURS = 6.697374558; // 24110.54841 s
constexpr double GMST_SECONDS_PER_CENTURY = 8640184.812866;
constexpr double GMST_SECONDS_PER_CENTURY_SQUARED = 0.093104;
constexpr double GMST_SECONDS_PER_CENTURY_CUBED = -0.0000062;
// Sidereal hours that pass in one hour of universal time.
constexpr double SIDEREAL_HOURS_PER_SOLAR_HOUR = 1.0027379093;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Days from 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's algorithm).
long long daysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void civilFromDays(long long days, int &year, int &month, int &day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(static_cast<long long>(yearOfEra) + era * 400 + (month <= 2));
}

} // namespace

double ParseLeadingNumber(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && (text[position] == ' ' || text[position] == '\t'))
        ++position;

    std::string number;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        if (text[position] == '-')
            number += '-';
        ++position;
    }
    bool sawDigit = false;
    bool sawPoint = false;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (isDigit(c)) {
            sawDigit = true;
            number += c;
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
            number += c;
        } else {
            break;
        }
    }
    if (!sawDigit)
        return 0.0;

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow; tiny fractions underflow to 0.
        const bool huge = number.find_first_not_of("-0.", 0) < number.find('.');
        if (!huge)
            return 0.0;
        return number.front() == '-' ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    }
    return value;
}

CivilDateTime GreenwichFromLocal(const CivilDateTime &local, bool daylightSaving)
{
    const int offsetHours = daylightSaving ? 2 : 1;
    long long days = daysFromCivil(local.year, static_cast<unsigned>(local.month),
                                   static_cast<unsigned>(local.day));
    int hour = local.hour - offsetHours;
    if (hour < 0) {
        hour += 24;
        --days;
    }
    CivilDateTime greenwich = local;
    greenwich.hour = hour;
    civilFromDays(days, greenwich.year, greenwich.month, greenwich.day);
    return greenwich;
}

double ModifiedJulianDate(int year, int month, int day, int hour, int minute, int second)
{
    double y = year;
    double m = month;
    if (month <= 2) {
        y = year - 1;
        m = month + 12;
    }
    const double b = std::floor(y / 400.0) - std::floor(y / 100.0) + std::floor(y / 4.0);
    return (DAYS_PER_COMMON_YEAR * y - DAY_COUNT_AT_MJD_ZERO) + b +
           std::floor(DAYS_PER_MONTH_FROM_MARCH * (m + 1.0)) + day +
           SexagesimalSum(hour, minute, second) / HOURS_PER_DAY;
}

double GreenwichSiderealHours(double modifiedJulianDate)
{
    const double dayStart = std::floor(modifiedJulianDate);
    const double t = (dayStart - J2000_MJD) / DAYS_PER_JULIAN_CENTURY;
    const double ut = (modifiedJulianDate - dayStart) * HOURS_PER_DAY;
    const double g = GMST_AT_J2000_HOURS + SIDEREAL_HOURS_PER_SOLAR_HOUR * ut +
                     (GMST_SECONDS_PER_CENTURY +
                      (GMST_SECONDS_PER_CENTURY_SQUARED + GMST_SECONDS_PER_CENTURY_CUBED * t) * t) *
                         t / SECONDS_PER_HOUR;
    return (g / HOURS_PER_DAY - std::floor(g / HOURS_PER_DAY)) * HOURS_PER_DAY;
}

double LocalSiderealHours(double greenwichSiderealHours, double longitudeDegrees)
{
    double l = greenwichSiderealHours + longitudeDegrees / DEGREES_PER_HOUR;
    if (l > HOURS_PER_DAY)
        l -= HOURS_PER_DAY;
    if (l < 0.0)
        l += HOURS_PER_DAY;
    return l;
}

double HourAngleHours(double localSiderealHours, double rightAscensionHours)
{
    if (localSiderealHours - rightAscensionHours < 0.0)
        return HOURS_PER_DAY - (rightAscensionHours - localSiderealHours);
    return localSiderealHours - rightAscensionHours;
}

SplitTime SplitHours(double hours)
{
    const double whole = std::floor(hours);
    // Guard the float-to-int conversions, which are undefined out of range.
    if (!std::isfinite(hours) || whole < std::numeric_limits<int>::min() ||
        whole > std::numeric_limits<int>::max())
        return {};
    SplitTime split;
    split.hours = static_cast<int>(whole);
    if (split.hours >= 24)
        split.hours -= 24;
    const double fractionMinutes = (hours - whole) * MINUTES_PER_HOUR;
    split.minutes = static_cast<int>(std::floor(fractionMinutes));
    split.seconds =
        static_cast<int>(std::floor((fractionMinutes - split.minutes) * MINUTES_PER_HOUR));
    return split;
}

SiderealReadings ComputeSiderealReadings(const CivilDateTime &local, bool daylightSaving,
                                         double longitudeDegrees, double raHours, double raMinutes,
                                         double raSeconds)
{
    SiderealReadings readings;
    readings.local = local;
    readings.rightAscensionHours = SexagesimalSum(raHours, raMinutes, raSeconds);
    readings.greenwich = GreenwichFromLocal(local, daylightSaving);
    const CivilDateTime &g = readings.greenwich;
    readings.modifiedJulianDate =
        ModifiedJulianDate(g.year, g.month, g.day, g.hour, g.minute, g.second);
    readings.localSiderealHours =
        LocalSiderealHours(GreenwichSiderealHours(readings.modifiedJulianDate), longitudeDegrees);
    readings.hourAngleHours =
        HourAngleHours(readings.localSiderealHours, readings.rightAscensionHours);
    readings.siderealSplit = SplitHours(readings.localSiderealHours);
    readings.hourAngleSplit = SplitHours(readings.hourAngleHours);
    return readings;
}

} // namespace astro
