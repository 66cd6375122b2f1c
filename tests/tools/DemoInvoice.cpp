#include "DemoInvoice.h"

#include "db/HostDatabase.h"
#include "runtime/db/Session.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <gtest/gtest.h>

#include <cstdio>

namespace {
std::string number17(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}
}  // namespace

DemoInvoice MakeDemoInvoice(const std::string& databaseFile, DemoAudit which)
{
    DemoInvoice invoice;
    {
        TSession session;
        PrepareHostDatabase(ParseDatabaseSpec(databaseFile), session, "qdb", "demo");
        QSqlDatabase db = QSqlDatabase::database("demo");
        QSqlQuery q(db);
        // The document with the most lines.
        const QString audit = which == DemoAudit::Audited      ? "A.YWRQ00 IS NOT NULL"
                              : which == DemoAudit::NotAudited ? "A.YWRQ00 IS NULL"
                                                               : "1 = 1";
        if (!q.exec("SELECT C.GSDW00, C.DHAO00, substr(A.YWRQ00, 1, 10) FROM XSTGJFP2 C, XSTGJFP1 A "
                    "WHERE A.GSDW00 = C.GSDW00 AND A.DHAO00 = C.DHAO00 AND " + audit +
                    " GROUP BY C.GSDW00, C.DHAO00 ORDER BY COUNT(*) DESC, C.GSDW00, C.DHAO00 LIMIT 1") ||
            !q.next()) {
            ADD_FAILURE() << "no demo document";
            return invoice;
        }
        invoice.company = q.value(0).toString().toStdString();
        invoice.number = QString::number(q.value(1).toDouble(), 'f', 0).toStdString();
        invoice.auditDate = q.value(2).toString().toStdString();
        q.exec(QString("SELECT SPDM00, SL0000, JE0000, SE0000 FROM XSTGJFP2 WHERE GSDW00 = '%1' AND DHAO00 = %2 "
                       "ORDER BY SPDM00")
                   .arg(QString::fromStdString(invoice.company), QString::fromStdString(invoice.number)));
        while (q.next()) {
            invoice.codes.push_back(q.value(0).toString().toStdString());
            invoice.amounts.push_back(q.value(2).toDouble());
            invoice.quantity += q.value(1).toDouble();
            invoice.amount += q.value(2).toDouble();
            invoice.tax += q.value(3).toDouble();
        }
    }
    QSqlDatabase::removeDatabase("demo");
    const std::string sql =
        "SELECT A.GSDW00,A.DHAO00,A.CKRQ00,A.CKRY00,A.CKRYMC,A.YWRQ00,A.YWRY00,A.YWRYMC,A.CWRQ00,A.CWRY00,"
        "A.DWDM00,A.DWMC00,decode(A.GJBJ00,'ZM','专卖','购进') GJBJ00,A.FPHAO0,A.ZZSL00,A.PZNY00,A.PZH000,"
        "A.BEIZHU,B.GSJC00 YWGSMC,B.ZBDM00,C.SPDM00,C.SPMC00,C.SL0000,C.JE0000,C.SE0000,C.DJIA00 "
        "FROM XSTGJFP1 A,XTTGSSZ0 B,XSTGJFP2 C WHERE A.GSDW00=B.GSDM00 AND A.GSDW00=C.GSDW00 AND "
        "A.DHAO00=C.DHAO00 AND A.GSDW00='" + invoice.company + "' AND A.DHAO00=" + invoice.number;
    invoice.args = {"prepare", std::string(TEST_SOURCE_DIR) + "/../../templates/qdb_xstgjfp.json", "--db",
                    databaseFile, "--query", "dm.qry_xsvgjfp0=" + sql, "--dataset", "rqDBDataSet1=dm.qry_xsvgjfp0",
                    "--report-dataset", "rqDBDataSet1", "--var", "SL_JIAN=float:" + number17(invoice.quantity / 50),
                    "--var", "SL_TIAO=float:" + number17(invoice.quantity), "--var",
                    "JE=float:" + number17(invoice.amount)};
    return invoice;
}
