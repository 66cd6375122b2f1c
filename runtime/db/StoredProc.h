#pragma once
// TStoredProc: a stored function or procedure of a named database.
//
// Params are declared with their kinds (input, output, input/output, result)
// and found by name without regard to case. Values stay in the object between
// calls: a parameter not set anew passes its last value again (input/output
// parameters their last returned value).
//
// ExecProc: when the session has a routine registered under StoredProcName
// (engines without stored functions), the routine runs with the parameters.
// Otherwise the server's function is called with the input and input/output
// parameters in their declared order; its result row gives each output,
// input/output and result parameter the column of the same name, and a single
// unnamed value goes to the result parameter.

#include "DBDataSet.h"
#include "Param.h"

class TStoredProc : public TDBDataSet {
public:
    explicit TStoredProc(TComponent* owner = nullptr) : TDBDataSet(owner) {}
    const char* ClassName() const override { return "TStoredProc"; }

    const AnsiString& StoredProcName() const { return procName_; }
    void SetStoredProcName(const AnsiString& name) { procName_ = name; }
    TParams& Params() { return params_; }
    const TParams& Params() const { return params_; }
    TParam& ParamByName(std::string_view name) { return params_.ParamByName(name); }

    void ExecProc();

protected:
    std::unique_ptr<TDbCursor> OpenCursor() override;

private:
    AnsiString callText() const;
    std::vector<TBindValue> inputs() const;

    AnsiString procName_;
    TParams params_;
};
