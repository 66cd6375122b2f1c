// rqtool rqp dump / pdf / png on the sample prepared reports of the fuzz seeds.
#include "RunTool.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
std::string sample(const char* name) { return std::string(TEST_SOURCE_DIR) + "/../../fuzz/rqp/corpus/" + name; }

QJsonObject dumped(const char* name)
{
    ToolResult r = RunRqtool({"rqp", "dump", sample(name)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}
}  // namespace

TEST(RqpCommand, DumpShowsTheFileAndEveryPagesObjects)
{
    QJsonObject root = dumped("showcase.rqp");
    EXPECT_EQ(root["version"].toInt(), 24);
    EXPECT_EQ(root["compressed"].toInt(), 0);
    EXPECT_EQ(root["printerName"].toString(), "Virtual printer");
    QJsonArray pages = root["pages"].toArray();
    ASSERT_EQ(pages.size(), 2);
    QJsonObject first = pages[0].toObject(), second = pages[1].toObject();
    EXPECT_EQ(first["size"].toInt(), 9);
    EXPECT_EQ(first["printerPageInfo"].toObject()["paperWidthUnits"].toInt(), 758);
    EXPECT_EQ(second["size"].toInt(), 11);
    EXPECT_EQ(second["orientation"].toInt(), 1);
    EXPECT_TRUE(first["useMargins"].toBool());

    QStringList texts;
    std::map<int, int> kinds;
    for (const QJsonValue& v : first["objects"].toArray()) {
        QJsonObject o = v.toObject();
        ++kinds[o["objectKind"].toInt()];
        for (const QJsonValue& line : o["memo"].toArray()) texts << line.toString();
        // Prepared views carry no format, script or highlight of their own.
        for (const char* key : {"formatCode", "script", "visible", "highlightCondition"})
            EXPECT_FALSE(o.contains(QLatin1String(key))) << key;
        if (o["objectKind"].toInt() == 1) EXPECT_EQ(o["graphicKind"].toInt(), 1);
    }
    EXPECT_EQ(kinds, (std::map<int, int>{{0, 20}, {1, 1}, {4, 2}}));
    EXPECT_TRUE(texts.contains(QStringLiteral(u"商品名称：中华香烟")));
    EXPECT_TRUE(texts.contains("DashDotDot"));

    // A file without a version byte has no bins or margins; a compressed one has empty pages.
    QJsonObject old = dumped("noversion.rqp");
    EXPECT_EQ(old["version"].toInt(), 0);
    EXPECT_EQ(old["pages"].toArray()[0].toObject()["paperBin"].toInt(), -1);
    EXPECT_EQ(dumped("compressed.rqp")["pages"].toArray()[0].toObject()["objects"].toArray().size(), 0);
    EXPECT_EQ(dumped("empty.rqp")["pages"].toArray().size(), 0);
}

TEST(RqpCommand, PdfAndPng)
{
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("out.pdf").toStdString();
    ToolResult r = RunRqtool({"rqp", "pdf", sample("showcase.rqp"), "-o", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    QProcess text;
    text.start("pdftotext", {QString::fromStdString(pdf), "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString all = QString::fromUtf8(text.readAllStandardOutput());
    for (QString expected : {QStringLiteral(u"商品名称：中华香烟"), QStringLiteral(u"第二页 横向"),
                             QStringLiteral("Bold italic red")})
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString();

    const std::string png = dir.filePath("page2.png").toStdString();
    r = RunRqtool({"rqp", "png", sample("showcase.rqp"), "--page", "2", "--zoom", "50%", "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    QImage image(QString::fromStdString(png));
    // A5 landscape is 758 x 534 report units.
    EXPECT_EQ(image.size(), QSize(379, 267));
    r = RunRqtool({"rqp", "png", sample("showcase.rqp"), "--page", "1", "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(758, 1071));
}

TEST(RqpCommand, ErrorsAndUsage)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath("x.png").toStdString();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"rqp", "dump", sample("oldlayout.rqp")}, 1, "old layout"},
        {{"rqp", "dump", sample("missing.rqp")}, 1, "missing.rqp"},
        {{"rqp", "png", sample("showcase.rqp"), "--page", "3", "-o", out}, 1, "Page 3 does not exist"},
        {{"rqp", "png", sample("showcase.rqp"), "-o", out}, 2, "--page"},
        {{"rqp", "png", sample("showcase.rqp"), "--page", "0", "-o", out}, 2, "--page"},
        {{"rqp", "png", sample("showcase.rqp"), "--page", "1", "--zoom", "x", "-o", out}, 2, "zoom"},
        {{"rqp", "pdf", sample("showcase.rqp")}, 2, "-o"},
        {{"rqp", "frobnicate", sample("showcase.rqp")}, 2, "unknown"},
        {{"rqp"}, 2, "dump"},
    };
    for (const Case& c : cases) {
        ToolResult r = RunRqtool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back() << "\n" << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}
