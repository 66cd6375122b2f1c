// Finished pages of a build stay packed in memory and read back unchanged.
#include "EngineTestBase.h"

namespace {

class PreparedMemory : public EngineTest {};

TEST_F(PreparedMemory, FinishedPagesArePackedAndReadTheSame)
{
    Numbers(400);
    Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
    Band(btMasterData, "MasterData1", 40, 16, "Rows");
    const char* fields[] = {"N", "G1", "G2", "V", "S", "N"};
    for (int i = 0; i < 6; ++i)
        Memo(("F" + std::to_string(i)).c_str(), 20 + 110 * i, 40, {std::string("[Q.\"") + fields[i] + "\"]"}, 100, 16);
    ASSERT_TRUE(Prepare());
    TrqEMFPages& pages = report_->EMFPages();
    ASSERT_GT(pages.Count(), 5);
    for (int i = 0; i + 1 < pages.Count(); ++i) EXPECT_FALSE(pages[i].Stream) << "page " << i << " is packed";
    EXPECT_LE(pages.MemoryUsed() / pages.Count(), 20u * 1024);

    // The file holds the plain streams: reading it back gives the same bytes.
    TMemoryStream file;
    pages.SaveToStream(&file);
    file.SetPosition(0);
    TrqReport reread;
    reread.EMFPages().LoadFromStream(&file);
    ASSERT_EQ(reread.EMFPages().Count(), pages.Count());
    for (int i = 0; i < pages.Count(); ++i) {
        TMemoryStream a, b;
        EXPECT_EQ(pages.ReadStream(i, a).Bytes(), reread.EMFPages().ReadStream(i, b).Bytes()) << "page " << i;
    }
    EXPECT_EQ(Texts("F0").size(), 400u);

    // Writing to a packed page unpacks it for good.
    const std::string before = [&] {
        TMemoryStream s;
        return pages.ReadStream(0, s).Bytes();
    }();
    TrqMemoView extra;
    extra.MemoResult.Add("extra");
    pages.AppendView(0, extra);
    ASSERT_TRUE(pages[0].Stream);
    EXPECT_EQ(pages[0].Stream->Bytes().substr(0, before.size()), before);
    EXPECT_GT(pages[0].Stream->Size(), static_cast<int64_t>(before.size()));
}

}  // namespace
