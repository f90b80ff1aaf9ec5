#include "core/field_reader.h"

#include "core/errors.h"
#include "core/numbers.h"

namespace kestrane {

void RefuseField(const std::string& caption, const std::string& reason)
{
    throw InputError(caption, caption + ": " + reason);
}

void RefuseField(const std::string& caption, UiLanguage language, const LocalText& reason)
{
    RefuseField(caption, std::string(reason(language)));
}

double ReadFieldNumber(const std::string& text, const std::string& caption, UiLanguage language)
{
    const auto value = ParseReal(text);
    if (!value)
        RefuseField(caption, "\"" + text + "\"" + LocalText{" nem érvényes szám.", " is not a valid number."}(language));
    return *value;
}

}  // namespace kestrane
