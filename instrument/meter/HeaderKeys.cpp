#include "instrument/meter/HeaderKeys.h"

#include "common/base/ValueParse.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitTexts.h"

#include <cctype>
#include <cstring>

namespace {

constexpr int kMaxSeries = 80;
constexpr int kPortPitch = 8;
constexpr int kModelChars = 7;

// Two decimal digits at `pos`; -1 when they are not both digits.
int TwoDigits(const fw::CString& text, int pos)
{
    if (pos + 2 > text.GetLength())
        return -1;
    const char a = text[pos];
    const char b = text[pos + 1];
    if (!std::isdigit(static_cast<unsigned char>(a)) || !std::isdigit(static_cast<unsigned char>(b)))
        return -1;
    return (a - '0') * 10 + (b - '0');
}

bool IsIntText(const char* text)
{
    int32_t v = 0;
    return TextToInt(text, &v);
}

bool IntValue(const char* header, const char* key, int& value)
{
    int32_t v = 0;
    if (!TextToInt(HeaderValue(header, key).c_str(), &v))
        return false;
    value = v;
    return true;
}

template <class Check> bool IsList(const char* header, const char* key, int count, Check check)
{
    const fw::CString list = HeaderValue(header, key);
    fw::CString item;
    for (int k = 1; k <= count; ++k) {
        SplitHeaderList(list.c_str(), k, item);
        if (!item.IsEmpty() && !check(item.c_str()))
            return false;
    }
    return true;
}

bool HasItems(const char* header, const char* key, int count)
{
    return CountHeaderItems(HeaderValue(header, key)) == count;
}

// DATE "MM/DD/YYYY": month 1-12, day 1-31, year 2000-2099.
bool IsValidDate(const fw::CString& date)
{
    if (date.GetLength() < 10 || date[2] != '/' || date[5] != '/')
        return false;
    const int month = TwoDigits(date, 0);
    const int day = TwoDigits(date, 3);
    const int century = TwoDigits(date, 6);
    const int year = TwoDigits(date, 8);
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && century == 20 && year >= 0;
}

// TIME "hh:mm:ss": hour 0-23, minute and second 0-59.
bool IsValidTime(const fw::CString& time)
{
    if (time.GetLength() < 8 || time[2] != ':' || time[5] != ':')
        return false;
    const int hour = TwoDigits(time, 0);
    const int minute = TwoDigits(time, 3);
    const int second = TwoDigits(time, 6);
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

bool IsValidSeriesCount(const char* header, int& series)
{
    return IntValue(header, "NUM_SERIES", series) && series >= 1 && series <= kMaxSeries;
}

} // namespace

fw::CString HeaderValue(const char* header, const char* key)
{
    fw::CString value;
    GetHeaderKeyValue(header, key, value);
    return value;
}

void SplitHeaderList(const char* list, int k, fw::CString& item)
{
    item.Empty();
    if (!list || k < 1)
        return;
    const char* p = list;
    for (int i = 1; i < k; ++i) {
        p = std::strchr(p, ',');
        if (!p)
            return;
        ++p;
    }
    const char* end = std::strchr(p, ',');
    item = end ? fw::CString(p, static_cast<int>(end - p)) : fw::CString(p);
}

int CountHeaderItems(const fw::CString& list)
{
    int commas = 0;
    for (char c : list.view())
        commas += c == ',';
    return commas + 1;
}

bool IsIntList(const char* header, const char* key, int count)
{
    return IsList(header, key, count, IsIntText);
}

bool IsFloatList(const char* header, const char* key, int count)
{
    return IsList(header, key, count, [](const char* t) {
        float v = 0;
        return TextToFloat(t, &v);
    });
}

bool IsDoubleList(const char* header, const char* key, int count)
{
    return IsList(header, key, count, [](const char* t) {
        double v = 0;
        return TextToDouble(t, &v);
    });
}

bool IsValidDataHeader(const char* header)
{
    if (HeaderValue(header, "NAME") != "KIV-406")
        return false;
    const fw::CString types = HeaderValue(header, "UNIT_TYPE");
    for (int p = 0; p < CKivUnitTypes::kPorts; ++p) {
        if (p * kPortPitch + kModelChars > types.GetLength())
            return false;
        if (GetUnitTypeCode(types.Mid(p * kPortPitch, kModelChars).c_str()) < 0)
            return false;
    }
    int version = 0;
    int series = 0;
    if (!IntValue(header, "VERSION", version) || !IsValidSeriesCount(header, series))
        return false;
    if (!HasItems(header, "SERIES", series))
        return false;
    if (!IsValidDate(HeaderValue(header, "DATE")) || !IsValidTime(HeaderValue(header, "TIME")))
        return false;
    float interval = 0;
    if (!TextToFloat(HeaderValue(header, "INTERVAL ").c_str(), &interval))
        return false;
    if (version > 1) {
        if (!HasItems(header, "VERT_UNITS", series) || !IsFloatList(header, "SLOPE", series) ||
            !IsFloatList(header, "RATED_OUT", series) || !IsFloatList(header, "CAPACITY", series) ||
            !IsIntList(header, "POINT", series))
            return false;
    }
    double offset = 0;
    return IsDoubleList(header, "Y_OFFSET", series) &&
           TextToDouble(HeaderValue(header, "X_OFFSET").c_str(), &offset) &&
           IsIntText(HeaderValue(header, "NUM_SAMPS").c_str());
}

bool IsValidFrequencyHeader(const char* header)
{
    int version = 0;
    int series = 0;
    if (!IntValue(header, "VERSION", version) || !IsValidSeriesCount(header, series))
        return false;
    for (const char* key : {"SERIES", "OPERATION", "INPUT_CH"}) {
        if (!HasItems(header, key, series))
            return false;
    }
    if (!IsValidTime(HeaderValue(header, "TIME")) || !IsIntText(HeaderValue(header, "FILE_OFFSET ").c_str()))
        return false;
    for (const char* key : {"FULLSCALE", "HYSTERISYS", "SLICE_XP", "SLICE_XM", "Y_OFFSET", "X_OFFSET", "NUM_SAMPS", "POINT"}) {
        if (!IsIntList(header, key, series))
            return false;
    }
    for (const char* key : {"COEFFICIENT", "RATED_OUT", "CAPACITY"}) {
        if (!IsFloatList(header, key, series))
            return false;
    }
    return true;
}

fw::COleDateTime GetHeaderDateTime(const char* header)
{
    const fw::CString date = HeaderValue(header, "DATE");
    const fw::CString time = HeaderValue(header, "TIME");
    const int month = TwoDigits(date, 0);
    const int day = TwoDigits(date, 3);
    const int year = TwoDigits(date, 6) * 100 + TwoDigits(date, 8);
    const int hour = TwoDigits(time, 0);
    const int minute = TwoDigits(time, 3);
    const int second = TwoDigits(time, 6);
    fw::COleDateTime result;
    if (month < 0 || day < 0 || TwoDigits(date, 6) < 0 || TwoDigits(date, 8) < 0 || hour < 0 || minute < 0 ||
        second < 0) {
        result.SetStatus(fw::COleDateTime::invalid);
        return result;
    }
    result.SetDateTime(year, month, day, hour, minute, second);
    return result;
}

void ParseUnitTypes(const char* text, CKivUnitTypes& types)
{
    const fw::CString all(text ? text : "");
    for (int p = 0; p < CKivUnitTypes::kPorts; ++p) {
        int code = 0;
        if (p * kPortPitch + kModelChars <= all.GetLength())
            code = GetUnitTypeCode(all.Mid(p * kPortPitch, kModelChars).c_str());
        types.SetAt(p, code < 0 ? 0 : code);
    }
}

int FindUnitIndex(const char* text)
{
    return FindTextInTable(engunit::kAsciiTexts, engunit::kCount, text);
}
