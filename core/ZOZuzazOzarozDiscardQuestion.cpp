#include "core/ZOZuzazOzarozDiscardQuestion.h"

#include "core/ZOZuzazOzarozTheme.h"

UIAlertViewPtr ZOZuzazOzarozDiscardQuestion::ask(std::function<void()> discard) {
    const auto text = &ZOZuzazOzarozTheme::localizedStringWithDefault;
    auto alert = std::make_shared<UIAlertView>(
        text("ZOZuzazOzaroz_DiscardQuestion", "Discard your changes?"), "",
        std::weak_ptr<UIAlertViewDelegate>{},
        text("ZOZuzazOzaroz_KeepEditingBtnTitle", "Keep editing"),
        std::vector<std::string>{text("ZOZuzazOzaroz_DiscardBtnTitle", "Discard")});
    // Button 0 is the cancel button, "Keep editing".
    alert->setClickedHandler([discard = std::move(discard)](int index) {
        if (index > 0 && discard) {
            discard();
        }
    });
    alert->show();
    return alert;
}
