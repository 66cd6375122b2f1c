#include "W1Pages.h"

#include "report/model/MemoView.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct Item {
    std::string code, name;
    double price, qty, amount, tax;
};

constexpr int RowsPerPage = 40;
constexpr const char* Pool =
    "商品名称测试数据苹果香蕉橙子葡萄西瓜草莓芒果菠萝桃子梨子钢铁木材塑料玻璃纸张布料电缆螺丝轴承齿轮阀门管道";

// The generator of bench/workloads/items.py: a 64-bit LCG, 31 bits of each
// step used. Change both or neither.
std::vector<Item> generatedItems(int count)
{
    std::vector<std::string> pool;
    for (const char* p = Pool; *p;) {
        const int len = (static_cast<unsigned char>(*p) >= 0xE0) ? 3 : 1;
        pool.emplace_back(p, len);
        p += len;
    }
    uint64_t state = 0x2545F4914F6CDD1DULL;
    auto rnd = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 33;
    };
    std::vector<Item> items;
    for (int i = 1; i <= count; ++i) {
        Item item;
        char code[16];
        std::snprintf(code, sizeof code, "C%07d", i);
        item.code = code;
        for (int k = 0; k < 10; ++k) item.name += pool[rnd() % pool.size()];
        item.price = static_cast<double>(rnd() % 10000000000ULL) / 1000000.0;
        item.qty = static_cast<double>(1 + rnd() % 50000) / 100.0;
        item.amount = static_cast<double>(static_cast<int64_t>(item.price * item.qty * 100 + 0.5)) / 100;
        item.tax = static_cast<double>(static_cast<int64_t>(item.amount * 13 + 0.5)) / 100;
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<Item> itemsFromDatabase(const char* file, int count)
{
    std::vector<Item> items;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w1"));
        db.setDatabaseName(QString::fromUtf8(file));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT code, name, price, qty, amount, tax FROM items ORDER BY id LIMIT %1").arg(count));
            while (q.next())
                items.push_back({q.value(0).toString().toStdString(), q.value(1).toString().toStdString(),
                                 q.value(2).toDouble(), q.value(3).toDouble(), q.value(4).toDouble(),
                                 q.value(5).toDouble()});
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w1"));
    return items;
}

std::string number(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::unique_ptr<TrqMemoView> cell(int column, int row, const std::string& utf8, bool header)
{
    static const int lefts[] = {20, 100, 300, 400, 480, 600};
    static const int widths[] = {80, 200, 100, 80, 120, 118};
    auto memo = std::make_unique<TrqMemoView>();
    memo->Left = lefts[column];
    memo->Top = 40 + row * 24;
    memo->Width = widths[column];
    memo->Height = 24;
    memo->FrameTyp = header ? 15 : 2;
    memo->Alignment = column >= 2 ? rqtaRight : rqtaLeft;
    memo->Font.Name = Ansi(u8"宋体");
    memo->Font.Charset = GB2312_CHARSET;
    if (header) memo->Font.Style = 2;
    memo->MemoResult.Add(Utf8ToAnsi(utf8));
    memo->Memo.Assign(memo->MemoResult);
    return memo;
}
}  // namespace

void AddW1Pages(TrqReport& report, int pages)
{
    const int rows = pages * RowsPerPage;
    std::vector<Item> items;
    if (const char* file = std::getenv("ITEMS_DB")) items = itemsFromDatabase(file, rows);
    if (static_cast<int>(items.size()) < rows) items = generatedItems(rows);
    const char* headers[] = {"编码", "商品名称", "单价", "数量", "金额", "税额"};
    TrqEMFPages& prepared = report.EMFPages();
    for (int p = 0; p < pages; ++p) {
        prepared.Add(*report.Pages()[0]);
        const int index = prepared.Count() - 1;
        for (int c = 0; c < 6; ++c) prepared.AppendView(index, *cell(c, 0, headers[c], true));
        for (int r = 0; r < RowsPerPage; ++r) {
            const Item& item = items[static_cast<size_t>(p * RowsPerPage + r)];
            const std::string values[] = {item.code, item.name, number(item.price, 6), number(item.qty, 2),
                                          number(item.amount, 2), number(item.tax, 2)};
            for (int c = 0; c < 6; ++c) prepared.AppendView(index, *cell(c, r + 1, values[c], false));
        }
    }
}
