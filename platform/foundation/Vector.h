#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

// A short list of numbers, as the filter engine takes for points, colours and
// tone-curve points. Components past the end read as 0.
class Vector {
public:
    Vector() = default;
    Vector(std::initializer_list<double> values) : values_(values) {}
    explicit Vector(std::vector<double> values) : values_(std::move(values)) {}

    static Vector withX(double x, double y) { return Vector{x, y}; }
    static Vector withX(double x, double y, double z) { return Vector{x, y, z}; }
    static Vector withX(double x, double y, double z, double w) { return Vector{x, y, z, w}; }

    std::size_t count() const { return values_.size(); }
    double valueAtIndex(std::size_t index) const {
        return index < values_.size() ? values_[index] : 0.0;
    }
    double x() const { return valueAtIndex(0); }
    double y() const { return valueAtIndex(1); }
    double z() const { return valueAtIndex(2); }
    double w() const { return valueAtIndex(3); }
    const std::vector<double>& values() const { return values_; }

    friend bool operator==(const Vector&, const Vector&) = default;

private:
    std::vector<double> values_;
};
