#include "Variant.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <cmath>

const char* VarTypeName(VarType type)
{
    switch (type) {
    case VarType::Empty: return "empty";
    case VarType::Null: return "null";
    case VarType::Integer: return "integer";
    case VarType::Float: return "float";
    case VarType::Boolean: return "boolean";
    case VarType::DateTime: return "datetime";
    case VarType::String: return "string";
    }
    return "empty";
}

AnsiString Variant::AsString() const
{
    switch (type_) {
    case VarType::Empty:
    case VarType::Null: return AnsiString();
    case VarType::Integer: return IntToStr(i_);
    case VarType::Float: return FloatToStrGeneral(d_);
    case VarType::Boolean: return b_ ? "True" : "False";
    case VarType::DateTime: return DateTimeToStr(d_);
    case VarType::String: return s_;
    }
    return AnsiString();
}

double Variant::AsFloat() const
{
    switch (type_) {
    case VarType::Empty:
    case VarType::Null: return 0;
    case VarType::Integer: return static_cast<double>(i_);
    case VarType::Float:
    case VarType::DateTime: return d_;
    case VarType::Boolean: return b_ ? 1 : 0;
    case VarType::String: return StrToFloat(s_);
    }
    return 0;
}

namespace {
int64_t roundToInteger(double value, const AnsiString& text)
{
    if (!(value > -9223372036854775808.0 && value < 9223372036854775807.0))
        throw EConvertError(Format(RuntimeText::InvalidInteger, text.c_str()));
    return RoundHalfEven(value);
}
}  // namespace

int64_t Variant::AsInteger() const
{
    switch (type_) {
    case VarType::Empty:
    case VarType::Null: return 0;
    case VarType::Integer: return i_;
    case VarType::Float:
    case VarType::DateTime: return roundToInteger(d_, FloatToStrGeneral(d_));
    case VarType::Boolean: return b_ ? 1 : 0;
    case VarType::String: {
        int64_t v;
        if (TryStrToInt64(s_, v)) return v;
        double d;
        if (TryStrToFloat(s_, d)) return roundToInteger(d, s_);
        throw EConvertError(Format(RuntimeText::InvalidInteger, s_.c_str()));
    }
    }
    return 0;
}

bool Variant::AsBoolean() const
{
    switch (type_) {
    case VarType::Empty:
    case VarType::Null: return false;
    case VarType::Integer: return i_ != 0;
    case VarType::Float:
    case VarType::DateTime: return d_ != 0;
    case VarType::Boolean: return b_;
    case VarType::String: {
        if (SameText(s_, "True")) return true;
        if (SameText(s_, "False")) return false;
        double d;
        if (TryStrToFloat(s_, d)) return d != 0;
        throw EConvertError(Format(RuntimeText::InvalidBoolean, s_.c_str()));
    }
    }
    return false;
}

TDateTime Variant::AsDateTime() const
{
    switch (type_) {
    case VarType::String: {
        TDateTime dt;
        if (TryStrToDateTime(s_, dt)) return dt;
        double d;
        if (TryStrToFloat(s_, d)) return d;
        throw EConvertError(Format(RuntimeText::InvalidDateTime, s_.c_str()));
    }
    default: return AsFloat();
    }
}

