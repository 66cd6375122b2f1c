#pragma once
// FUNC_TAVREL for databases without stored functions, registered with the
// session by the host. Same behaviour as the PostgreSQL function:
//   empty YWGSDM                    "业务公司代码为空!"
//   no such document                "单据不存在!"
//   BJ 0, not audited, SHRQ00 set   sets YWRQ00, YWRY00, YWRYMC from SHRQ00,
//                                   SHRY00, SHRYMC: "审核成功!"
//   BJ 0, audited                   "单据已审核，不能重复审核!"
//   BJ 0, SHRQ00 null               "审核日期为空!"
//   BJ 1, audited                   clears them: "弃审成功!"
//   BJ 1, not audited               "单据未审核，不能弃审!"
//   other BJ                        "审核标记无效!"
// FLAG comes back "1" when the document changed and "0" otherwise; Result
// holds the text.

class TParams;
class TDatabase;

void FuncTavrel(TParams& params, TDatabase& database);
