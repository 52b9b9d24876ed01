#include "report/sheet_numbers.h"

#include "portable/std_shims.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>

namespace sheet_numbers {

namespace {

    // The most significant digits a number is written with: a double has no more.
    constexpr int kMostDigits = 17;
    // Eight significant digits of a difference: the seven a single-precision
    // result shows and one more, so that rounding the operands cannot reach them.
    constexpr int kDifferenceDigits = 8;
    // The printed numbers support a result's last digit when the value they give
    // lies within this share of its unit from the calculation's value.
    constexpr double kSupportedShare = 0.25;
    // The calculation's value rounded is printed where the printed numbers give
    // it within this share of a unit: a little less than half, so that a reader
    // who evaluates in another order still lands within the half unit.
    constexpr double kOwnRoundingShare = 0.45;

    double ValueOf(const std::string &text)
    {
        return portable::DecimalNumber(text).value_or(0.0);
    }

    // %G-style text with exactly `digits` significant digits: the trailing zeros
    // the short form drops are written again.
    std::string DigitsText(double value, int digits)
    {
        if (value == 0.0 || !std::isfinite(value))
            return DoubleText(value);
        std::string text = portable::GeneralDigits(value, digits);
        const std::size_t exponent = std::min(text.find('E'), text.size());
        std::string mantissa = text.substr(0, exponent);
        int significant = 0;
        bool started = false;
        for (char c : mantissa) {
            if (c >= '1' && c <= '9')
                started = true;
            if (started && c >= '0' && c <= '9')
                ++significant;
        }
        if (significant >= digits)
            return text;
        if (mantissa.find('.') == std::string::npos)
            mantissa += '.';
        mantissa.append(static_cast<std::size_t>(digits - significant), '0');
        return mantissa + text.substr(exponent);
    }

    // The position of the leading digit of |value|: 0 for 1…9.99, −3 for 0.005.
    int LeadingPlace(double value)
    {
        return static_cast<int>(std::floor(std::log10(std::fabs(value))));
    }

} // namespace

Term Term::Number(const std::string &text)
{
    const bool negative = !text.empty() && text.front() == '-';
    return Term(negative ? "(" + text + ")" : text, ValueOf(text), Rank::Atom);
}

Term Term::Call(const std::string &text, double value)
{
    return Term(text, value, Rank::Atom);
}

Term operator+(const Term &a, const Term &b)
{
    return Term(a.text_ + " + " + b.Wrapped(b.rank_ == Term::Rank::Sum), a.value_ + b.value_,
                Term::Rank::Sum);
}

Term operator-(const Term &a, const Term &b)
{
    return Term(a.text_ + " − " + b.Wrapped(b.rank_ == Term::Rank::Sum), a.value_ - b.value_,
                Term::Rank::Sum);
}

Term operator*(const Term &a, const Term &b)
{
    return Term(a.Wrapped(a.rank_ == Term::Rank::Sum) + " × "
                    + b.Wrapped(b.rank_ != Term::Rank::Atom),
                a.value_ * b.value_, Term::Rank::Product);
}

Term operator/(const Term &a, const Term &b)
{
    return Term(a.Wrapped(a.rank_ == Term::Rank::Sum) + " / "
                    + b.Wrapped(b.rank_ != Term::Rank::Atom),
                a.value_ / b.value_, Term::Rank::Product);
}

Term operator-(const Term &a)
{
    return Term("−" + a.Wrapped(a.rank_ != Term::Rank::Atom), -a.value_, Term::Rank::Atom);
}

std::string SingleOperandText(float value)
{
    return value == 0.0f
        ? std::string("0")
        : portable::GeneralDigits(static_cast<double>(value), kSingleOperandDigits);
}

Term Single(float value)
{
    return Term::Number(SingleOperandText(value));
}

Term Double(double value)
{
    return Term::Number(DoubleText(value));
}

Term Difference(float a, float b)
{
    const double difference = static_cast<double>(a) - b;
    if (difference == 0.0 || a == 0.0f || b == 0.0f)
        return Single(a) - Single(b);
    // The place of the difference's last kept digit, and for each operand the
    // significant digits that reach it.
    const int last = LeadingPlace(difference) - (kDifferenceDigits - 1);
    const auto operand = [last](float value) {
        const int digits
            = std::clamp(LeadingPlace(value) - last + 1, kSingleOperandDigits, kMostDigits);
        return Term::Number(portable::GeneralDigits(static_cast<double>(value), digits));
    };
    return operand(a) - operand(b);
}

double LastDigitUnit(const std::string &text)
{
    const std::size_t exponent = text.find('E');
    const std::string mantissa = text.substr(0, exponent);
    const std::size_t point = mantissa.find('.');
    const int decimals
        = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    const int power = exponent == std::string::npos ? 0 : std::stoi(text.substr(exponent + 1));
    return std::pow(10.0, power - decimals);
}

std::string ResultText(double value, int mostDigits, const Term &substituted)
{
    const double printed = substituted.Value();
    if (value == 0.0 || !std::isfinite(value) || !std::isfinite(printed))
        return DoubleText(value);
    // Printed numbers that give the value exactly: its short text.
    if (printed == value)
        return portable::GeneralDigits(value, mostDigits);
    for (int digits = mostDigits; digits >= 1; --digits) {
        const std::string text = DigitsText(printed, digits);
        if (std::fabs(printed - value) > kSupportedShare * LastDigitUnit(text))
            continue;
        // The calculation's value rounded, as the result boxes round it,
        // where the printed numbers give that too.
        const std::string own = DigitsText(value, digits);
        const bool reproduced
            = std::fabs(printed - ValueOf(own)) <= kOwnRoundingShare * LastDigitUnit(own);
        return reproduced ? own : text;
    }
    return DigitsText(value, mostDigits);
}

} // namespace sheet_numbers
