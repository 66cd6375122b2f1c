#pragma once
// The runtime's exception classes. Every error the system reports travels as one
// of these; the message is text in the ANSI code page, exactly as the user sees it.
// Components define their own classes (EDatabaseError, EParserError, ...) by
// deriving from Exception with DECLARE_EXCEPTION.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }
    // The class name as the user would see it in a diagnostic ("EConvertError").
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string message_;
};

#define DECLARE_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                          \
    public:                                                             \
        using Base::Base;                                               \
        const char* ClassName() const override { return #Name; }        \
    };

// A silent exception: ends the current operation without any message.
DECLARE_EXCEPTION(EAbort, Exception)
DECLARE_EXCEPTION(EConvertError, Exception)
DECLARE_EXCEPTION(EVariantError, Exception)
DECLARE_EXCEPTION(EMathError, Exception)
DECLARE_EXCEPTION(EZeroDivide, EMathError)
DECLARE_EXCEPTION(EInvalidOperation, Exception)
DECLARE_EXCEPTION(EListError, Exception)
DECLARE_EXCEPTION(EStringListError, Exception)
DECLARE_EXCEPTION(EComponentError, Exception)
DECLARE_EXCEPTION(EStreamError, Exception)
DECLARE_EXCEPTION(EReadError, EStreamError)
DECLARE_EXCEPTION(EWriteError, EStreamError)
DECLARE_EXCEPTION(EFileStreamError, EStreamError)
DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
DECLARE_EXCEPTION(EInOutError, Exception)

// Raises EAbort.
[[noreturn]] void Abort();

// printf-style formatting into a std::string ("%s" takes a const char*).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The runtime's message texts.
namespace RuntimeText {
inline constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* InvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* InvalidDate = "'%s' is not a valid date";
inline constexpr const char* InvalidTime = "'%s' is not a valid time";
inline constexpr const char* InvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* InvalidBoolean = "'%s' is not a valid boolean value";
inline constexpr const char* DateEncodeError = "Invalid argument to date encode";
inline constexpr const char* TimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* StreamRead = "Stream read error";
inline constexpr const char* StreamWrite = "Stream write error";
inline constexpr const char* FileOpen = "Cannot open file \"%s\". %s";
inline constexpr const char* FileCreate = "Cannot create file \"%s\". %s";
inline constexpr const char* ListIndex = "List index out of bounds (%d)";
inline constexpr const char* DuplicateString = "String list does not allow duplicates";
inline constexpr const char* SortedListError = "Operation not allowed on sorted string list";
inline constexpr const char* DuplicateName = "A component named %s already exists";
inline constexpr const char* InvalidName = "'%s' is not a valid component name";
inline constexpr const char* DivByZero = "Floating point division by zero";
inline constexpr const char* IntDivByZero = "Division by zero";
inline constexpr const char* VarTypeCast = "Could not convert variant of type (%s) into type (%s)";
inline constexpr const char* VarInvalidOp = "Invalid variant operation";
}  // namespace RuntimeText
