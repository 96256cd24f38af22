#include "app/shell/BaseViewController.h"

void BaseViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    setupUI();
    setupData();
}
