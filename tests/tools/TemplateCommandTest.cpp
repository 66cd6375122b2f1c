// rqtool template dump / build and rqtool printers, run as programs.
#include "RunTool.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {
std::string readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

void writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QString builtTemplate() { return QFileInfo(RQTOOL_PATH).dir().filePath("qdb_xstgjfp.rqf"); }
}  // namespace

TEST(TemplateCommand, DumpAndBuildAreInverse)
{
    QTemporaryDir dir;
    const std::string original = readFile(builtTemplate());
    ASSERT_FALSE(original.empty()) << "the build makes qdb_xstgjfp.rqf beside rqtool";

    ToolResult dump = RunRqtool({"template", "dump", builtTemplate().toStdString()});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    writeFile(dir.filePath("t.json"), dump.out);
    ToolResult build = RunRqtool({"template", "build", dir.filePath("t.json").toStdString(), "-o",
                                  dir.filePath("t.rqf").toStdString()});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(readFile(dir.filePath("t.rqf")), original);
    EXPECT_EQ(RunRqtool({"template", "dump", dir.filePath("t.rqf").toStdString()}).out, dump.out);
}

TEST(TemplateCommand, PurchaseInvoiceTemplate)
{
    ToolResult dump = RunRqtool({"template", "dump", builtTemplate().toStdString()});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object();
    EXPECT_EQ(root["version"].toInt(), 24);
    EXPECT_TRUE(root["twoPass"].toBool());
    QJsonArray pages = root["pages"].toArray();
    ASSERT_EQ(pages.size(), 1);
    QJsonObject page = pages[0].toObject();
    EXPECT_EQ(page["size"].toInt(), 9);

    std::set<int> bands;
    QStringList texts;
    for (const QJsonValue& v : page["objects"].toArray()) {
        QJsonObject o = v.toObject();
        if (o["objectKind"].toInt() == 2) bands.insert(o["frameTyp"].toInt());
        for (const QJsonValue& line : o["memo"].toArray()) texts << line.toString();
    }
    // Title, page header, master data over the lines, summary, page footer.
    EXPECT_EQ(bands, (std::set<int>{0, 1, 2, 3, 5}));
    QString all = texts.join('\n');
    for (const char* needed : {"[YWGSMC]", "[DHAO00]", "[DWDM00]", "[DWMC00]", "[CKRQ00]", "[YWRQ00]", "[SPDM00]",
                               "[SPMC00]", "[DJIA00]", "[SL0000]", "[JE0000]", "[SE0000]", "[SL_JIAN]", "[SL_TIAO]",
                               "[JE]"})
        EXPECT_TRUE(all.contains(QLatin1String(needed))) << needed;
    EXPECT_TRUE(texts.contains(QString::fromUtf8(u8"第 [PAGE#] 页 共 [TOTALPAGES] 页")));

    // Every field the memos name is a dictionary variable reading the print query.
    QJsonArray variables = root["dictionary"].toObject()["variables"].toArray();
    QStringList names;
    for (const QJsonValue& v : variables) names << v.toArray()[0].toString();
    for (const char* field : {"YWGSMC", "DHAO00", "SPDM00", "DJIA00", "SE0000"})
        EXPECT_TRUE(names.contains(QLatin1String(field))) << field;
}

TEST(TemplateCommand, DamagedFileGivesTheMessageAndExitStatusOne)
{
    QTemporaryDir dir;
    std::string bytes = readFile(builtTemplate());
    ASSERT_GT(bytes.size(), 100u);
    bytes[60] = '\x0B';  // inside the page record: the header read fine, the rest does not
    bytes.resize(80);
    writeFile(dir.filePath("bad.rqf"), bytes);
    ToolResult dump = RunRqtool({"template", "dump", dir.filePath("bad.rqf").toStdString()});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_NE(dump.err.find("Unsupported RQF format"), std::string::npos);
    QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object();
    ASSERT_EQ(root["pages"].toArray().size(), 1);
    EXPECT_TRUE(root["pages"].toArray()[0].toObject()["objects"].toArray().isEmpty());

    ToolResult missing = RunRqtool({"template", "dump", dir.filePath("none.rqf").toStdString()});
    EXPECT_EQ(missing.exitCode, 1);
    ToolResult badJson = RunRqtool({"template", "build", dir.filePath("bad.rqf").toStdString(), "-o",
                                    dir.filePath("x.rqf").toStdString()});
    EXPECT_EQ(badJson.exitCode, 1);
    EXPECT_NE(badJson.err.find("JSON"), std::string::npos);
    EXPECT_EQ(RunRqtool({"template", "build", "only.json"}).exitCode, 2);
}

TEST(TemplateCommand, AnAddInClassTheProgramLacksIsNamedAndTheRestLoads)
{
    // The demo invoice carries a barcode view; renamed, its class is one this
    // program has not registered, as for a reader built without it.
    QTemporaryDir dir;
    std::string bytes = readFile(builtTemplate());
    const size_t at = bytes.find("TrqBarcodeView");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 14, "TrqBarcodeVieX");
    writeFile(dir.filePath("other.rqf"), bytes);
    ToolResult dump = RunRqtool({"template", "dump", dir.filePath("other.rqf").toStdString()});
    EXPECT_NE(dump.err.find("non-plugged components:\nTrqBarcodeVieX\n"), std::string::npos) << dump.err;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object();
    std::set<QString> names;
    for (const auto& object : root["pages"].toArray()[0].toObject()["objects"].toArray())
        names.insert(object.toObject()["name"].toString());
    EXPECT_TRUE(names.count("MasterData1")) << dump.out;
    EXPECT_FALSE(names.count("InvoiceQR"));
}

TEST(TemplateCommand, PrintersListTheVirtualPrinter)
{
    ToolResult result = RunRqtool({"printers"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // Other printers may exist where CUPS runs; the virtual printer is always last.
    size_t line = result.out.rfind("Virtual printer");
    ASSERT_NE(line, std::string::npos);
    std::string last = result.out.substr(result.out.rfind('\n', line) == std::string::npos ? 0 : result.out.rfind('\n', line) + 1);
    EXPECT_NE(last.find("\t9\tA4, 210 x 297 mm\t2100x2970\tportrait\t758x1071\t18,18\t722x1035"), std::string::npos)
        << result.out;
}
