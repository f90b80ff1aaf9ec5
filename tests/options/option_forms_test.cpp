// The rows every option table builds alike: what an option sets, it gives
// back as the values that set it again.
#include "options/option_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

enum class Shade { Light, Dark };

const std::vector<std::string>& ShadeNames()
{
    static const std::vector<std::string> names = {"light", "dark"};
    return names;
}

struct Form {
    std::string name;
    bool framed = true;
    Shade shade = Shade::Light;
};

TEST(OptionForms, ASwitchGivesItsBoxTheStateItNamesAndReadsItBack)
{
    for (const bool whenGiven : {true, false}) {
        const auto option = SwitchOption<Form>("frame", &Form::framed, whenGiven, {"", ""});
        EXPECT_EQ(option.form, OptionForm::Switch);
        for (const std::string value : {"true", "false"}) {
            Form form;
            option.set(form, {value});
            EXPECT_EQ(form.framed, (value == "true") == whenGiven) << value;
            EXPECT_EQ(option.get(form), std::vector<std::string>{value});
        }
    }
}

TEST(OptionForms, ANameOptionTakesEachNameOnlyAndAnEditBoxAnyText)
{
    const auto shade = NameOption("shade", "light|dark", &Form::shade, ShadeNames, {"", ""});
    for (const std::string& name : ShadeNames()) {
        Form form;
        shade.set(form, {name});
        EXPECT_EQ(shade.get(form), std::vector<std::string>{name});
    }
    Form form;
    EXPECT_THROW(shade.set(form, {"grey"}), OptionError);
    EXPECT_EQ(form.shade, Shade::Light);

    const auto text = TextOption("name", "NAME", &Form::name, {"", ""}, {});
    text.set(form, {" 3,5 "});
    EXPECT_EQ(form.name, " 3,5 ");  // the generator reads and checks it
    EXPECT_EQ(text.get(form), std::vector<std::string>{" 3,5 "});
}

}  // namespace
}  // namespace kestrane
