#pragma once

#include <string>

class Value;

// The text "%@" prints for a value, in the platform's property-list style, the same
// on every run:
//   dictionary  {
//                   key = value;
//               }             (keys in ascending order, nested levels indented 4 more)
//   array       (
//                   first,
//                   second
//               )
//   string      as is at the top level; inside a collection quoted with \" \\ \n \t
//               escapes unless it is non-empty and only letters, digits and '_'
//   number      shortest text that reads back the same: 1, 4.5, 0.1, 9.223372036854776e+18
//   integer 42, boolean 1 or 0, null <null>, picture <UIImage {width, height}> (points),
//   vector [1 2 3], transform CGAffineTransform: {{a, b, c, d}, {tx, ty}},
//   rectangle NSRect: {{x, y}, {width, height}}, other object <object>
std::string describeValue(const Value& value);

// A number as describeValue prints it.
std::string describeNumber(double number);
