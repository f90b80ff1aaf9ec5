// Reading a typed field of a window: a number or a refusal that names the
// field by its caption, in the interface language.
#pragma once

#include "core/types.h"

#include <string>

namespace kestrane {

// Refuses the field `caption`: throws InputError(caption, "CAPTION: REASON").
[[noreturn]] void RefuseField(const std::string& caption, const std::string& reason);

// The same with the reason in both languages.
[[noreturn]] void RefuseField(const std::string& caption, UiLanguage language, const LocalText& reason);

// The number typed in the field `caption` (ParseReal: "." as decimal point,
// blank text is 0). Anything else is refused:
// "Szélesség: \"3,5\" nem érvényes szám." / "Width: \"3,5\" is not a valid number."
double ReadFieldNumber(const std::string& text, const std::string& caption, UiLanguage language);

// A typed field of a window: the member of its inputs that holds the text,
// and the caption that names it.
template <class Input>
struct TypedField {
    const std::string Input::*text;
    LocalText caption;

    double Read(const Input& input, UiLanguage language) const
    {
        return ReadFieldNumber(input.*text, caption(language), language);
    }
};

// A field of a table of fields, given as the row or a pointer to it.
template <class Field>
const Field& FieldRow(const Field& field)
{
    return field;
}
template <class Field>
const Field& FieldRow(const Field* field)
{
    return *field;
}

// The caption, in `language`, of the field among `fields` (rows with
// `text` and `caption`, or pointers to them) whose member is `text`; empty
// when none is.
template <class Fields, class Text>
std::string CaptionOfField(const Fields& fields, Text text, UiLanguage language)
{
    for (const auto& entry : fields)
        if (const auto& field = FieldRow(entry); field.text == text)
            return field.caption(language);
    return {};
}

}  // namespace kestrane
