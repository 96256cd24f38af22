#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/foundation/AnyObject.h"
#include "platform/foundation/Vector.h"
#include "platform/geometry/CGAffineTransform.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/UIImage.h"

class Value;
using ValueArray = std::vector<Value>;
using ValueDictionary = std::map<std::string, Value>;

// One entry of a dictionary or array: option lists, user-info dictionaries, string
// tables and filter inputs. Arrays and dictionaries inside a Value are immutable and
// shared, so copying a Value is cheap; to change one, copy it out, change the copy and
// store it back.
//
// Typed accessors never fail: on a type mismatch they return the given default. The
// three numeric kinds (number, integer, boolean) read as one another, as the
// platform's numbers do; nothing else converts.
class Value {
public:
    enum class Type {
        Null,
        String,
        Number,
        Integer,
        Boolean,
        Array,
        Dictionary,
        Image,
        Vector,
        Transform,
        Rect,
        Object
    };

    // The constructors are implicit so dictionaries read as literals:
    // ValueDictionary{{"limitSize", 2048}, {"ratios", ValueArray{1, 1.5}}}.
    Value() = default;
    Value(std::nullptr_t) {}
    Value(std::string string);
    // A null pointer makes a null value.
    Value(const char* string);
    Value(bool boolean);
    template <std::floating_point T>
    Value(T number) : storage_(std::in_place_type<double>, number) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) Value(T integer)
        : storage_(std::in_place_type<std::int64_t>, integer) {}
    Value(ValueArray array);
    Value(ValueDictionary dictionary);
    Value(UIImagePtr image);
    Value(Vector vector);
    Value(const CGAffineTransform& transform);
    Value(const CGRect& rect);
    Value(AnyObject object);
    // Any other pointer would silently become a boolean.
    template <typename T>
    Value(T*) = delete;

    Type type() const;
    bool isNull() const { return type() == Type::Null; }

    std::string stringValue(const std::string& otherwise = {}) const;
    double doubleValue(double otherwise = 0) const;
    // Numbers are truncated towards zero and clamped to the integer range; NaN gives
    // the default.
    std::int64_t integerValue(std::int64_t otherwise = 0) const;
    // Numbers read as true when not zero.
    bool boolValue(bool otherwise = false) const;
    // An empty array or dictionary on mismatch.
    const ValueArray& arrayValue() const;
    const ValueDictionary& dictionaryValue() const;
    UIImagePtr imageValue() const;
    Vector vectorValue(const Vector& otherwise = {}) const;
    CGAffineTransform transformValue(
        const CGAffineTransform& otherwise = CGAffineTransform::identity()) const;
    CGRect rectValue(const CGRect& otherwise = {}) const;
    AnyObject objectValue() const;
    template <typename T>
    std::shared_ptr<T> objectValueAs() const {
        return objectValue().as<T>();
    }

    // For a dictionary, the value under the key; null when absent or not a dictionary.
    const Value& operator[](const std::string& key) const;

    // The platform's "%@" text: see ValueDescription.
    std::string description() const;

    // Same kind and contents. Number and integer compare by value; pictures and
    // objects compare by identity.
    friend bool operator==(const Value& a, const Value& b);

private:
    using Storage =
        std::variant<std::monostate, std::string, double, std::int64_t, bool,
                     std::shared_ptr<const ValueArray>, std::shared_ptr<const ValueDictionary>,
                     UIImagePtr, ::Vector, CGAffineTransform, CGRect, AnyObject>;

    bool isNumeric() const;

    Storage storage_;
};
