#include "platform/foundation/Value.h"

#include <cmath>
#include <iterator>
#include <limits>

#include "platform/foundation/ValueDescription.h"

namespace {

template <typename T>
const T* alternative(const auto& storage) {
    return std::get_if<T>(&storage);
}

// 2^63 is exact as a double; a double at or above it does not fit in an integer.
constexpr double kIntegerLimit = 9223372036854775808.0;

bool sameNumber(double number, std::int64_t integer) {
    return number >= -kIntegerLimit && number < kIntegerLimit && std::trunc(number) == number &&
           static_cast<std::int64_t>(number) == integer;
}

const ValueArray emptyArray;
const ValueDictionary emptyDictionary;
const Value nullValue;
}  // namespace

Value::Value(std::string string) : storage_(std::move(string)) {}

Value::Value(const char* string) {
    if (string != nullptr) {
        storage_ = std::string(string);
    }
}

Value::Value(bool boolean) : storage_(boolean) {}

Value::Value(ValueArray array) : storage_(std::make_shared<const ValueArray>(std::move(array))) {}

Value::Value(ValueDictionary dictionary)
    : storage_(std::make_shared<const ValueDictionary>(std::move(dictionary))) {}

Value::Value(UIImagePtr image) {
    if (image) {
        storage_ = std::move(image);
    }
}

Value::Value(::Vector vector) : storage_(std::move(vector)) {}

Value::Value(const CGAffineTransform& transform) : storage_(transform) {}

Value::Value(const CGRect& rect) : storage_(rect) {}

Value::Value(AnyObject object) {
    if (!object.isNull()) {
        storage_ = std::move(object);
    }
}

Value::Type Value::type() const {
    // The order of the alternatives in Storage.
    static constexpr Type types[] = {
        Type::Null,       Type::String, Type::Number, Type::Integer,   Type::Boolean, Type::Array,
        Type::Dictionary, Type::Image,  Type::Vector, Type::Transform, Type::Rect,    Type::Object};
    static_assert(std::size(types) == std::variant_size_v<Storage>);
    return types[storage_.index()];
}

bool Value::isNumeric() const {
    const Type t = type();
    return t == Type::Number || t == Type::Integer || t == Type::Boolean;
}

std::string Value::stringValue(const std::string& otherwise) const {
    const std::string* string = alternative<std::string>(storage_);
    return string ? *string : otherwise;
}

double Value::doubleValue(double otherwise) const {
    if (const double* number = alternative<double>(storage_)) {
        return *number;
    }
    if (const std::int64_t* integer = alternative<std::int64_t>(storage_)) {
        return static_cast<double>(*integer);
    }
    if (const bool* boolean = alternative<bool>(storage_)) {
        return *boolean ? 1.0 : 0.0;
    }
    return otherwise;
}

std::int64_t Value::integerValue(std::int64_t otherwise) const {
    if (const std::int64_t* integer = alternative<std::int64_t>(storage_)) {
        return *integer;
    }
    if (const bool* boolean = alternative<bool>(storage_)) {
        return *boolean ? 1 : 0;
    }
    const double* number = alternative<double>(storage_);
    if (number == nullptr || std::isnan(*number)) {
        return otherwise;
    }
    if (*number >= kIntegerLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (*number <= -kIntegerLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(*number);
}

bool Value::boolValue(bool otherwise) const {
    if (const bool* boolean = alternative<bool>(storage_)) {
        return *boolean;
    }
    if (const std::int64_t* integer = alternative<std::int64_t>(storage_)) {
        return *integer != 0;
    }
    if (const double* number = alternative<double>(storage_)) {
        return *number != 0;
    }
    return otherwise;
}

const ValueArray& Value::arrayValue() const {
    const auto* array = alternative<std::shared_ptr<const ValueArray>>(storage_);
    return array ? **array : emptyArray;
}

const ValueDictionary& Value::dictionaryValue() const {
    const auto* dictionary = alternative<std::shared_ptr<const ValueDictionary>>(storage_);
    return dictionary ? **dictionary : emptyDictionary;
}

UIImagePtr Value::imageValue() const {
    const UIImagePtr* image = alternative<UIImagePtr>(storage_);
    return image ? *image : nullptr;
}

Vector Value::vectorValue(const ::Vector& otherwise) const {
    const ::Vector* vector = alternative<::Vector>(storage_);
    return vector ? *vector : otherwise;
}

CGAffineTransform Value::transformValue(const CGAffineTransform& otherwise) const {
    const CGAffineTransform* transform = alternative<CGAffineTransform>(storage_);
    return transform ? *transform : otherwise;
}

CGRect Value::rectValue(const CGRect& otherwise) const {
    const CGRect* rect = alternative<CGRect>(storage_);
    return rect ? *rect : otherwise;
}

AnyObject Value::objectValue() const {
    const AnyObject* object = alternative<AnyObject>(storage_);
    return object ? *object : AnyObject();
}

const Value& Value::operator[](const std::string& key) const {
    const ValueDictionary& dictionary = dictionaryValue();
    const auto found = dictionary.find(key);
    return found == dictionary.end() ? nullValue : found->second;
}

std::string Value::description() const {
    return describeValue(*this);
}

bool operator==(const Value& a, const Value& b) {
    const Value::Type typeA = a.type();
    const Value::Type typeB = b.type();
    if (typeA == Value::Type::Array && typeB == Value::Type::Array) {
        return a.arrayValue() == b.arrayValue();
    }
    if (typeA == Value::Type::Dictionary && typeB == Value::Type::Dictionary) {
        return a.dictionaryValue() == b.dictionaryValue();
    }
    if (typeA == Value::Type::Number && typeB == Value::Type::Integer) {
        return sameNumber(a.doubleValue(), b.integerValue());
    }
    if (typeA == Value::Type::Integer && typeB == Value::Type::Number) {
        return sameNumber(b.doubleValue(), a.integerValue());
    }
    return a.storage_ == b.storage_;
}
