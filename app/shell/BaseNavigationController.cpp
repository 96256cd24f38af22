#include "app/shell/BaseNavigationController.h"

BaseNavigationController::BaseNavigationController(std::shared_ptr<UIViewController> root)
    : UINavigationController(std::move(root)) {
    navigationBar()->setTranslucent(true);
    setNavigationBarHidden(true, false);
}
