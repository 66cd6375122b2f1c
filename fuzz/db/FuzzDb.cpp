// Readers of bytes that come from a database or a statement text: named
// parameters in SQL, stored date texts, declared column types, and values
// stored into records by field type. The first byte chooses the field type.
#include "runtime/db/DatabaseEngine.h"
#include "runtime/db/SqlText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    auto type = static_cast<TFieldType>(data[0] % (ftLargeint + 1));
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    TParsedSql parsed = ParseSqlParams(text);
    size_t marks = 0;
    for (char c : parsed.text) marks += c == '?';
    if (marks < parsed.names.size()) __builtin_trap();

    TDateTime value;
    if (ParseIsoDateTime(text, value)) {
        TDateTime back;
        if (!ParseIsoDateTime(IsoDateTimeText(value), back)) __builtin_trap();
    }
    int declaredSize = 0;
    FieldTypeOfDeclared(text, declaredSize);

    RecordBuilder row;
    row.Reset(2);
    StoreUtf8(row, 0, type, text);
    StoreFloat(row, 1, type, static_cast<double>(size));
    RecordArena arena;
    RecordBlock record = row.Commit(arena);
    CellView cell = ReadCell(record, 0);
    if (cell.kind == VarType::String && cell.s.size() > 4 * text.size() + 4) __builtin_trap();
    (void)cell.ToVariant().AsString();
    return 0;
}
