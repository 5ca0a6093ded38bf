// Generated passwords from a cryptographic random source.
#pragma once

#include <QString>

namespace vantrelo {

class TRandomSource;

enum TPasswordClass : unsigned {
    kPwLower = 1,
    kPwUpper = 2,
    kPwDigits = 4,
    kPwSpecials = 8,
    kPwAllClasses = 15,
};

constexpr int kDefaultPasswordLength = 16;
// Longer requests are refused: a typo such as "1000000000" must not exhaust memory.
constexpr int kMaxPasswordLength = 1024;

// A password of `length` characters holding at least one character of each class in `classes`.
// Answers "Characters must be higher than 3" when length is 3 or less or no class is chosen, and
// "Characters must not be higher than 1024" above the limit.
QString GeneratePassword(int length, unsigned classes, TRandomSource& random);

} // namespace vantrelo
