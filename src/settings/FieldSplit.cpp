#include "settings/FieldSplit.h"

std::vector<std::wstring> SplitFields(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> fields;
    if (text.empty())
        return fields;
    size_t start = 0;
    for (size_t found = text.find(separator); found != std::wstring::npos; found = text.find(separator, start)) {
        fields.push_back(text.substr(start, found - start));
        start = found + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}
