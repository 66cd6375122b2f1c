#pragma once
// Variant: the dynamically typed value of the grid and the report engine.
//
// Kinds: Empty (never assigned), Null (no value), Integer (64-bit), Float
// (double), Boolean, DateTime (a TDateTime, days since 1899-12-30) and String
// (an AnsiString in the code page).
//
// Conversions
//   to text      Empty, Null -> ""; Integer -> decimal; Float -> general form, up to
//                15 significant digits, decimal separator in effect ("1.5", "1E20");
//                Boolean -> "True" / "False"; DateTime -> DateTimeToStr (short date,
//                then the long time unless it is midnight); String -> itself.
//   to float     Empty, Null -> 0; Boolean -> 1 / 0; DateTime -> its day count;
//                String -> StrToFloat, else EConvertError
//                "'%s' is not a valid floating point value".
//   to integer   Empty, Null -> 0; Float, DateTime -> rounded, halves to even;
//                Boolean -> 1 / 0; String -> StrToInt64, else a float text rounded,
//                else EConvertError "'%s' is not a valid integer value" (also for a
//                float outside the 64-bit range).
//   to boolean   Empty, Null -> false; numbers -> not 0; String -> "True"/"False" in
//                any case, else a number text (not 0), else EConvertError
//                "'%s' is not a valid boolean value".
//   to date-time Empty, Null -> 0; numbers -> the number; Boolean -> 1 / 0;
//                String -> StrToDateTime, else a number text, else EConvertError
//                "'%s' is not a valid date and time".
//
// Operators (a op b)
//   Null         +, -, *, /, MOD and negation with a Null operand give Null.
//   Empty        counts as the integer 0 beside a number and as "" beside a text;
//                Empty op Empty is the integer 0.
//   String       String + String (and String + Empty) concatenates. Any other
//                arithmetic converts the text to a float (EConvertError when it is
//                not a number) and goes on as for numbers.
//   Boolean      counts as the integer 1 (true) or 0 (false) in arithmetic.
//   numbers      Integer op Integer for +, -, * stays Integer (Float on overflow);
//                "/" always gives Float; a Float operand makes the result Float.
//   DateTime     DateTime + number, number + DateTime and DateTime - number give
//                DateTime; DateTime - DateTime gives Float; *, / give Float.
//   "/"          by zero raises EZeroDivide "Floating point division by zero" (the
//                report parser checks for zero itself and yields 0).
//   MOD          both operands as integers (floats truncated towards zero); the
//                result is Integer; by zero raises EZeroDivide "Division by zero".
//   negation     Integer -> Integer; Float -> Float; Boolean -> Integer -1 / 0;
//                DateTime -> Float; String -> -float; Empty -> Integer 0.
//
// Comparison (Compare gives -1, 0, 1; ==, <, ... use it)
//   Null         equals only Null and is less than every other value.
//   Empty        equals Empty; beside a number it is 0, beside a text "".
//   numbers      Integer, Float, Boolean (1 / 0) and DateTime compare numerically.
//   String       two texts compare byte by byte (case matters). A text beside a
//                number compares numerically when the text reads as a number
//                (StrToFloat), beside a DateTime also when it reads as a
//                date-time; otherwise both compare as texts.

#include "AnsiString.h"
#include "DateTime.h"

#include <cstdint>
#include <string>

enum class VarType : uint8_t { Empty, Null, Integer, Float, Boolean, DateTime, String };

// Lower-case kind name: "empty", "null", "integer", "float", "boolean", "datetime", "string".
const char* VarTypeName(VarType type);

class Variant {
public:
    Variant() noexcept : type_(VarType::Empty), i_(0) {}
    Variant(int v) noexcept : type_(VarType::Integer), i_(v) {}
    Variant(long v) noexcept : type_(VarType::Integer), i_(v) {}
    Variant(long long v) noexcept : type_(VarType::Integer), i_(v) {}
    Variant(unsigned v) noexcept : type_(VarType::Integer), i_(v) {}
    Variant(double v) noexcept : type_(VarType::Float), d_(v) {}
    Variant(bool v) noexcept : type_(VarType::Boolean), b_(v) {}
    Variant(const char* v) : type_(VarType::String), i_(0), s_(v ? v : "") {}
    Variant(std::string_view v) : type_(VarType::String), i_(0), s_(v) {}
    Variant(const AnsiString& v) : type_(VarType::String), i_(0), s_(v) {}
    Variant(AnsiString&& v) noexcept : type_(VarType::String), i_(0), s_(std::move(v)) {}

    static Variant Null() noexcept
    {
        Variant v;
        v.type_ = VarType::Null;
        return v;
    }
    static Variant FromDateTime(TDateTime value) noexcept
    {
        Variant v(value);
        v.type_ = VarType::DateTime;
        return v;
    }

    VarType Type() const noexcept { return type_; }
    bool IsEmpty() const noexcept { return type_ == VarType::Empty; }
    bool IsNull() const noexcept { return type_ == VarType::Null; }
    bool IsEmptyOrNull() const noexcept { return type_ == VarType::Empty || type_ == VarType::Null; }
    bool IsString() const noexcept { return type_ == VarType::String; }
    // Integer, Float, Boolean or DateTime.
    bool IsNumeric() const noexcept
    {
        return type_ == VarType::Integer || type_ == VarType::Float || type_ == VarType::Boolean ||
               type_ == VarType::DateTime;
    }

    // Stored values, meaningful only for the matching kind.
    int64_t IntValue() const noexcept { return i_; }
    double FloatValue() const noexcept { return d_; }
    bool BoolValue() const noexcept { return b_; }
    const AnsiString& StringValue() const noexcept { return s_; }

    AnsiString AsString() const;
    double AsFloat() const;
    int64_t AsInteger() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;

    // Same kind and same stored value (unlike ==, which compares by value).
    bool Identical(const Variant& other) const;

    Variant operator-() const;
    friend Variant operator+(const Variant& a, const Variant& b);
    friend Variant operator-(const Variant& a, const Variant& b);
    friend Variant operator*(const Variant& a, const Variant& b);
    friend Variant operator/(const Variant& a, const Variant& b);
    friend Variant Mod(const Variant& a, const Variant& b);

    friend int Compare(const Variant& a, const Variant& b);
    friend bool operator==(const Variant& a, const Variant& b) { return Compare(a, b) == 0; }
    friend bool operator!=(const Variant& a, const Variant& b) { return Compare(a, b) != 0; }
    friend bool operator<(const Variant& a, const Variant& b) { return Compare(a, b) < 0; }
    friend bool operator<=(const Variant& a, const Variant& b) { return Compare(a, b) <= 0; }
    friend bool operator>(const Variant& a, const Variant& b) { return Compare(a, b) > 0; }
    friend bool operator>=(const Variant& a, const Variant& b) { return Compare(a, b) >= 0; }

private:
    VarType type_;
    union {
        int64_t i_;
        double d_;
        bool b_;
    };
    AnsiString s_;
};
