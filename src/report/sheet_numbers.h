#pragma once

#include <string>
#include <utility>

// The numbers of the calculation sheet's substituted formulas, written so that
// a reader with a calculator gets each printed result back from the printed
// numbers, within half a unit of its last printed digit.
//
// Every number put into a formula is the value the calculation used: a
// single-precision value (a relative humidity, the fresh-air share s, the
// residual moisture W, a state's t, d and i) with nine significant digits,
// which name it exactly (30 % is kept as 0.300000012), a double-precision
// value with the fifteen digits the result boxes show. Where two nearly equal
// values are subtracted, both are written with as many more digits as the
// difference needs to keep its own significant digits. A result is written to
// the most significant digits (at most seven for a single-precision value,
// fifteen for a double) on which the printed numbers, evaluated as written,
// and the calculation agree to a quarter of the last digit's unit: as the
// calculation's value rounded where the printed numbers give that within
// half a unit, otherwise (the value lies at the middle between two last
// digits) as the printed numbers' value rounded, one unit from the box's text.
namespace sheet_numbers {

inline constexpr int kSingleOperandDigits = 9;
inline constexpr int kSingleResultDigits = 7;
inline constexpr int kDoubleResultDigits = 15;

// A substituted formula or a part of it: the text the sheet prints and the
// value a reader gets from that text, evaluated as written (× and / before +
// and −, each from left to right). Combining terms puts parentheses where the
// text would otherwise be read in another order.
class Term {
public:
    const std::string &Text() const { return text_; }
    double Value() const { return value_; }

    friend Term operator+(const Term &a, const Term &b);
    friend Term operator-(const Term &a, const Term &b);
    friend Term operator*(const Term &a, const Term &b);
    friend Term operator/(const Term &a, const Term &b);
    // The negative of a term, written with a leading "−".
    friend Term operator-(const Term &a);

    // A number as printed; a negative number stands in parentheses ("(-12)").
    static Term Number(const std::string &text);
    // A function's value written as a call, e.g. "P_qb(26)".
    static Term Call(const std::string &text, double value);

private:
    enum class Rank { Sum, Product, Atom };
    Term(std::string text, double value, Rank rank)
        : text_(std::move(text)), value_(value), rank_(rank)
    {
    }
    std::string Wrapped(bool parentheses) const { return parentheses ? "(" + text_ + ")" : text_; }

    std::string text_;
    double value_ = 0.0;
    Rank rank_ = Rank::Atom;
};

// A single-precision value as the calculation used it: nine significant digits.
Term Single(float value);
// A double-precision value (or a constant of a formula) with up to fifteen significant digits.
Term Double(double value);
// a − b of two single-precision values, each with the digits the difference
// needs to keep eight significant digits (at least nine).
Term Difference(float a, float b);

// The text of a single-precision operand, nine significant digits.
std::string SingleOperandText(float value);

// The result of a step whose calculation gave `value` from the numbers
// printed in `substituted`, as above, trailing zeros kept (the digits it has);
// the short text of a value the printed numbers give exactly; `value` in full
// when not one digit agrees. Zero is "0".
std::string ResultText(double value, int mostDigits, const Term &substituted);

// The unit of the last digit of a number text ("1.940930" → 1e-6, "12" → 1,
// "9.99999975E-06" → 1e-14).
double LastDigitUnit(const std::string &text);

} // namespace sheet_numbers
