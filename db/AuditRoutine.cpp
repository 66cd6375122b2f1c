#include "AuditRoutine.h"

#include "runtime/db/Database.h"
#include "runtime/db/Param.h"
#include "runtime/SysUtils.h"

namespace {

void answer(TParams& params, const AnsiString& text, const char* flag)
{
    params.ParamByName("Result").SetValue(Variant(text));
    params.ParamByName("FLAG").SetValue(Variant(flag));
}

}  // namespace

void FuncTavrel(TParams& params, TDatabase& db)
{
    AnsiString company = Trim(params.ParamByName("YWGSDM").AsString());
    if (company.empty()) return answer(params, Ansi(u8"业务公司代码为空!"), "0");

    // The module passes the document number as text; a text that is no
    // number names no document.
    double number = 0;
    const Variant& dh = params.ParamByName("DH").Value();
    bool numeric = dh.IsString() ? TryStrToFloat(Trim(dh.StringValue()), number) : !dh.IsEmptyOrNull();
    if (!dh.IsString() && numeric) number = dh.AsFloat();
    if (!numeric) return answer(params, Ansi(u8"单据不存在!"), "0");

    std::vector<TBindValue> key{{Variant(company), ftString}, {Variant(number), ftFloat}};
    auto cursor = db.OpenCursor("SELECT YWRQ00 FROM XSTGJFP1 WHERE GSDW00=? AND DHAO00=?", key);
    RecordBuilder row;
    row.Reset(1);
    if (!cursor->Fetch(row, {0}, {ftDateTime})) return answer(params, Ansi(u8"单据不存在!"), "0");
    RecordArena arena;
    bool audited = !ReadCell(row.Commit(arena), 0).IsNull();
    cursor.reset();

    const Variant& bj = params.ParamByName("BJ").Value();
    int64_t mark = bj.IsEmptyOrNull() ? -1 : bj.AsInteger();
    if (mark == 0) {
        if (audited) return answer(params, Ansi(u8"单据已审核，不能重复审核!"), "0");
        TParam& date = params.ParamByName("SHRQ00");
        if (date.IsNull()) return answer(params, Ansi(u8"审核日期为空!"), "0");
        // The state is checked again by the write itself: another program
        // may have audited the document since it was read.
        if (db.ExecSQL("UPDATE XSTGJFP1 SET YWRQ00=?, YWRY00=?, YWRYMC=? WHERE GSDW00=? AND DHAO00=? AND YWRQ00 IS NULL",
                       {{Variant::FromDateTime(date.AsDateTime()), ftDateTime},
                        BindValueOf(params.ParamByName("SHRY00")),
                        BindValueOf(params.ParamByName("SHRYMC")),
                        key[0], key[1]}) == 0)
            return answer(params, Ansi(u8"单据已审核，不能重复审核!"), "0");
        return answer(params, Ansi(u8"审核成功!"), "1");
    }
    if (mark == 1) {
        if (!audited) return answer(params, Ansi(u8"单据未审核，不能弃审!"), "0");
        if (db.ExecSQL("UPDATE XSTGJFP1 SET YWRQ00=NULL, YWRY00=NULL, YWRYMC=NULL "
                       "WHERE GSDW00=? AND DHAO00=? AND YWRQ00 IS NOT NULL",
                       key) == 0)
            return answer(params, Ansi(u8"单据未审核，不能弃审!"), "0");
        return answer(params, Ansi(u8"弃审成功!"), "1");
    }
    answer(params, Ansi(u8"审核标记无效!"), "0");
}
