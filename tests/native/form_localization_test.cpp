#include "localizer/form_localization.h"

#include <gtest/gtest.h>

#include <memory>

#include "language_files.h"

namespace tessalin {
namespace {

namespace kinds = control_kinds;

// A kind the walk does not know, derived from one it does.
constexpr ControlKind kBitmapButton{"bitmap button", &kinds::kPushButton};

class FakeControl final : public LocalizableControl {
  public:
    FakeControl(Text name, const ControlKind& kind, std::vector<Text>& log)
        : name_(std::move(name)), kind_(kind), log_(log) {}

    FakeControl& Add(Text name, const ControlKind& kind) {
        return *children_.emplace_back(std::make_unique<FakeControl>(std::move(name), kind, log_));
    }

    TextView ComponentName() const override { return name_; }
    const ControlKind& Kind() const override { return kind_; }
    void SetText(TextView text) override {
        text_ = text;
        log_.push_back(name_);
    }
    void SetLabelText(TextView text) override {
        labelText_ = text;
        log_.push_back(name_);
    }
    void SetHint(TextView hint) override { hint_ = hint; }
    std::size_t ChildCount() const override { return children_.size(); }
    LocalizableControl& Child(std::size_t index) override { return *children_.at(index); }

    Text text_ = u"design";
    Text labelText_ = u"design label";
    Text hint_ = u"design hint";

  private:
    Text name_;
    const ControlKind& kind_;
    std::vector<Text>& log_;
    std::vector<std::unique_ptr<FakeControl>> children_;
};

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

    std::vector<Text> log_;
    TL10NResources files_;
};

TEST_F(FormLocalization, EveryKindOfTheTableAtAnyDepthFromTheTopFormsEntries) {
    FakeControl form(u"NotesForm", kinds::kForm, log_);
    FakeControl& panel = form.Add(u"ControlPanel", kinds::kPanel);
    FakeControl& zoomIn = panel.Add(u"ZoomInButton", kinds::kPushButton);
    FakeControl& zoomLabel = panel.Add(u"ZoomLabel", kinds::kLabel);
    FakeControl& zoomOut = panel.Add(u"ZoomOutButton", kinds::kPushButton);
    FakeControl& rich = form.Add(u"RichNotesText", kinds::kRichEdit);
    FakeControl& insideRich = rich.Add(u"InsideRich", kinds::kPushButton);
    FakeControl& nameless = form.Add(u"", kinds::kLabel);
    FakeControl& nameEdit = form.Add(u"NameEdit", kinds::kLabeledEdit);
    FakeControl& nameEditLabel = form.Add(u"NameEditLabel", kinds::kAttachedLabel);
    FakeControl& options = form.Add(u"Options", kinds::kGroupBox);
    FakeControl& choice = options.Add(u"Choice", kinds::kCheckBox);
    FakeControl& pick = options.Add(u"Pick", kinds::kRadioButton);
    FakeControl& modes = form.Add(u"Modes", kinds::kRadioGroup);
    FakeControl& status = form.Add(u"Status", kinds::kStaticText);
    FakeControl& page = form.Add(u"Pages", kinds::kPageControl).Add(u"Page1", kinds::kTabSheet);
    FakeControl& fancy = form.Add(u"Fancy", kBitmapButton);
    FakeControl& lines = form.Add(u"Lines", kinds::kListBox);
    FakeControl& sameName = form.Add(u"NotesForm", kinds::kPushButton);

    LocalizeForm(form, files_, 0x0809);

    EXPECT_EQ(form.text_, u"Speaker notes");
    EXPECT_EQ(form.hint_, u"Notes of the current slide");
    EXPECT_EQ(panel.text_, u"oo");
    EXPECT_EQ(panel.hint_, u"");
    // The form's own entry wins whole over "<ALL>", its empty hint included.
    EXPECT_EQ(zoomIn.text_, u"Larger");
    EXPECT_EQ(zoomIn.hint_, u"");
    EXPECT_EQ(zoomOut.text_, u"Smaller");
    EXPECT_EQ(zoomOut.hint_, u"Make the text smaller");
    EXPECT_EQ(zoomLabel.text_, u"design") << "entries are keyed by the top form's name";
    EXPECT_EQ(rich.text_, u"design");
    EXPECT_EQ(rich.hint_, u"design hint");
    EXPECT_EQ(insideRich.text_, u"inside");
    EXPECT_EQ(nameless.text_, u"nameless");
    EXPECT_EQ(nameless.hint_, u"n hint");
    EXPECT_EQ(nameEdit.labelText_, u"Name:");
    EXPECT_EQ(nameEdit.hint_, u"Your name");
    EXPECT_EQ(nameEdit.text_, u"design") << "the edit's content stays";
    EXPECT_EQ(nameEditLabel.text_, u"design");
    EXPECT_EQ(lines.text_, u"design");
    EXPECT_EQ(sameName.text_, u"as control");
    EXPECT_EQ(sameName.hint_, u"c hint");
    for (const FakeControl* control : {&options, &choice, &pick, &modes, &status, &page, &fancy}) {
        EXPECT_EQ(control->text_, Text(control->ComponentName()) + u"!");
        EXPECT_EQ(control->hint_, u"");
    }
    // Depth first, each control before its children, in list order.
    EXPECT_EQ(log_,
              (std::vector<Text>{u"NotesForm", u"ControlPanel", u"ZoomInButton", u"ZoomOutButton",
                                 u"InsideRich", u"", u"NameEdit", u"Options", u"Choice", u"Pick",
                                 u"Modes", u"Status", u"Page1", u"Fancy", u"NotesForm"}));
}

TEST_F(FormLocalization, AllEntriesReachEveryFormButNeverAFormsCaption) {
    FakeControl form(u"OtherForm", kinds::kForm, log_);
    FakeControl& zoomIn = form.Add(u"ZoomInButton", kinds::kPushButton);
    FakeControl& zoomOut = form.Add(u"ZoomOutButton", kinds::kPushButton);
    LocalizeForm(form, files_, 0x0409);  // no exact file: the fallback serves
    EXPECT_EQ(form.text_, u"design");
    EXPECT_EQ(zoomIn.text_, u"All larger");
    EXPECT_EQ(zoomIn.hint_, u"all hint");
    EXPECT_EQ(zoomOut.text_, u"Smaller");
}

TEST_F(FormLocalization, WithoutAFileForTheLanguageNothingChanges) {
    FakeControl form(u"NotesForm", kinds::kForm, log_);
    form.Add(u"ZoomInButton", kinds::kPushButton);
    LocalizeForm(form, files_, 0x0416);
    LocalizeForm(form, TL10NResources(), 0x0409);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(form.text_, u"design");
}

}  // namespace
}  // namespace tessalin
