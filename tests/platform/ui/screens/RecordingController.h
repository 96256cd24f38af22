#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/screens/UIViewController.h"

// A screen that writes its life into a shared log: "A load", "A will appear",
// "A did appear", "A will disappear", "A did disappear", "A will move", "A did move".
class RecordingController : public UIViewController {
public:
    RecordingController(std::string name, std::shared_ptr<std::vector<std::string>> log)
        : name_(std::move(name)), log_(std::move(log)) {
        setTitle(name_);
    }

    void viewDidLoad() override { write("load"); }
    void viewWillAppear(bool) override { write("will appear"); }
    void viewDidAppear(bool) override { write("did appear"); }
    void viewWillDisappear(bool) override { write("will disappear"); }
    void viewDidDisappear(bool) override { write("did disappear"); }
    void willMoveToParentViewController(UIViewController* parent) override {
        write(parent ? "will move" : "will leave");
    }
    void didMoveToParentViewController(UIViewController* parent) override {
        write(parent ? "did move" : "did leave");
    }

private:
    void write(const std::string& what) { log_->push_back(name_ + " " + what); }

    std::string name_;
    std::shared_ptr<std::vector<std::string>> log_;
};
