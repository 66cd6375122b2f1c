#pragma once
// The field classes by kind of value.
//
//   TStringField    text of at most Size bytes in the code page; an empty text
//                   is stored as null (it reads back as "").
//   TIntegerField   32-bit integer; TLargeintField 64-bit integer.
//   TFloatField     double; Precision significant digits in the general form.
//   TBooleanField   DisplayValues "True;False" give the texts of true and false.
//   TDateTimeField  date and time; TDateField the date only; TTimeField the
//                   time of day only. DisplayFormat uses FormatDateTime.
//   TBlobField      bytes; TMemoField text of any length.
//
// Numeric fields (integer, large integer, float) show DisplayFormat through
// FormatFloat, edit with EditFormat (or DisplayFormat when it is empty), are
// right-aligned, and accept only the characters of a number as typed input.

#include "Field.h"

class TStringField : public TField {
public:
    explicit TStringField(TComponent* owner = nullptr, int size = 20) : TField(owner, ftString, size) {}
    const char* ClassName() const override { return "TStringField"; }

protected:
    Variant Coerce(const Variant& value) const override;
    int DefaultWidth() const override { return Size() > 0 ? Size() : 20; }
};

class TNumericField : public TField {
public:
    const AnsiString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const AnsiString& f) { displayFormat_ = f; }
    const AnsiString& EditFormat() const { return editFormat_; }
    void SetEditFormat(const AnsiString& f) { editFormat_ = f; }

protected:
    TNumericField(TComponent* owner, TFieldType type) : TField(owner, type, 0) { SetAlignment(taRightJustify); }
    const AnsiString& FormatFor(bool displayText) const
    {
        return (displayText || editFormat_.empty()) ? displayFormat_ : editFormat_;
    }

private:
    AnsiString displayFormat_, editFormat_;
};

class TIntegerField : public TNumericField {
public:
    explicit TIntegerField(TComponent* owner = nullptr) : TNumericField(owner, ftInteger) {}
    const char* ClassName() const override { return "TIntegerField"; }
    bool IsValidChar(char c) const override;

protected:
    TIntegerField(TComponent* owner, TFieldType type) : TNumericField(owner, type) {}
    AnsiString GetText(bool displayText) const override;
    Variant ParseText(const AnsiString& text) const override;
    Variant Coerce(const Variant& value) const override;
    int DefaultWidth() const override { return 11; }
};

class TLargeintField : public TIntegerField {
public:
    explicit TLargeintField(TComponent* owner = nullptr) : TIntegerField(owner, ftLargeint) {}
    const char* ClassName() const override { return "TLargeintField"; }

protected:
    Variant Coerce(const Variant& value) const override;
    int DefaultWidth() const override { return 15; }
};

class TFloatField : public TNumericField {
public:
    explicit TFloatField(TComponent* owner = nullptr) : TNumericField(owner, ftFloat) {}
    const char* ClassName() const override { return "TFloatField"; }
    int Precision() const { return precision_; }
    void SetPrecision(int p) { precision_ = p < 2 ? 2 : (p > 15 ? 15 : p); }
    bool Currency() const { return currency_; }
    void SetCurrency(bool c) { currency_ = c; }
    bool IsValidChar(char c) const override;

protected:
    AnsiString GetText(bool displayText) const override;
    Variant ParseText(const AnsiString& text) const override;
    Variant Coerce(const Variant& value) const override;

private:
    int precision_ = 15;
    bool currency_ = false;
};

class TBooleanField : public TField {
public:
    explicit TBooleanField(TComponent* owner = nullptr) : TField(owner, ftBoolean, 0) {}
    const char* ClassName() const override { return "TBooleanField"; }
    const AnsiString& DisplayValues() const { return displayValues_; }
    void SetDisplayValues(const AnsiString& v) { displayValues_ = v; }

protected:
    AnsiString GetText(bool displayText) const override;
    Variant ParseText(const AnsiString& text) const override;
    Variant Coerce(const Variant& value) const override;
    int DefaultWidth() const override { return 5; }

private:
    AnsiString displayValues_ = "True;False";
};

class TDateTimeField : public TField {
public:
    explicit TDateTimeField(TComponent* owner = nullptr) : TField(owner, ftDateTime, 0) {}
    const char* ClassName() const override { return "TDateTimeField"; }
    const AnsiString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const AnsiString& f) { displayFormat_ = f; }

protected:
    TDateTimeField(TComponent* owner, TFieldType type) : TField(owner, type, 0) {}
    AnsiString GetText(bool displayText) const override;
    Variant ParseText(const AnsiString& text) const override;
    Variant Coerce(const Variant& value) const override;
    int DefaultWidth() const override { return 18; }

private:
    AnsiString displayFormat_;
};

class TDateField : public TDateTimeField {
public:
    explicit TDateField(TComponent* owner = nullptr) : TDateTimeField(owner, ftDate) {}
    const char* ClassName() const override { return "TDateField"; }

protected:
    int DefaultWidth() const override { return 10; }
};

class TTimeField : public TDateTimeField {
public:
    explicit TTimeField(TComponent* owner = nullptr) : TDateTimeField(owner, ftTime) {}
    const char* ClassName() const override { return "TTimeField"; }

protected:
    int DefaultWidth() const override { return 10; }
};

class TBlobField : public TField {
public:
    explicit TBlobField(TComponent* owner = nullptr) : TField(owner, ftBlob, 0) {}
    const char* ClassName() const override { return "TBlobField"; }

protected:
    TBlobField(TComponent* owner, TFieldType type) : TField(owner, type, 0) {}
    AnsiString GetText(bool displayText) const override;
    Variant Coerce(const Variant& value) const override;
};

class TMemoField : public TBlobField {
public:
    explicit TMemoField(TComponent* owner = nullptr) : TBlobField(owner, ftMemo) {}
    const char* ClassName() const override { return "TMemoField"; }

protected:
    AnsiString GetText(bool displayText) const override;
};
