#pragma once

#include <string>
#include <utility>

// What a tool hands to its completion when it cannot produce a picture. The editor
// shows the message in an alert and keeps the tool active.
class CLImageToolError {
public:
    explicit CLImageToolError(std::string message) : message_(std::move(message)) {}

    // The text the alert shows.
    const std::string& localizedDescription() const { return message_; }

private:
    std::string message_;
};
