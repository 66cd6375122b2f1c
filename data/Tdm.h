#pragma once
// The data module: every database object of the module.
//
// Objects in declaration order: the header query and its data source, the line
// query (detail of the header, cached updates written by usql_xstgjfp2) and its
// data source, the stored function that audits and revokes, and the print
// query. All datasets name the database "qdb" and start closed.
//
// The print query joins each line to its header by company and document
// number and is limited to the current document's company, so that another
// company's document with the same number never mixes into the print.

#include "runtime/db/DataSource.h"
#include "runtime/db/FieldKinds.h"
#include "runtime/db/Query.h"
#include "runtime/db/StoredProc.h"
#include "runtime/db/UpdateSQL.h"

class Tdm : public TDataModule {
public:
    explicit Tdm(TComponent* owner = nullptr);
    ~Tdm() override;
    const char* ClassName() const override { return "Tdm"; }

    TDataSource* ds_xstgjfp1;
    TQuery* qry_xstgjfp1;
    TDataSource* ds_xstgjfp2;
    TQuery* qry_xstgjfp2;
    TUpdateSQL* usql_xstgjfp2;
    TStoredProc* func_tavrel;
    TQuery* qry_xsvgjfp0;

    // Header fields.
    TStringField* qry_xstgjfp1GSDW00;
    TFloatField* qry_xstgjfp1DHAO00;
    TDateTimeField* qry_xstgjfp1CKRQ00;
    TDateTimeField* qry_xstgjfp1YWRQ00;
    // Line fields.
    TStringField* qry_xstgjfp2SPDM00;
    TFloatField* qry_xstgjfp2DJIA00;
    TFloatField* qry_xstgjfp2SL0000;
    TFloatField* qry_xstgjfp2JE0000;
    TFloatField* qry_xstgjfp2SE0000;

    // Sets the header query's company (Params entry 0); the hook of the header
    // and the line query.
    void qry_xstgjfp1BeforeOpen(TDataSet* dataSet);
    // Sets the print query's company and document number from the current header.
    void qry_xsvgjfp0BeforeOpen(TDataSet* dataSet);
};

// The data module of the running showdll call (null outside one).
extern Tdm* dm;
