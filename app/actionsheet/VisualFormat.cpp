#include "app/actionsheet/VisualFormat.h"

#include <cctype>
#include <charconv>

namespace {

// Reads one format from left to right.
class Reader {
public:
    Reader(const std::string& text, const VisualFormat::Views& views)
        : text_(text), views_(views) {}

    std::optional<std::vector<LayoutConstraint>> read() {
        readOrientation();
        const bool leadingEdge = take('|');
        std::optional<double> gap;
        if (leadingEdge) {
            gap = readGap();
            if (!gap) {
                return std::nullopt;
            }
        }
        UIViewPtr previous;
        while (peek() == '[') {
            std::optional<UIViewPtr> view = readView();
            if (!view) {
                return std::nullopt;
            }
            if (previous) {
                add(LayoutConstraint::Kind::Spacing, *view, *gap, previous);
            } else if (leadingEdge) {
                add(LayoutConstraint::Kind::LeadingPin, *view, *gap);
            }
            previous = *view;
            gap = std::nullopt;
            if (atEnd()) {
                break;
            }
            gap = readGap();
            if (!gap) {
                return std::nullopt;
            }
            if (take('|')) {
                add(LayoutConstraint::Kind::TrailingPin, previous, *gap);
                break;
            }
            if (peek() != '[') {
                return std::nullopt;
            }
        }
        if (!previous || !atEnd()) {
            return std::nullopt;
        }
        return constraints_;
    }

private:
    void readOrientation() {
        if (text_.compare(0, 2, "V:") == 0) {
            axis_ = LayoutConstraint::Axis::Vertical;
            position_ = 2;
        } else if (text_.compare(0, 2, "H:") == 0) {
            position_ = 2;
        }
    }

    // "-N-"
    std::optional<double> readGap() {
        if (!take('-')) {
            return std::nullopt;
        }
        const std::optional<double> distance = readNumber();
        if (!distance || !take('-')) {
            return std::nullopt;
        }
        return distance;
    }

    // "[name]" or "[name(N)]"
    std::optional<UIViewPtr> readView() {
        take('[');
        const std::size_t nameStart = position_;
        while (!atEnd() && peek() != ']' && peek() != '(') {
            ++position_;
        }
        const auto found = views_.find(text_.substr(nameStart, position_ - nameStart));
        if (found == views_.end() || !found->second) {
            return std::nullopt;
        }
        if (take('(')) {
            const std::optional<double> length = readNumber();
            if (!length || !take(')')) {
                return std::nullopt;
            }
            add(LayoutConstraint::Kind::Length, found->second, *length);
        }
        if (!take(']')) {
            return std::nullopt;
        }
        return found->second;
    }

    std::optional<double> readNumber() {
        double value = 0;
        const char* begin = text_.data() + position_;
        const auto [end, error] = std::from_chars(begin, text_.data() + text_.size(), value);
        if (error != std::errc{} || value < 0) {
            return std::nullopt;
        }
        position_ += static_cast<std::size_t>(end - begin);
        return value;
    }

    void add(LayoutConstraint::Kind kind, const UIViewPtr& view, double constant,
             const UIViewPtr& previous = nullptr) {
        constraints_.push_back({axis_, kind, view, constant, previous});
    }

    bool take(char expected) {
        if (peek() != expected) {
            return false;
        }
        ++position_;
        return true;
    }
    char peek() const { return atEnd() ? '\0' : text_[position_]; }
    bool atEnd() const { return position_ >= text_.size(); }

    const std::string& text_;
    const VisualFormat::Views& views_;
    std::size_t position_ = 0;
    LayoutConstraint::Axis axis_ = LayoutConstraint::Axis::Horizontal;
    std::vector<LayoutConstraint> constraints_;
};

}  // namespace

std::optional<std::vector<LayoutConstraint>> VisualFormat::parse(const std::string& format,
                                                                 const Views& views) {
    return Reader(format, views).read();
}
