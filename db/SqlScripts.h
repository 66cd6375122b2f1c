#pragma once
// The schema scripts of db/sql, in UTF-8.

extern const char* const kScript_sqlite_schema;
extern const char* const kScript_postgresql_schema;
