#include "plataforma/base/dates.h"

#include "plataforma/base/exceptions.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// Days from 1 March of year 0 of the proleptic Gregorian calendar (the civil-days method).
long long DiasCiviles(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

const long long kDia0 = DiasCiviles(1899, 12, 30);

} // namespace

bool IsLeapYear(int Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month) {
    static const int dias[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return dias[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > DaysInMonth(Year, Month))
        return false;
    Date = static_cast<TDateTime>(DiasCiviles(Year, Month, Day) - kDia0);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
    TDateTime d = 0;
    if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
    return d;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day) {
    const long long z = static_cast<long long>(std::floor(Date)) + kDia0;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    Year = static_cast<int>(yoe + era * 400 + (Month <= 2));
}

TDateTime IncMonth(TDateTime Date, int NumberOfMonths) {
    int y = 0, m = 0, d = 0;
    DecodeDate(std::trunc(Date), y, m, d);
    const long long months = static_cast<long long>(y) * 12 + (m - 1) + NumberOfMonths;
    const long long year = months >= 0 ? months / 12 : (months - 11) / 12;
    const int month = static_cast<int>(months - year * 12) + 1;
    if (year < 1 || year > 9999) throw EConvertError("Invalid argument to date encode");
    const int ny = static_cast<int>(year);
    const TDateTime day = EncodeDate(ny, month, std::min(d, DaysInMonth(ny, month)));
    // The time of day goes with the date, on either side of day 0.
    const double time = std::fabs(Date - std::trunc(Date));
    return day + (day < 0 ? -time : time);
}

TDateTime Now() {
    using namespace std::chrono;
    const auto ahora = system_clock::now();
    const std::time_t t = system_clock::to_time_t(ahora);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms = duration_cast<milliseconds>(ahora.time_since_epoch()).count() % 1000;
    const double time =
        ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec + ms / 1000.0) / 86400.0;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) + time;
}
