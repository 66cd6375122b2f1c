#include "DemoData.h"

#include "runtime/DateTime.h"
#include "runtime/db/Database.h"

#include <vector>

namespace {

// A small deterministic generator (64-bit LCG, upper bits).
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 2862933555777941757ULL + 3037000493ULL) {}
    uint32_t Next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(state_ >> 33);
    }
    int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }

private:
    uint64_t state_;
};

struct Company {
    const char* code;
    const char8_t* name;
    const char* head;
};

const Company kCompanies[] = {
    {"110101", u8"北京市烟草公司东城分公司", "1100"},
    {"310101", u8"上海市烟草公司黄浦分公司", "3100"},
    {"440301", u8"深圳市烟草公司罗湖分公司", "4400"},
    {"510101", u8"成都市烟草公司锦江分公司", "5100"},
};

const char8_t* const kProducts[] = {
    u8"中华(硬)",       u8"中华(软)",       u8"玉溪(软)",       u8"玉溪(硬和谐)",   u8"云烟(紫)",
    u8"云烟(软珍品)",   u8"芙蓉王(硬)",     u8"芙蓉王(蓝)",     u8"黄鹤楼(软蓝)",   u8"黄鹤楼(硬金砂)",
    u8"红塔山(经典)",   u8"红塔山(硬新势力)", u8"利群(新版)",   u8"利群(软长嘴)",   u8"南京(炫赫门)",
    u8"南京(红)",       u8"白沙(精品)",     u8"白沙(和天下)",   u8"红双喜(硬)",     u8"红双喜(软上海)",
    u8"娇子(宽窄平安)", u8"娇子(蓝)",       u8"长白山(777)",    u8"长白山(红)",     u8"黄山(红方印)",
    u8"黄山(新制皖烟)", u8"真龙(起源)",     u8"真龙(娇子)",     u8"钻石(荷花)",     u8"钻石(硬蓝)",
    u8"泰山(红将军)",   u8"泰山(佛光)",     u8"七匹狼(白)",     u8"七匹狼(纯雅)",   u8"牡丹(软)",
    u8"牡丹(飞马)",     u8"猴王(硬)",       u8"贵烟(跨越)",     u8"兰州(硬珍品)",   u8"苏烟(金砂)",
};

const char8_t* const kSuppliers[] = {
    u8"云南中烟工业有限责任公司", u8"湖南中烟工业有限责任公司", u8"湖北中烟工业有限责任公司",
    u8"上海烟草集团有限责任公司", u8"浙江中烟工业有限责任公司", u8"江苏中烟工业有限责任公司",
    u8"四川中烟工业有限责任公司", u8"红云红河烟草(集团)有限责任公司",
};

const char8_t* const kClerks[] = {u8"张伟", u8"李娜", u8"王芳", u8"刘洋", u8"陈静", u8"杨帆"};

TBindValue text(const AnsiString& s)
{
    return {s.empty() ? Variant::Null() : Variant(s), ftString};
}

TBindValue number(double v)
{
    return {Variant(v), ftFloat};
}

TBindValue date(TDateTime v)
{
    return {Variant::FromDateTime(v), ftDateTime};
}

TBindValue null(TFieldType type)
{
    return {Variant::Null(), type};
}

}  // namespace

void GenerateDemoData(TDatabase& db, const DemoDataOptions& options)
{
    Random random(options.seed);
    const int productCount = static_cast<int>(std::size(kProducts));
    db.StartTransaction();
    try {
        for (const Company& c : kCompanies)
            db.ExecSQL("INSERT INTO XTTGSSZ0 (GSDM00, GSJC00, ZBDM00) VALUES (?, ?, ?)",
                       {text(c.code), text(Ansi(c.name)), text(c.head)});
        for (int p = 0; p < productCount; ++p)
            db.ExecSQL("INSERT INTO GSTJYGL1 (SPDM00, SPMC00) VALUES (?, ?)",
                       {text(std::to_string(6901028 + p * 7)), text(Ansi(kProducts[p]))});

        const TDateTime start = EncodeDate(2024, 1, 2);
        for (const Company& c : kCompanies) {
            for (int d = 0; d < options.documentsPerCompany; ++d) {
                double docNo = 2024000001.0 + d;
                TDateTime made = start + d * 3 + random.Between(0, 2) + EncodeTime(random.Between(8, 17), random.Between(0, 59), 0, 0);
                bool audited = random.Between(0, 2) == 0;
                int clerk = random.Between(0, static_cast<int>(std::size(kClerks)) - 1);
                int supplier = random.Between(0, static_cast<int>(std::size(kSuppliers)) - 1);
                bool monopoly = random.Between(0, 3) != 0;
                char invoice[16];
                std::snprintf(invoice, sizeof invoice, "%08u", random.Next() % 100000000u);
                db.ExecSQL("INSERT INTO XSTGJFP1 (GSDW00, DHAO00, CKRQ00, CKRY00, CKRYMC, YWRQ00, YWRY00, YWRYMC, "
                           "CWRQ00, CWRY00, DWDM00, DWMC00, GJBJ00, FPHAO0, ZZSL00, PZNY00, PZH000, BEIZHU) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           {text(c.code), number(docNo), date(made), text("01" + std::to_string(10 + clerk)),
                            text(Ansi(kClerks[clerk])),
                            audited ? date(DatePart(made) + 1 + EncodeTime(9, 30, 0, 0)) : null(ftDateTime),
                            audited ? text("0101") : null(ftString), audited ? text(Ansi(u8"赵敏")) : null(ftString),
                            null(ftDateTime), null(ftString), text("53" + std::to_string(1000 + supplier)),
                            text(Ansi(kSuppliers[supplier])), text(monopoly ? "ZM" : "GJ"), text(invoice),
                            number(17), text("202401"), number(d + 1), null(ftString)});

                // Distinct products: a random run through the list.
                int lines = random.Between(1, 40);
                int first = random.Between(0, productCount - 1);
                static const int steps[] = {1, 3, 7, 9};  // prime to 40: no product twice
                int step = steps[random.Between(0, 3)];
                for (int l = 0; l < lines; ++l) {
                    int p = (first + l * step) % productCount;
                    double quantity = random.Between(1, 40) * 50.0 + (random.Between(0, 4) == 0 ? random.Between(1, 49) : 0);
                    double price = random.Between(8000, 90000) / 100.0;
                    double amount = quantity * price;
                    double tax = static_cast<double>(static_cast<long double>(amount) / 100 * 17);
                    db.ExecSQL("INSERT INTO XSTGJFP2 (GSDW00, DHAO00, SPDM00, SPMC00, DJIA00, SL0000, JE0000, SE0000) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                               {text(c.code), number(docNo), text(std::to_string(6901028 + p * 7)),
                                text(Ansi(kProducts[p])), number(price), number(quantity), number(amount), number(tax)});
                }
            }
        }
    } catch (...) {
        db.Rollback();
        throw;
    }
    db.Commit();
}
