// The one reader of typed numbers: a value, or a refusal naming the field.
#include "core/errors.h"
#include "core/field_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

TEST(FieldReader, ReadsNumbersAndRefusesOthersNamingTheField)
{
    EXPECT_EQ(ReadFieldNumber(" 12.5 ", "Width", UiLanguage::English), 12.5);
    EXPECT_EQ(ReadFieldNumber("", "Width", UiLanguage::English), 0.0);
    const struct {
        UiLanguage language;
        const char* caption;
        const char* message;
    } cases[] = {
        {UiLanguage::English, "Width", "Width: \"3,5\" is not a valid number."},
        {UiLanguage::Hungarian, "Szélesség", "Szélesség: \"3,5\" nem érvényes szám."},
    };
    for (const auto& c : cases) {
        try {
            ReadFieldNumber("3,5", c.caption, c.language);
            ADD_FAILURE() << "3,5 read";
        } catch (const InputError& e) {
            EXPECT_EQ(e.field(), c.caption);
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

struct Box {
    std::string text;
    std::string other;
};

TEST(FieldReader, FindsAFieldsCaptionInRowsAndInPointersToRows)
{
    using Field = TypedField<Box>;
    const Field rows[] = {{&Box::text, {"Szöveg", "Text"}}, {&Box::other, {"Másik", "Other"}}};
    const Field* const pointers[] = {&rows[1]};
    EXPECT_EQ(CaptionOfField(rows, &Box::other, UiLanguage::English), "Other");
    EXPECT_EQ(CaptionOfField(rows, &Box::text, UiLanguage::Hungarian), "Szöveg");
    EXPECT_EQ(CaptionOfField(pointers, &Box::other, UiLanguage::Hungarian), "Másik");
    EXPECT_EQ(CaptionOfField(pointers, &Box::text, UiLanguage::English), "");  // not among them
}

}  // namespace
}  // namespace kestrane