bool Variant::Identical(const Variant& other) const
{
    if (type_ != other.type_) return false;
    switch (type_) {
    case VarType::Empty:
    case VarType::Null: return true;
    case VarType::Integer: return i_ == other.i_;
    case VarType::Float:
    case VarType::DateTime: return d_ == other.d_ || (std::isnan(d_) && std::isnan(other.d_));
    case VarType::Boolean: return b_ == other.b_;
    case VarType::String: return s_ == other.s_;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Arithmetic

namespace {

enum class Op { Add, Sub, Mul, Div };

// The numeric kind an operand takes part in arithmetic with.
enum class NumKind { Int, Float, Date };

struct Number {
    NumKind kind;
    int64_t i;
    double d;
};

Number toNumber(const Variant& v)
{
    switch (v.Type()) {
    case VarType::Empty: return {NumKind::Int, 0, 0};
    case VarType::Integer: return {NumKind::Int, v.IntValue(), 0};
    case VarType::Boolean: return {NumKind::Int, v.BoolValue() ? 1 : 0, 0};
    case VarType::Float: return {NumKind::Float, 0, v.FloatValue()};
    case VarType::DateTime: return {NumKind::Date, 0, v.FloatValue()};
    case VarType::String: return {NumKind::Float, 0, StrToFloat(v.StringValue())};
    case VarType::Null: break;
    }
    return {NumKind::Int, 0, 0};
}

double asDouble(const Number& n)
{
    return n.kind == NumKind::Int ? static_cast<double>(n.i) : n.d;
}

Variant arithmetic(const Variant& a, const Variant& b, Op op)
{
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    if (op == Op::Add) {
        bool aText = a.IsString() || a.IsEmpty();
        bool bText = b.IsString() || b.IsEmpty();
        if (aText && bText && (a.IsString() || b.IsString()))
            return Variant(a.StringValue() + b.StringValue());
    }
    Number x = toNumber(a);
    Number y = toNumber(b);
    if (x.kind == NumKind::Int && y.kind == NumKind::Int && op != Op::Div) {
        int64_t r;
        bool overflow = false;
        switch (op) {
        case Op::Add: overflow = __builtin_add_overflow(x.i, y.i, &r); break;
        case Op::Sub: overflow = __builtin_sub_overflow(x.i, y.i, &r); break;
        default: overflow = __builtin_mul_overflow(x.i, y.i, &r); break;
        }
        if (!overflow) return Variant(r);
    }
    double dx = asDouble(x), dy = asDouble(y);
    double r;
    switch (op) {
    case Op::Add: r = dx + dy; break;
    case Op::Sub: r = dx - dy; break;
    case Op::Mul: r = dx * dy; break;
    default:
        if (dy == 0) throw EZeroDivide(RuntimeText::DivByZero);
        r = dx / dy;
        break;
    }
    bool date = false;
    if (op == Op::Add) date = (x.kind == NumKind::Date) != (y.kind == NumKind::Date);
    else if (op == Op::Sub) date = x.kind == NumKind::Date && y.kind != NumKind::Date;
    return date ? Variant::FromDateTime(r) : Variant(r);
}

int64_t truncToInteger(const Variant& v)
{
    Number n = toNumber(v);
    if (n.kind == NumKind::Int) return n.i;
    double t = std::trunc(n.d);
    if (!(t > -9223372036854775808.0 && t < 9223372036854775807.0))
        throw EConvertError(Format(RuntimeText::InvalidInteger, FloatToStrGeneral(n.d).c_str()));
    return static_cast<int64_t>(t);
}

}  // namespace

Variant operator+(const Variant& a, const Variant& b) { return arithmetic(a, b, Op::Add); }
Variant operator-(const Variant& a, const Variant& b) { return arithmetic(a, b, Op::Sub); }
Variant operator*(const Variant& a, const Variant& b) { return arithmetic(a, b, Op::Mul); }
Variant operator/(const Variant& a, const Variant& b) { return arithmetic(a, b, Op::Div); }

Variant Mod(const Variant& a, const Variant& b)
{
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    int64_t x = truncToInteger(a);
    int64_t y = truncToInteger(b);
    if (y == 0) throw EZeroDivide(RuntimeText::IntDivByZero);
    if (y == -1) return Variant(0);  // INT64_MIN % -1 overflows
    return Variant(x % y);
}

Variant Variant::operator-() const
{
    switch (type_) {
    case VarType::Null: return Null();
    case VarType::Empty: return Variant(0);
    case VarType::Integer:
        if (i_ == INT64_MIN) return Variant(-static_cast<double>(i_));
        return Variant(-i_);
    case VarType::Boolean: return Variant(b_ ? -1 : 0);
    case VarType::Float:
    case VarType::DateTime: return Variant(-d_);
    case VarType::String: return Variant(-StrToFloat(s_));
    }
    return Variant();
}

// ---------------------------------------------------------------------------
// Comparison

namespace {

template <class T>
int threeWay(T x, T y)
{
    return x < y ? -1 : (x > y ? 1 : 0);
}

int compareNumbers(const Variant& a, const Variant& b)
{
    Number x = toNumber(a), y = toNumber(b);
    if (x.kind == NumKind::Int && y.kind == NumKind::Int) return threeWay(x.i, y.i);
    return threeWay(asDouble(x), asDouble(y));
}

}  // namespace

int Compare(const Variant& a, const Variant& b)
{
    if (a.IsNull() || b.IsNull()) {
        if (a.IsNull() && b.IsNull()) return 0;
        return a.IsNull() ? -1 : 1;
    }
    if (a.IsString() && b.IsString()) return CompareStr(a.StringValue(), b.StringValue());
    if (a.IsEmpty() && b.IsEmpty()) return 0;
    // Empty beside a text is "".
    if (a.IsEmpty() && b.IsString()) return CompareStr("", b.StringValue());
    if (b.IsEmpty() && a.IsString()) return CompareStr(a.StringValue(), "");
    if (a.IsString() || b.IsString()) {
        const Variant& text = a.IsString() ? a : b;
        const Variant& other = a.IsString() ? b : a;
        double d;
        Variant number;
        if (TryStrToFloat(text.StringValue(), d)) number = Variant(d);
        else if (other.Type() == VarType::DateTime && TryStrToDateTime(text.StringValue(), d)) number = Variant(d);
        if (!number.IsEmpty()) {
            int c = compareNumbers(number, other);
            return a.IsString() ? c : -c;
        }
        return CompareStr(a.AsString(), b.AsString());
    }
    return compareNumbers(a, b);
}
