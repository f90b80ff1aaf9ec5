#include "core/field_reader.h"

#include "core/cp1250.h"
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
        RefuseField(caption, language == UiLanguage::Hungarian ? QuotedValue(text, "bájt") + " nem érvényes szám."
                                                               : QuotedValue(text) + " is not a valid number.");
    return *value;
}

}  // namespace kestrane
