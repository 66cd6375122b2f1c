#include "runtime/Component.h"
#include "runtime/Exceptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::ThrowsMessage;

namespace {
// Records its own destruction and the notifications it hears.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, const char* name, std::vector<std::string>& log) : TComponent(owner), log_(log)
    {
        SetName(name);
    }
    ~Probe() override { log_.push_back("~" + Name()); }
    std::vector<std::string> heard;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        heard.push_back((op == opInsert ? "+" : "-") + c->Name());
    }

private:
    std::vector<std::string>& log_;
};
}  // namespace

TEST(Component, OwnerFreesWhatItOwnsLastFirst)
{
    std::vector<std::string> log;
    {
        Probe owner(nullptr, "dm", log);
        new Probe(&owner, "qry_a", log);
        auto* b = new Probe(&owner, "qry_b", log);
        new Probe(b, "fld_x", log);  // grandchild
        new Probe(&owner, "ds_c", log);
        EXPECT_EQ(owner.ComponentCount(), 3);
        EXPECT_EQ(owner.FindComponent("QRY_B"), b);
        EXPECT_EQ(owner.FindComponent("nothing"), nullptr);
        EXPECT_EQ(b->FindComponent("Fld_X")->Owner(), b);
        EXPECT_EQ(owner.heard, (std::vector<std::string>{"+", "+", "+"}));  // inserted before being named
        delete b;  // an owned component deleted early leaves its owner's list
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.heard.back(), "-qry_b");
    }
    // Each destructor body runs before its owned components go.
    EXPECT_EQ(log, (std::vector<std::string>{"~qry_b", "~fld_x", "~dm", "~ds_c", "~qry_a"}));
}

TEST(Component, NamesAreIdentifiersUniquePerOwner)
{
    TComponent owner;
    auto* a = new TComponent(&owner);
    a->SetName("qry_xstgjfp1");
    auto* b = new TComponent(&owner);
    EXPECT_THAT([&] { b->SetName("QRY_XSTGJFP1"); },
                ThrowsMessage<EComponentError>("A component named QRY_XSTGJFP1 already exists"));
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a.b"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("_ok2");
    EXPECT_EQ(b->ComponentIndex(), 1);
}

TEST(Component, FreeNotificationAndGlobalList)
{
    std::vector<std::string> log;
    auto* watcher = new Probe(nullptr, "grid", log);
    {
        Probe source(nullptr, "source", log);
        watcher->FreeNotification(&source);
    }
    EXPECT_EQ(watcher->heard, (std::vector<std::string>{"-source"}));
    delete watcher;

    {
        TDataModule dm;
        dm.SetName("dm");
        EXPECT_EQ(FindGlobalComponent("DM"), &dm);
    }
    EXPECT_EQ(FindGlobalComponent("dm"), nullptr);
}
