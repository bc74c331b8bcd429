#include "localizer/form_localization.h"

#include <gtest/gtest.h>

#include "language_files.h"

namespace tessalin {
namespace {

namespace kinds = forms::control_kinds;
using forms::ControlKind;
using forms::ControlOutline;

// A kind the rules do not know, derived from one they do.
constexpr ControlKind kBitmapButton{"bitmap button", &kinds::kPushButton};

// Each control's texts as "name: caption / hint", a labelled edit's label as "name label: …",
// in the order given.
std::vector<Text> Rendered(const std::vector<ControlOutline>& outline, const FormTexts& texts) {
    std::vector<Text> rendered;
    for (const ControlTexts& control : texts.controls) {
        const TextView where = control.target == CaptionTarget::kLabelText ? u" label: " : u": ";
        rendered.push_back(Text(outline.at(control.control).name) + Text(where) +
                           control.texts.caption + u" / " + control.texts.hint);
    }
    return rendered;
}

class FormLocalization : public ::testing::Test {
  protected:
    FormLocalization() {
        // Only a file for the primary language: every request below goes through the
        // fallback.
        files_.push_back(testing::Utf8File(std::string(testing::kEnglishExample) +
                                               "<ALL>~ZoomInButton~\"All larger\"~\"all hint\"\n"
                                               "ControlPanel~ZoomLabel~\"by container name\"\n"
                                               "NotesForm~RichNotesText~\"rich\"~\"rich hint\"\n"
                                               "NotesForm~InsideRich~\"inside\"\n"
                                               "NotesForm~~\"nameless\"~\"n hint\"\n"
                                               "NotesForm~NameEdit~\"Name:\"~\"Your name\"\n"
                                               "NotesForm~NameEditLabel~\"label itself\"\n"
                                               "NotesForm~Lines~\"list\"\n"
                                               "NotesForm~NotesForm~\"as control\"~\"c hint\"\n"
                                               "<ALL>~<DEFAULT>~\"never a window's\"\n"
                                               "<ALL>~Options~\"Options!\"\n"
                                               "<ALL>~Choice~\"Choice!\"\n"
                                               "<ALL>~Pick~\"Pick!\"\n"
                                               "<ALL>~Modes~\"Modes!\"\n"
                                               "<ALL>~Status~\"Status!\"\n"
                                               "<ALL>~Page1~\"Page1!\"\n"
                                               "<ALL>~Fancy~\"Fancy!\"\n",
                                           0x09));
    }

    TL10NResources files_;
};

TEST_F(FormLocalization, EveryKindOfTheTableAtAnyDepthFromTheTopFormsEntries) {
    const std::vector<ControlOutline> outline = {
        {u"ControlPanel", &kinds::kPanel, {}},           // 0
        {u"ZoomInButton", &kinds::kPushButton, 0},       // 1
        {u"ZoomLabel", &kinds::kLabel, 0},               // 2
        {u"ZoomOutButton", &kinds::kPushButton, 0},      // 3
        {u"RichNotesText", &kinds::kRichEdit, {}},       // 4
        {u"InsideRich", &kinds::kPushButton, 4},         // 5
        {u"", &kinds::kLabel, {}},                       // 6
        {u"NameEdit", &kinds::kLabeledEdit, {}},         // 7
        {u"NameEditLabel", &kinds::kAttachedLabel, {}},  // 8
        {u"Options", &kinds::kGroupBox, {}},             // 9
        {u"Choice", &kinds::kCheckBox, 9},               // 10
        {u"Modes", &kinds::kRadioGroup, {}},             // 11
        {u"Status", &kinds::kStaticText, {}},            // 12
        {u"Pages", &kinds::kPageControl, {}},            // 13
        {u"Page1", &kinds::kTabSheet, 13},               // 14
        {u"Fancy", &kBitmapButton, {}},                  // 15
        {u"Lines", &kinds::kListBox, {}},                // 16
        {u"NotesForm", &kinds::kPushButton, {}},         // 17
        {u"Pick", &kinds::kRadioButton, 9},              // listed late, walked with its group box
    };
    const FormTexts texts = LocalizeForm({u"NotesForm", outline}, files_, 0x0809);

    ASSERT_TRUE(texts.form);
    EXPECT_EQ(texts.form->caption, u"Speaker notes");
    EXPECT_EQ(texts.form->hint, u"Notes of the current slide");
    // Depth first, each control before those it holds. The form's own entry wins whole over
    // "<ALL>", its empty hint included; entries are keyed by the top form's name, so that
    // ZoomLabel gets none. Kinds outside the table (the rich edit, the list, the attached
    // label) get nothing, and what they hold is still walked.
    EXPECT_EQ(
        Rendered(outline, texts),
        (std::vector<Text>{
            u"ControlPanel: oo / ", u"ZoomInButton: Larger / ",
            u"ZoomOutButton: Smaller / Make the text smaller", u"InsideRich: inside / ",
            u": nameless / n hint", u"NameEdit label: Name: / Your name", u"Options: Options! / ",
            u"Choice: Choice! / ", u"Pick: Pick! / ", u"Modes: Modes! / ", u"Status: Status! / ",
            u"Page1: Page1! / ", u"Fancy: Fancy! / ", u"NotesForm: as control / c hint"}));
}

TEST_F(FormLocalization, AllEntriesReachEveryFormButNeverAFormsCaption) {
    const std::vector<ControlOutline> outline = {{u"ZoomInButton", &kinds::kPushButton, {}},
                                                 {u"ZoomOutButton", &kinds::kPushButton, {}}};
    // No exact file: the fallback serves.
    const FormTexts texts = LocalizeForm({u"OtherForm", outline}, files_, 0x0409);
    EXPECT_FALSE(texts.form);
    EXPECT_EQ(Rendered(outline, texts),
              (std::vector<Text>{u"ZoomInButton: All larger / all hint",
                                 u"ZoomOutButton: Smaller / Make the text smaller"}));
}

TEST_F(FormLocalization, WithoutAFileForTheLanguageNothingChanges) {
    const std::vector<ControlOutline> outline = {{u"ZoomInButton", &kinds::kPushButton, {}}};
    for (const FormTexts& texts : {LocalizeForm({u"NotesForm", outline}, files_, 0x0416),
                                   LocalizeForm({u"NotesForm", outline}, {}, 0x0409)}) {
        EXPECT_FALSE(texts.form);
        EXPECT_TRUE(texts.controls.empty());
    }
}

}  // namespace
}  // namespace tessalin
