#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "app/shell/AppTour.h"
#include "app/shell/ResultViewController.h"
#include "app/shell/WindowTaps.h"
#include "platform/foundation/StringsTable.h"
#include "platform/ui/sharing/UIActivityTypes.h"
#include "platform/ui/sharing/UIActivityViewController.h"
#include "platform/ui/view/UILabel.h"
#include "tests/app/shell/AppTestSupport.h"

namespace {

const std::string kGermanTable =
    std::string(PHOTOEDITOR_APP_RESOURCES) + "/ZOZuzazOzaroz.bundle/de.lproj/Localizable.strings";

// A German text as its literal pieces around each "%@", which stands for data (a file
// name, a folder, a count) and matches any text of at least one character.
struct GermanText {
    std::vector<std::string> pieces;

    bool matches(const std::string& text) const {
        if (pieces.size() == 1) {
            return text == pieces[0];
        }
        if (!text.starts_with(pieces.front()) || !text.ends_with(pieces.back())) {
            return false;
        }
        std::size_t at = pieces.front().size();
        const std::size_t end = text.size() - pieces.back().size();
        for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
            const std::size_t found = text.find(pieces[i], at + 1);
            if (found == std::string::npos || found + pieces[i].size() > end) {
                return false;
            }
            at = found + pieces[i].size();
        }
        return end >= at + 1;
    }
};

std::vector<GermanText> germanTexts() {
    const StringsTable table = StringsTable::loadFile(kGermanTable);
    std::ifstream file(kGermanTable);
    std::vector<GermanText> texts;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t open = line.find_first_not_of(" \t");
        const std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (open == std::string::npos || line[open] != '"' || close == std::string::npos) {
            continue;
        }
        const std::string* value = table.find(line.substr(open + 1, close - open - 1));
        if (value == nullptr) {
            continue;
        }
        GermanText text;
        std::size_t from = 0;
        for (std::size_t mark = value->find("%@"); mark != std::string::npos;
             from = mark + 2, mark = value->find("%@", from)) {
            text.pieces.push_back(value->substr(from, mark - from));
        }
        text.pieces.push_back(value->substr(from));
        texts.push_back(std::move(text));
    }
    return texts;
}

bool isShown(const UIView& view) {
    for (const UIView* at = &view; at; at = at->superview() ? at->superview().get() : nullptr) {
        if (at->isHidden() || at->alpha() <= 0.01) {
            return false;
        }
    }
    return true;
}

// Every text shown by a label (buttons' titles included) in the tree.
void collectTexts(const UIViewPtr& view, std::set<std::string>& texts) {
    if (const auto label = std::dynamic_pointer_cast<UILabel>(view);
        label && isShown(*label) && label->text().find_first_not_of(' ') != std::string::npos) {
        texts.insert(label->text());
    }
    for (const UIViewPtr& child : view->allSubviews()) {
        collectTexts(child, texts);
    }
}

class AppTourInGermanTest : public AppFixture {
protected:
    void SetUp() override {
        resources_ = PHOTOEDITOR_APP_RESOURCES;
        NSBundle::setPreferredLanguage("de");
        AppFixture::SetUp();
    }
    void TearDown() override {
        AppFixture::TearDown();
        NSBundle::setPreferredLanguage("");
        NSBundle::setMainBundlePath("");
    }

    // Each text on screen that no German entry gives.
    std::vector<std::string> untranslatedTexts() const {
        std::set<std::string> shown;
        collectTexts(app_.window(), shown);
        std::vector<std::string> foreign;
        for (std::string text : shown) {
            // The navigation bar's back button puts its chevron before the title.
            if (text.starts_with("\u2039 ")) {
                text = text.substr(std::string("\u2039 ").size());
            }
            const bool german = std::any_of(texts_.begin(), texts_.end(),
                                            [&](const auto& entry) { return entry.matches(text); });
            if (!german) {
                foreign.push_back(text);
            }
        }
        return foreign;
    }

    std::vector<GermanText> texts_ = germanTexts();
};

TEST_F(AppTourInGermanTest, EveryTextOnEveryScreenOfTheFirstEditComesFromTheGermanTable) {
    ASSERT_GT(texts_.size(), 100u);
    EXPECT_EQ(app_.window()->title(), "Fotoeditor");
    WindowTaps taps(*app_.window());
    std::ostringstream log;
    AppTour tour(app_, std::ref(taps), (library_ / "screens").string(), log);
    std::vector<std::string> screens;
    tour.setScreenWatch([&](const std::string& step) {
        screens.push_back(step);
        EXPECT_EQ(untranslatedTexts(), std::vector<std::string>()) << "after: " << step;
    });
    ASSERT_EQ(tour.run().failure, "") << log.str();
    EXPECT_EQ(screens.size(), 10u);
    EXPECT_NE(log.str().find("Tap \"Fotomediathek\""), std::string::npos) << log.str();

    // The share sheet again, its Save As step, and the alert of a save that failed.
    const auto result =
        std::dynamic_pointer_cast<ResultViewController>(stack()->topViewController());
    ASSERT_NE(result, nullptr);
    result->saveAndShare();
    settle();
    EXPECT_EQ(untranslatedTexts(), std::vector<std::string>()) << "the share sheet";
    const auto sheet =
        std::dynamic_pointer_cast<UIActivityViewController>(stack()->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    sheet->buttonForActivityType(UIActivityTypeSaveToFile)
        ->sendActionsForControlEvents(UIControlEventTouchUpInside);
    settle();
    EXPECT_EQ(untranslatedTexts(), std::vector<std::string>()) << "Save As";
    sheet->saveAsPanel()->pathField()->setText((library_ / "missing" / "Bild.png").string());
    sheet->saveAsPanel()->saveButton()->sendActionsForControlEvents(UIControlEventTouchUpInside);
    settle();
    EXPECT_EQ(alertTitle(), "Fehler");
    EXPECT_EQ(untranslatedTexts(), std::vector<std::string>()) << "the failed save";
}

}  // namespace
