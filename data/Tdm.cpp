#include "Tdm.h"

#include "Params.h"

Tdm* dm = nullptr;

namespace {

enum Kind { Str, Flt, Dtm };

struct FieldSpec {
    const char* name;
    Kind kind;
    int size;
};

// The header's fields; the print query starts with the same twenty.
const FieldSpec kHeaderFields[] = {
    {"GSDW00", Str, 12}, {"DHAO00", Flt, 0},  {"CKRQ00", Dtm, 0}, {"CKRY00", Str, 8},  {"CKRYMC", Str, 10},
    {"YWRQ00", Dtm, 0},  {"YWRY00", Str, 8},  {"YWRYMC", Str, 10}, {"CWRQ00", Dtm, 0}, {"CWRY00", Str, 8},
    {"DWDM00", Str, 12}, {"DWMC00", Str, 50}, {"GJBJ00", Str, 4},  {"FPHAO0", Str, 10}, {"ZZSL00", Flt, 0},
    {"PZNY00", Str, 6},  {"PZH000", Flt, 0},  {"BEIZHU", Str, 50}, {"YWGSMC", Str, 30}, {"ZBDM00", Str, 12},
};

TField* addField(TDataSet* ds, const FieldSpec& spec, bool readOnly = false, const char* origin = nullptr)
{
    TField* f = nullptr;
    switch (spec.kind) {
    case Str: f = new TStringField(ds, spec.size); break;
    case Flt: f = new TFloatField(ds); break;
    case Dtm: f = new TDateTimeField(ds); break;
    }
    f->SetName(ds->Name() + spec.name);
    f->SetFieldName(spec.name);
    f->SetReadOnly(readOnly);
    if (origin) f->SetOrigin(origin);
    f->SetDataSet(ds);
    return f;
}

void setLines(TStringList& list, std::initializer_list<const char8_t*> lines)
{
    TStringList text;
    for (const char8_t* line : lines) text.Add(Ansi(line));
    list.Assign(text);
}

template <class T>
T* make(TComponent* owner, const char* name)
{
    T* object = new T(owner);
    object->SetName(name);
    return object;
}

}  // namespace

