#pragma once
// Types shared by the database classes: field types, dataset states, update
// kinds, parameter kinds, the database error and its texts.

#include "runtime/Alignment.h"
#include "runtime/Exceptions.h"

#include <cstdint>

DECLARE_EXCEPTION(EDatabaseError, Exception)

enum TFieldType : uint8_t {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
    ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
    ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
    ftLargeint
};

// Data: read from the record; calculated: set by OnCalcFields; lookup: found in
// another dataset by key.
enum TFieldKind : uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum TDataSetState : uint8_t {
    dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue,
    dsOldValue, dsCurValue
};

enum TUpdateStatus : uint8_t { usUnmodified, usModified, usInserted, usDeleted };
enum TUpdateKind : uint8_t { ukModify, ukInsert, ukDelete };

enum TParamType : uint8_t { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

enum TLocateOption : uint8_t { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = uint8_t;

// True for the types whose values are numbers, dates or flags (the grid keeps
// their values beside the display text).
bool IsNumericFieldType(TFieldType type);
bool IsBlobFieldType(TFieldType type);
// True for the types whose values are bytes, not text: they are stored,
// bound and read back unconverted.
bool IsBinaryFieldType(TFieldType type);
const char* FieldTypeName(TFieldType type);

namespace DBText {
inline constexpr const char* NotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* DataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* DataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* DataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* DataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* FieldNotFound = "Field '%s' not found";
inline constexpr const char* FieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* FieldRequired = "Field '%s' must have a value";
inline constexpr const char* FieldTooLong = "Value of field '%s' is %d bytes long; the field holds at most %d";
inline constexpr const char* FieldTypeMismatch = "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr const char* FieldAccess = "Cannot access field '%s' as type %s";
inline constexpr const char* NotBrowsing = "Operation not allowed in a dataset in insert or edit mode";
inline constexpr const char* ParamNotFound = "Parameter '%s' not found";
inline constexpr const char* NoSQL = "No SQL statement available";
inline constexpr const char* NoUpdateObject = "Dataset '%s' has no update object for cached updates";
inline constexpr const char* NoUpdateSQL = "No SQL statement for this kind of update in '%s'";
inline constexpr const char* UpdateFailed = "Update failed";
inline constexpr const char* NoCachedUpdates = "Cached updates not enabled";
inline constexpr const char* UnknownDatabase = "Unknown database: '%s'";
inline constexpr const char* NoDatabaseName = "Missing DatabaseName property";
inline constexpr const char* NoProcName = "Missing StoredProcName property";
inline constexpr const char* InvalidBookmark = "Bookmark not found";
inline constexpr const char* CircularDataLink = "Circular datalinks are not allowed";
inline constexpr const char* NoResultSet = "Query did not return a result set";
}  // namespace DBText
