#include "AuditFunction.h"

#include "ShowInfo.h"
#include "data/Params.h"
#include "data/Tdm.h"
#include "runtime/SysUtils.h"

void RunAuditFunction(TAuditAction action, TDateTime auditDate)
{
    TStoredProc* f = dm->func_tavrel;
    f->ParamByName("BJ").SetAsInteger(static_cast<int>(action));
    f->ParamByName("YWGSDM").SetAsString(Params[0]);
    f->ParamByName("DH").SetAsString(FloatToStr(dm->qry_xstgjfp1DHAO00->AsFloat()));
    f->ParamByName("SHRY00").SetAsString(Params[2]);
    f->ParamByName("SHRYMC").SetAsString(Params[3]);
    if (action == TAuditAction::Audit) f->ParamByName("SHRQ00").SetAsDateTime(auditDate);
    f->ExecProc();
    ShowInfo(f->ParamByName("Result").AsString());
    dm->qry_xstgjfp1->Close();
    dm->qry_xstgjfp1->Open();
}