Tdm::Tdm(TComponent* owner) : TDataModule(owner)
{
    SetName("dm");
    ds_xstgjfp1 = make<TDataSource>(this, "ds_xstgjfp1");
    qry_xstgjfp1 = make<TQuery>(this, "qry_xstgjfp1");
    ds_xstgjfp2 = make<TDataSource>(this, "ds_xstgjfp2");
    qry_xstgjfp2 = make<TQuery>(this, "qry_xstgjfp2");
    usql_xstgjfp2 = make<TUpdateSQL>(this, "usql_xstgjfp2");
    func_tavrel = make<TStoredProc>(this, "func_tavrel");
    qry_xsvgjfp0 = make<TQuery>(this, "qry_xsvgjfp0");

    // Document headers of the company.
    qry_xstgjfp1->SetDatabaseName("qdb");
    setLines(qry_xstgjfp1->SQL(),
             {u8"SELECT A.GSDW00,A.DHAO00,A.CKRQ00,A.CKRY00,A.CKRYMC,A.YWRQ00,A.YWRY00,A.YWRYMC,",
              u8"A.CWRQ00,A.CWRY00,A.DWDM00,A.DWMC00,decode(A.GJBJ00,'ZM','专卖','购进') GJBJ00,A.FPHAO0,A.ZZSL00,",
              u8"A.PZNY00,A.PZH000,A.BEIZHU,B.GSJC00 YWGSMC,B.ZBDM00 ",
              u8"FROM XSTGJFP1 A,XTTGSSZ0 B",
              u8"WHERE A.GSDW00=B.GSDM00 ",
              u8"AND A.GSDW00=:GSDM",
              u8"ORDER BY A.CKRQ00 DESC,B.ZBDM00,A.DHAO00 DESC"});
    qry_xstgjfp1->ParamByName("GSDM").SetDataType(ftString);
    for (const FieldSpec& spec : kHeaderFields) addField(qry_xstgjfp1, spec);
    qry_xstgjfp1GSDW00 = static_cast<TStringField*>(qry_xstgjfp1->FieldByName("GSDW00"));
    qry_xstgjfp1DHAO00 = static_cast<TFloatField*>(qry_xstgjfp1->FieldByName("DHAO00"));
    qry_xstgjfp1CKRQ00 = static_cast<TDateTimeField*>(qry_xstgjfp1->FieldByName("CKRQ00"));
    qry_xstgjfp1YWRQ00 = static_cast<TDateTimeField*>(qry_xstgjfp1->FieldByName("YWRQ00"));
    qry_xstgjfp1->BeforeOpen = [this](TDataSet* ds) { qry_xstgjfp1BeforeOpen(ds); };
    ds_xstgjfp1->SetDataSet(qry_xstgjfp1);

    // Lines of the current document, following the header.
    qry_xstgjfp2->SetDatabaseName("qdb");
    setLines(qry_xstgjfp2->SQL(),
             {u8"SELECT A.GSDW00,A.DHAO00,A.SPDM00,A.SPMC00,A.DJIA00,A.SL0000,A.JE0000,A.SE0000,B.SPMC00  ",
              u8"FROM XSTGJFP2 A,GSTJYGL1 B",
              u8"WHERE A.GSDW00=:GSDW00 AND A.DHAO00=:DHAO00 AND A.SPDM00=B.SPDM00",
              u8"ORDER BY A.SPDM00"});
    TParam& gsdw = qry_xstgjfp2->ParamByName("GSDW00");
    gsdw.SetDataType(ftString);
    gsdw.SetSize(13);
    TParam& dhao = qry_xstgjfp2->ParamByName("DHAO00");
    dhao.SetDataType(ftFloat);
    dhao.SetSize(8);
    addField(qry_xstgjfp2, {"GSDW00", Str, 12}, false, "QDB.XSTGJFP2.GSDW00");
    addField(qry_xstgjfp2, {"DHAO00", Flt, 0}, false, "QDB.XSTGJFP2.DHAO00");
    qry_xstgjfp2SPDM00 = static_cast<TStringField*>(addField(qry_xstgjfp2, {"SPDM00", Str, 8}, true, "QDB.XSTGJFP2.SPDM00"));
    addField(qry_xstgjfp2, {"SPMC00", Str, 30}, true, "QDB.XSTGJFP2.SPMC00");
    qry_xstgjfp2DJIA00 = static_cast<TFloatField*>(addField(qry_xstgjfp2, {"DJIA00", Flt, 0}, false, "QDB.XSTGJFP2.DJIA00"));
    qry_xstgjfp2SL0000 = static_cast<TFloatField*>(addField(qry_xstgjfp2, {"SL0000", Flt, 0}, true, "QDB.XSTGJFP2.SL0000"));
    qry_xstgjfp2JE0000 = static_cast<TFloatField*>(addField(qry_xstgjfp2, {"JE0000", Flt, 0}, false, "QDB.XSTGJFP2.JE0000"));
    qry_xstgjfp2SE0000 = static_cast<TFloatField*>(addField(qry_xstgjfp2, {"SE0000", Flt, 0}, false, "QDB.XSTGJFP2.SE0000"));
    addField(qry_xstgjfp2, {"SPMC00_1", Str, 30}, false, "QDB.GSTJYGL1.SPMC00");
    qry_xstgjfp2->BeforeOpen = [this](TDataSet* ds) { qry_xstgjfp1BeforeOpen(ds); };
    qry_xstgjfp2->SetDataSource(ds_xstgjfp1);
    qry_xstgjfp2->SetCachedUpdates(true);
    qry_xstgjfp2->SetUpdateObject(usql_xstgjfp2);
    ds_xstgjfp2->SetDataSet(qry_xstgjfp2);

    // Statements that write the cached line changes.
    // A changed line is written only while it still holds the values this
    // window read: when another auditor changed or removed it meanwhile the
    // statement reaches no row and the save fails ("Update failed") instead
    // of overwriting the other auditor's work. The cast gives the null test
    // a type on servers that prepare statements before binding.
    setLines(usql_xstgjfp2->ModifySQL(),
             {u8"update XSTGJFP2", u8"set", u8"  DJIA00 = :DJIA00,", u8"  JE0000 = :JE0000,", u8"  SE0000 = :SE0000",
              u8"where", u8"  GSDW00 = :OLD_GSDW00 and", u8"  DHAO00 = :OLD_DHAO00 and", u8"  SPDM00 = :OLD_SPDM00 and",
              u8"  (DJIA00 = :OLD_DJIA00 or DJIA00 is null and cast(:OLD_DJIA00 as double precision) is null) and",
              u8"  (JE0000 = :OLD_JE0000 or JE0000 is null and cast(:OLD_JE0000 as double precision) is null) and",
              u8"  (SE0000 = :OLD_SE0000 or SE0000 is null and cast(:OLD_SE0000 as double precision) is null)"});
    setLines(usql_xstgjfp2->InsertSQL(),
             {u8"insert into XSTGJFP2", u8"  (DJIA00, JE0000, SE0000)", u8"values", u8"  (:DJIA00, :JE0000, :SE0000)"});
    setLines(usql_xstgjfp2->DeleteSQL(),
             {u8"delete from XSTGJFP2", u8"where", u8"  GSDW00 = :OLD_GSDW00 and", u8"  DHAO00 = :OLD_DHAO00 and",
              u8"  SPDM00 = :OLD_SPDM00"});

    // The audit / revoke function.
    func_tavrel->SetDatabaseName("QDB");
    func_tavrel->SetStoredProcName("FUNC_TAVREL");
    TParams& fp = func_tavrel->Params();
    fp.CreateParam(ftString, "Result", ptResult).SetValue(Variant(Ansi(u8"业务公司代码为空!")));
    fp.CreateParam(ftFloat, "BJ", ptInput);
    fp.CreateParam(ftString, "YWGSDM", ptInput);
    fp.CreateParam(ftFloat, "DH", ptInput);
    fp.CreateParam(ftString, "SHRY00", ptInput);
    fp.CreateParam(ftString, "SHRYMC", ptInput);
    fp.CreateParam(ftDateTime, "SHRQ00", ptInput);
    fp.CreateParam(ftString, "FLAG", ptInputOutput).SetValue(Variant("1"));

    // Print rows: the current document's header with its lines.
    qry_xsvgjfp0->SetDatabaseName("qdb");
    setLines(qry_xsvgjfp0->SQL(),
             {u8"SELECT A.GSDW00,A.DHAO00,A.CKRQ00,A.CKRY00,A.CKRYMC,A.YWRQ00,A.YWRY00,A.YWRYMC,",
              u8"A.CWRQ00,A.CWRY00,A.DWDM00,A.DWMC00,decode(A.GJBJ00,'ZM','专卖','购进') GJBJ00,A.FPHAO0,A.ZZSL00,",
              u8"A.PZNY00,A.PZH000,A.BEIZHU,B.GSJC00 YWGSMC,B.ZBDM00,C.SPDM00,C.SPMC00,C.SL0000,C.JE0000,C.SE0000,C.DJIA00",
              u8"FROM XSTGJFP1 A,XTTGSSZ0 B,XSTGJFP2 C",
              u8"WHERE A.GSDW00=B.GSDM00 AND A.GSDW00=C.GSDW00 AND A.DHAO00=C.DHAO00",
              u8"AND A.GSDW00=:GSDW00 AND A.DHAO00=:DHAO00"});
    qry_xsvgjfp0->ParamByName("GSDW00").SetDataType(ftString);
    qry_xsvgjfp0->ParamByName("DHAO00").SetDataType(ftFloat);
    for (const FieldSpec& spec : kHeaderFields) addField(qry_xsvgjfp0, spec);
    for (const FieldSpec& spec : {FieldSpec{"SPDM00", Str, 8}, FieldSpec{"SPMC00", Str, 30}, FieldSpec{"SL0000", Flt, 0},
                                  FieldSpec{"JE0000", Flt, 0}, FieldSpec{"SE0000", Flt, 0}, FieldSpec{"DJIA00", Flt, 0}})
        addField(qry_xsvgjfp0, spec);
    qry_xsvgjfp0->BeforeOpen = [this](TDataSet* ds) { qry_xsvgjfp0BeforeOpen(ds); };
}

Tdm::~Tdm()
{
    // Datasets close before their sources go; unsaved line changes are dropped.
    qry_xsvgjfp0->Close();
    qry_xstgjfp2->Close();
    qry_xstgjfp1->Close();
    if (dm == this) dm = nullptr;
}

void Tdm::qry_xstgjfp1BeforeOpen(TDataSet*)
{
    qry_xstgjfp1->ParamByName("GSDM").SetAsString(Params.size() > 0 ? Params[0] : AnsiString());
}

void Tdm::qry_xsvgjfp0BeforeOpen(TDataSet*)
{
    bool current = qry_xstgjfp1->Active() && !qry_xstgjfp1->IsEmpty();
    qry_xsvgjfp0->ParamByName("GSDW00").SetAsString(current ? qry_xstgjfp1GSDW00->AsString() : AnsiString());
    qry_xsvgjfp0->ParamByName("DHAO00").SetAsFloat(current ? qry_xstgjfp1DHAO00->AsFloat() : 0.0);
}
