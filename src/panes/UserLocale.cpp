#include "panes/UserLocale.h"

#include <windows.h>

int CompareFileNames(const std::wstring& a, const std::wstring& b)
{
    const int result = ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE | SORT_DIGITSASNUMBERS, a.c_str(),
                                         static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), nullptr,
                                         nullptr, 0);
    // 0 is a failure (an unknown flag on an old system): fall back on the code points.
    return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

std::uint64_t CurrentFileTime()
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::wstring LocalTimeText(std::uint64_t fileTime)
{
    FILETIME utc;
    utc.dwLowDateTime = static_cast<DWORD>(fileTime & 0xFFFFFFFFu);
    utc.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SYSTEMTIME universal;
    SYSTEMTIME local;
    if (!::FileTimeToSystemTime(&utc, &universal) || !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return std::wstring();
    wchar_t date[80] = {};
    wchar_t time[80] = {};
    if (!::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 80, nullptr) ||
        !::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, 80))
        return std::wstring();
    return std::wstring(date) + L" " + time;
}

std::wstring DecimalMark()
{
    wchar_t mark[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, mark, 8) <= 1)
        return L".";
    return mark;
}
