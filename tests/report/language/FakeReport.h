#pragma once
// A report context for tests: dictionary variables, build values, object
// properties and methods held in maps, and a record of what the language asked
// of the report.

#include "report/language/Globals.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

class FakeReport : public TrqReportContext {
public:
    // Names the host's OnGetValue answers (any other name: left empty).
    std::map<AnsiString, Variant> hostValues;
    std::map<AnsiString, Variant> dictionary;
    std::map<TrqBuildValue, Variant> buildValues;
    std::map<AnsiString, Variant> properties;  // "Memo1.Left", "LEFT" (current view) ...
    std::map<AnsiString, Variant> indexed;     // "Memo1.Memo#2"
    std::vector<std::string> calls;            // what the report was asked to do, in order
    bool collecting = false;
    bool hasUserFunction = false;
    bool hasObject = true;  // object methods find their object

    void HostGetValue(const AnsiString& name, Variant& value) override
    {
        calls.push_back("host " + name);
        auto it = hostValues.find(name);
        if (it != hostValues.end()) value = it->second;
    }
    void HostUserFunction(const AnsiString& name, const Variant& p1, const Variant&, const Variant&,
                          Variant& value) override
    {
        if (!hasUserFunction) return;
        calls.push_back("user " + name + " after " + value.AsString());
        if (name == "TWICE") value = Variant(2 * rqParser().Evaluate(p1.AsString()).AsFloat());
    }
    bool GetDictionaryVariable(const AnsiString& name, Variant& value) override
    {
        return find(dictionary, name, value);
    }
    bool SetDictionaryVariable(const AnsiString& name, const Variant& value) override
    {
        return replace(dictionary, name, value);
    }
    Variant BuildValue(TrqBuildValue which) override
    {
        auto it = buildValues.find(which);
        return it == buildValues.end() ? Variant(0) : it->second;
    }
    bool GetObjectProperty(const AnsiString& name, Variant& value) override
    {
        return find(properties, name, value);
    }
    bool SetObjectProperty(const AnsiString& name, const Variant& value) override
    {
        return replace(properties, name, value);
    }
    bool CallObjectMethod(const AnsiString& name, const Variant& p1, const Variant&, const Variant&,
                          Variant& value) override
    {
        calls.push_back("method " + name + "(" + p1.AsString() + ")");
        if (!hasObject) return false;
        value = Variant("done");
        return true;
    }
    bool GetIndexProperty(const AnsiString& name, const Variant& index, Variant& value) override
    {
        return find(indexed, name + "#" + index.AsString(), value);
    }
    bool SetIndexProperty(const AnsiString& name, const Variant& index, const Variant& value) override
    {
        indexed[name + "#" + index.AsString()] = value;
        return true;
    }
    void StopReport() override { calls.push_back("stop"); }
    void RequestNewPage() override { calls.push_back("new page"); }
    void RequestNewColumn() override { calls.push_back("new column"); }
    void ShowBand(const AnsiString& name) override { calls.push_back("show band " + name); }
    void SetModalResult(int result) override { calls.push_back("modal result " + std::to_string(result)); }
    void SetCurY(int y) override { calls.push_back("cury " + std::to_string(y)); }
    void SetProgressText(const AnsiString& text) override { calls.push_back("progress " + text); }
    bool CollectingAggregates() override { return collecting; }
    void CallAggregate(TrqAggregateFunction function, const Variant& p1, const Variant& p2, const Variant& p3,
                       Variant& value) override
    {
        calls.push_back("aggregate " + std::to_string(static_cast<int>(function)) + " [" + p1.AsString() + "][" +
                        p2.AsString() + "][" + p3.AsString() + "] " + value.AsString());
        value = Variant(42);
    }

private:
    static bool find(const std::map<AnsiString, Variant>& map, const AnsiString& name, Variant& value)
    {
        auto it = map.find(name);
        if (it == map.end()) return false;
        value = it->second;
        return true;
    }
    static bool replace(std::map<AnsiString, Variant>& map, const AnsiString& name, const Variant& value)
    {
        auto it = map.find(name);
        if (it == map.end()) return false;
        it->second = value;
        return true;
    }
};

// Tests of the engine-wide language objects: each starts with empty global
// variables and no report, and leaves them so.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rqVariables().Clear();
        SetReportContext(nullptr);
    }
    void TearDown() override
    {
        rqVariables().Clear();
        SetReportContext(nullptr);
    }

    static Variant Eval(std::string_view text) { return rqParser().Evaluate(text); }
    // "kind:text" of a value, for compact expectations.
    static std::string Shown(const Variant& value)
    {
        return std::string(VarTypeName(value.Type())) + ":" + value.AsString();
    }
};
