// Nodes and the tree's structure: relations, adding, moving, deleting,
// expanding and collapsing with their events.
#include "grid/treelist/TreeList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using ::testing::ThrowsMessage;

namespace {

// A small tree list that records its events as text.
struct RecordingTree {
    TCustomqvTreeList tree;
    std::vector<std::string> events;
    std::map<const TqvTreeListNode*, std::string> names;

    RecordingTree()
    {
        tree.OnDeletion = [this](TComponent*, TqvTreeListNode* n) { events.push_back("delete " + name(n)); };
        tree.OnChangeNode = [this](TComponent*, TqvTreeListNode* o, TqvTreeListNode* n) {
            events.push_back("node " + name(o) + ">" + name(n));
        };
        tree.OnExpanding = [this](TComponent*, TqvTreeListNode* n, bool&) { events.push_back("expanding " + name(n)); };
        tree.OnExpanded = [this](TComponent*, TqvTreeListNode* n) { events.push_back("expanded " + name(n)); };
        tree.OnCollapsing = [this](TComponent*, TqvTreeListNode* n, bool&) { events.push_back("collapsing " + name(n)); };
        tree.OnCollapsed = [this](TComponent*, TqvTreeListNode* n) { events.push_back("collapsed " + name(n)); };
    }
    std::string name(const TqvTreeListNode* n) const
    {
        if (!n) return "-";
        auto it = names.find(n);
        return it == names.end() ? "?" : it->second;
    }
    TqvTreeListNode* add(const std::string& name, TqvTreeListNode* parent = nullptr)
    {
        TqvTreeListNode* n = parent ? parent->AddChild() : tree.Add();
        names[n] = name;
        return n;
    }
    // The shown nodes in display order, by name.
    std::string shown() const
    {
        std::string s;
        for (int i = 0; i < tree.AbsoluteCount(); ++i) s += name(tree.GetNodeAtAbsoluteIndex(i)) + " ";
        return s;
    }
};

TEST(TreeListNode, NeedsAnOwner)
{
    EXPECT_THAT([] { (void)new TqvTreeListNode(nullptr); },
                ThrowsMessage<EInvalidqvTreeListOperation>("Invalid Owner TqvTreeListNode"))
        << "a node without an owner was created";
}

TEST(TreeListNode, RelationsAndDisplayOrder)
{
    RecordingTree t;
    auto* a = t.add("a");
    auto* a1 = t.add("a1", a);
    auto* a2 = t.add("a2", a);
    auto* a21 = t.add("a21", a2);
    auto* b = t.add("b");
    EXPECT_EQ(t.tree.Count(), 2);
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_EQ(a21->Level(), 2);
    EXPECT_EQ(a1->GetNextSibling(), a2);
    EXPECT_EQ(a2->GetPrevSibling(), a1);
    EXPECT_EQ(a->GetLastChild(), a2);
    EXPECT_TRUE(a21->HasAsParent(a));
    EXPECT_FALSE(a->HasAsParent(a21));
    EXPECT_TRUE(a->HasChildren());

    // Collapsed nodes hide their subtrees.
    EXPECT_EQ(t.shown(), "a b ");
    EXPECT_EQ(a1->AbsoluteIndex(), -1);
    a->Expand(true);
    EXPECT_EQ(t.shown(), "a a1 a2 a21 b ");
    EXPECT_EQ(b->GetPrev(), a21);  // the previous sibling's deepest shown descendant
    EXPECT_EQ(a1->GetPrev(), a);   // or the parent
    EXPECT_EQ(a21->GetNext(), b);
    a2->Collapse(false);
    EXPECT_EQ(b->GetPrev(), a2);
    EXPECT_EQ(t.shown(), "a a1 a2 b ");

    // A node may show a button before it has children.
    b->SetHasChildren(true);
    EXPECT_TRUE(b->HasChildren());
    EXPECT_EQ(b->Count(), 0);
}

TEST(TreeListNode, InsertBeforeAndAddFirst)
{
    RecordingTree t;
    auto* a = t.add("a");
    auto* c = t.add("c");
    t.names[t.tree.Insert(c)] = "b";
    auto* c1 = t.add("c1", c);
    t.names[c->AddChildFirst()] = "c0";
    t.names[t.tree.Insert(c1)] = "c05";
    c->Expand(false);
    EXPECT_EQ(t.shown(), "a b c c0 c05 c1 ");
    EXPECT_EQ(a->Index(), 0);
}

TEST(TreeListNode, MoveModesAndRefusals)
{
    struct Case {
        const char* what;
        const char* node;
        TqvNodeAttachMode mode;
        const char* destination;
        const char* shown;
    };
    // Start: a(a1 a2(a21)) b, all expanded.
    const Case cases[] = {
        {"append as sibling", "a1", natlAdd, "b", "a a2 a21 b a1 "},
        {"add first sibling", "b", natlAddFirst, "a2", "a b a1 a2 a21 "},
        {"add as last child (of a collapsed leaf)", "b", natlAddChild, "a1", "a a1 a2 a21 "},
        {"add as first child", "a21", natlAddChildFirst, "a", "a a21 a1 a2 b "},
        {"insert before", "b", natlInsert, "a1", "a b a1 a2 a21 "},
        {"a root appended", "a21", natlAdd, nullptr, "a a1 a2 b a21 "},
        {"under itself: refused", "a", natlAddChild, "a", "a a1 a2 a21 b "},
        {"under a descendant: refused", "a", natlAddChild, "a21", "a a1 a2 a21 b "},
        {"before a descendant: refused", "a", natlInsert, "a1", "a a1 a2 a21 b "},
        {"child mode without a destination: refused", "b", natlAddChild, nullptr, "a a1 a2 a21 b "},
    };
    for (const Case& c : cases) {
        RecordingTree t;
        std::map<std::string, TqvTreeListNode*> n;
        n["a"] = t.add("a");
        n["a1"] = t.add("a1", n["a"]);
        n["a2"] = t.add("a2", n["a"]);
        n["a21"] = t.add("a21", n["a2"]);
        n["b"] = t.add("b");
        t.tree.FullExpand();
        n[c.node]->MoveTo(c.destination ? n[c.destination] : nullptr, c.mode);
        EXPECT_EQ(t.shown(), c.shown) << c.what;
    }
}

TEST(TreeListNode, MovingTheLastChildAwayCollapsesItsParent)
{
    RecordingTree t;
    auto* a = t.add("a");
    auto* a1 = t.add("a1", a);
    a->Expand(false);
    a1->MoveTo(a, natlAddChild);  // back into its own parent: nothing changes
    EXPECT_TRUE(a->Expanded());
    a1->MoveTo(a, natlAdd);
    EXPECT_FALSE(a->Expanded());
    EXPECT_FALSE(a->HasChildren());
    EXPECT_EQ(t.shown(), "a a1 ");
}

TEST(TreeListNode, DeletingTheLastChildClearsExpanded)
{
    RecordingTree t;
    auto* a = t.add("a");
    auto* a1 = t.add("a1", a);
    auto* a2 = t.add("a2", a);
    a->Expand(false);
    a2->Delete();
    EXPECT_TRUE(a->Expanded());
    a1->Delete();
    EXPECT_FALSE(a->Expanded());
    EXPECT_FALSE(a->HasChildren());
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(t.shown(), "a ");
}

TEST(TreeListNode, DeletionFiresForChildrenFirstAndMovesTheFocusOut)
{
    RecordingTree t;
    auto* a = t.add("a");
    auto* a1 = t.add("a1", a);
    t.add("a11", a1);
    t.add("a2", a);
    t.add("b");
    t.tree.FullExpand();
    t.tree.SetFocusedNode(a1);
    t.events.clear();
    a->Delete();
    // Children first, last child first; OnDeletion, then the focus leaves
    // the whole deleted subtree for the next node, once.
    EXPECT_EQ(t.events, (std::vector<std::string>{"delete a2", "delete a11", "delete a1", "node a1>b", "delete a"}));
    EXPECT_EQ(t.shown(), "b ");

    // The last node: the focus goes to the node before it, then to none.
    auto* c = t.add("c");
    t.tree.SetFocusedNode(c);
    t.events.clear();
    c->Delete();
    EXPECT_EQ(t.events, (std::vector<std::string>{"delete c", "node c>b"}));
    t.events.clear();
    t.tree.Items(0)->Delete();
    EXPECT_EQ(t.events, (std::vector<std::string>{"delete b", "node b>-"}));
    EXPECT_EQ(t.tree.FocusedNode(), nullptr);
}

TEST(TreeListNode, DeletionCompletesWhenAHandlerFails)
{
    RecordingTree t;
    auto* a = t.add("a");
    t.add("a1", a);
    t.add("b");
    t.tree.OnDeletion = [](TComponent*, TqvTreeListNode*) { throw Exception("refused"); };
    EXPECT_THROW(a->Delete(), Exception);
    EXPECT_EQ(t.tree.Count(), 1);
    EXPECT_EQ(t.shown(), "b ");
}

TEST(TreeListNode, RefusesChildrenForAGoingOrForeignNode)
{
    RecordingTree t;
    auto* a = t.add("a");
    t.tree.OnDeletion = [](TComponent*, TqvTreeListNode* n) { n->AddChild(); };
    EXPECT_THROW(a->Delete(), EInvalidqvTreeListOperation);
    EXPECT_TRUE(t.tree.IsEmpty());

    TCustomqvTreeList other;
    auto* foreign = other.Add();
    EXPECT_THROW(t.tree.AddChild(foreign), EInvalidqvTreeListOperation);
    EXPECT_THROW(t.tree.Insert(foreign), EInvalidqvTreeListOperation);
    EXPECT_EQ(other.AbsoluteCount(), 1);
}

TEST(TreeListNode, ClearingIsSilent)
{
    RecordingTree t;
    auto* a = t.add("a");
    t.add("a1", a);
    t.tree.SetFocusedNode(a);
    t.events.clear();
    t.tree.ClearNodes();
    EXPECT_TRUE(t.events.empty());
    EXPECT_TRUE(t.tree.IsEmpty());
    EXPECT_EQ(t.tree.FocusedNode(), nullptr);
    EXPECT_EQ(t.tree.TopVisibleNode(), nullptr);
}

TEST(TreeListNode, ExpandAndCollapseEventsAndVeto)
{
    RecordingTree t;
    auto* a = t.add("a");
    auto* a1 = t.add("a1", a);
    auto* leaf = t.add("leaf");
    t.events.clear();
    leaf->Expand(false);  // no children flag: nothing at all
    a->Expand(false);
    a->Expand(false);  // already expanded: nothing
    EXPECT_EQ(t.events, (std::vector<std::string>{"expanding a", "expanded a"}));

    t.tree.OnCollapsing = [](TComponent*, TqvTreeListNode*, bool& allow) { allow = false; };
    a->Collapse(false);
    EXPECT_TRUE(a->Expanded());

    // Collapsing the parent of the focused node focuses the parent first.
    t.tree.OnCollapsing = nullptr;
    t.tree.SetFocusedNode(a1);
    t.events.clear();
    a->Collapse(false);
    EXPECT_EQ(t.events, (std::vector<std::string>{"node a1>a", "collapsed a"}));
    EXPECT_EQ(t.tree.FocusedNode(), a);

    // When the parent cannot take the focus, the collapse stops.
    a->Expand(false);
    t.tree.SetFocusedNode(a1);
    struct Stubborn : TCustomqvTreeList {
        bool refuse = true;
        void FocusChange(TqvTreeListNode* node, int column, bool visible) override
        {
            if (!refuse) TCustomqvTreeList::FocusChange(node, column, visible);
        }
    } stubborn;
    auto* p = stubborn.Add();
    auto* child = p->AddChild();
    p->Expand(false);
    stubborn.refuse = false;
    stubborn.SetFocusedNode(child);
    stubborn.refuse = true;
    p->Collapse(false);
    EXPECT_TRUE(p->Expanded());
    EXPECT_EQ(stubborn.FocusedNode(), child);
}

TEST(TreeListNode, MakeVisibleExpandsTheAncestors)
{
    RecordingTree t;
    auto* a = t.add("a");
    auto* a1 = t.add("a1", a);
    auto* a11 = t.add("a11", a1);
    a11->MakeVisible();
    EXPECT_TRUE(a->Expanded());
    EXPECT_TRUE(a1->Expanded());
    EXPECT_EQ(a11->AbsoluteIndex(), 2);
}

}  // namespace
