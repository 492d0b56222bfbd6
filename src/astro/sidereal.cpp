#include "sidereal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace astro {

namespace {

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

double RightAscensionHours(double hours, double minutes, double seconds)
{
    return SexagesimalSum(hours, minutes, seconds);
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
    return (365.0 * y - 679004.0) + b + std::floor(30.6001 * (m + 1.0)) + day +
           (hour + minute / 60.0 + second / 3600.0) / 24.0;
}

double GreenwichSiderealHours(double modifiedJulianDate)
{
    const double dayStart = std::floor(modifiedJulianDate);
    const double t = (dayStart - J2000_MJD) / DAYS_PER_JULIAN_CENTURY;
    const double ut = (modifiedJulianDate - dayStart) * 24.0;
    // The bracket is in seconds of time; 1.0027379093 is sidereal per solar time.
    const double g = 6.697374558 + 1.0027379093 * ut +
                     (8640184.812866 + (0.093104 - 0.0000062 * t) * t) * t / 3600.0;
    return (g / 24.0 - std::floor(g / 24.0)) * 24.0;
}

double LocalSiderealHours(double greenwichSiderealHours, double longitudeDegrees)
{
    double l = greenwichSiderealHours + longitudeDegrees / DEGREES_PER_HOUR;
    if (l > 24.0)
        l -= 24.0;
    if (l < 0.0)
        l += 24.0;
    return l;
}

double HourAngleHours(double localSiderealHours, double rightAscensionHours)
{
    if (localSiderealHours - rightAscensionHours < 0.0)
        return 24.0 - (rightAscensionHours - localSiderealHours);
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
    const double fractionMinutes = (hours - whole) * 60.0;
    split.minutes = static_cast<int>(std::floor(fractionMinutes));
    split.seconds = static_cast<int>(std::floor((fractionMinutes - split.minutes) * 60.0));
    return split;
}

SiderealReadings ComputeSiderealReadings(const CivilDateTime &local, bool daylightSaving,
                                         double longitudeDegrees, double raHours, double raMinutes,
                                         double raSeconds)
{
    SiderealReadings readings;
    readings.local = local;
    readings.rightAscensionHours = RightAscensionHours(raHours, raMinutes, raSeconds);
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
